// The widget tests share one QApplication, made before the first test and destroyed after the
// last; the test program's main is the test support's. Tests run on the offscreen platform
// unless QT_QPA_PLATFORM says otherwise.

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

// The icons are linked from a static library: register them by name, outside any namespace.
static void RegisterOrvaneResources()
{
    Q_INIT_RESOURCE(orvane);
}

namespace {

class QtApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
        RegisterOrvaneResources();
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[8] = "test_UI";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

const ::testing::Environment* const kQtApplication = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
