#include "UI/ProgramApplication.hpp"

#include "UI/WindowIcon.hpp"

#include <QApplication>

#include <vector>

namespace Orvane::UI {

namespace {

std::vector<char*> ArgumentsFor(int argc, const char* const argv[])
{
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(const_cast<char*>(argv[i])); // Qt may drop its own options from the list
    arguments.push_back(nullptr);
    return arguments;
}

} // namespace

struct ProgramApplication::Pimpl
{
    Pimpl(int count, const char* const values[])
        : argc(count)
        , argv(ArgumentsFor(count, values))
        , application(argc, argv.data())
    { }

    int argc;
    std::vector<char*> argv; // QApplication keeps pointers into it
    QApplication application;
};

ProgramApplication::ProgramApplication(int argc, const char* const argv[])
    : m_pimpl(std::make_unique<Pimpl>(argc, argv))
{
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    QApplication::setWindowIcon(ApplicationIcon());
}

ProgramApplication::~ProgramApplication() = default;

QApplication& ProgramApplication::Get() const
{
    return m_pimpl->application;
}

} // namespace Orvane::UI
