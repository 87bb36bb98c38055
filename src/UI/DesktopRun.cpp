#include "UI/DesktopRun.hpp"

#include <QApplication>

#include <vector>

namespace Orvane::UI {

int RunDesktop(SingleInstance&, int argc, const char* const argv[])
{
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(const_cast<char*>(argv[i]));
    QApplication application(argc, arguments.data());
    return 0;
}

} // namespace Orvane::UI
