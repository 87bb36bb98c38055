#pragma once

#include <memory>

class QApplication;

namespace Orvane::UI {

// The program's QApplication: made from the command line (Qt takes its own options from it), with
// the program's name, desktop file, icon and pictures.
class ProgramApplication
{
public:
    ProgramApplication(int argc, const char* const argv[]);
    ~ProgramApplication();
    ProgramApplication(const ProgramApplication&) = delete;
    ProgramApplication& operator=(const ProgramApplication&) = delete;

    QApplication& Get() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
