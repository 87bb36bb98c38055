#include "UI/DesktopRun.hpp"

#include "ResidentLock.hpp"
#include "UI/Desktop.hpp"
#include "UI/MainFrame.hpp"

#include <QApplication>
#include <QIcon>

#include <vector>

// The icons live in a static library: their registration must be asked for by name, outside any
// namespace.
static void RegisterResources()
{
    Q_INIT_RESOURCE(orvane);
}

namespace Orvane::UI {

int RunDesktop(SingleInstance& instance, int argc, const char* const argv[], bool verbose)
{
    // Before Qt starts: a second start answers at once.
    TakeResidentLock(instance);
    int qtArgc = argc;
    std::vector<char*> qtArgv;
    for (int i = 0; i < argc; ++i)
        qtArgv.push_back(const_cast<char*>(argv[i])); // Qt may drop its own options from the list
    qtArgv.push_back(nullptr);
    QApplication application(qtArgc, qtArgv.data());
    RegisterResources();
    // The program lives in the tray: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/orvane.svg")));

    Desktop desktop;
    desktop.SetVerbose(verbose);
    MainFrame frame(instance, desktop);
    QObject::connect(&frame, &MainFrame::Closed, &application, &QCoreApplication::exit, Qt::QueuedConnection);
    // The end of the desktop session runs the same close sequence.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &frame, &MainFrame::Close);
    frame.Create();
    return QApplication::exec();
}

} // namespace Orvane::UI
