#include "UI/DesktopRun.hpp"

#include "ResidentLock.hpp"
#include "UI/Desktop.hpp"
#include "UI/MainFrame.hpp"
#include "UI/ProgramApplication.hpp"

#include <QApplication>

namespace Orvane::UI {

int RunDesktop(SingleInstance& instance, int argc, const char* const argv[], bool verbose)
{
    // Before Qt starts: a second start answers at once.
    TakeResidentLock(instance);
    const ProgramApplication program(argc, argv);
    QApplication& application = program.Get();
    // The program lives in the tray: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

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
