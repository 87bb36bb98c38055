#include "UI/MessageBoxSeam.hpp"

#include "UI/Texts.hpp"
#include "Utility/StringId.hpp"

#include <QMessageBox>

namespace Orvane::UI {

namespace {

QMessageBox::Icon QtIcon(MessageBoxSeam::Icon icon)
{
    switch (icon) {
    case MessageBoxSeam::Icon::Information:
        return QMessageBox::Information;
    case MessageBoxSeam::Icon::Stop:
        return QMessageBox::Critical;
    case MessageBoxSeam::Icon::Question:
        return QMessageBox::Question;
    case MessageBoxSeam::Icon::Exclamation:
        break;
    }
    return QMessageBox::Warning;
}

// The caption of every box is the program title.
int Run(QWidget* parent, std::uint32_t id, MessageBoxSeam::Icon icon, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QtIcon(icon), Text(Utility::StringId::ApplicationTitle), Text(id), buttons, parent);
    return box.exec();
}

class QtMessageBoxes : public MessageBoxSeam
{
public:
    void Show(QWidget* parent, std::uint32_t id, Icon icon) override { Run(parent, id, icon, QMessageBox::Ok); }
    bool Ask(QWidget* parent, std::uint32_t id) override
    {
        // No is also the answer of Esc and of the close box.
        return Run(parent, id, Icon::Question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
};

MessageBoxSeam* installed = nullptr;

} // namespace

MessageBoxSeam& MessageBoxSeam::Current()
{
    static QtMessageBoxes real;
    return installed ? *installed : real;
}

void MessageBoxSeam::Install(MessageBoxSeam* seam)
{
    installed = seam;
}

} // namespace Orvane::UI
