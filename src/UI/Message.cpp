#include "UI/Message.hpp"

#include "UI/MessageBoxSeam.hpp"
#include "Utility/StringId.hpp"

namespace Orvane::UI {

namespace {

namespace Id = Utility::StringId;
using Icon = MessageBoxSeam::Icon;

void Show(QWidget* parent, std::uint32_t id, Icon icon = Icon::Exclamation)
{
    MessageBoxSeam::Current().Show(parent, id, icon);
}

} // namespace

void Message::InitFailure(QWidget* parent)
{
    Show(parent, Id::InitFailure);
}

void Message::LoadFailure(QWidget* parent)
{
    Show(parent, Id::LoadFailure);
}

void Message::SaveFailure(QWidget* parent)
{
    Show(parent, Id::SaveFailure);
}

void Message::CommunicationError(QWidget* parent)
{
    Show(parent, Id::CommunicationError);
}

void Message::QuexhallAccessFailure(QWidget* parent)
{
    Show(parent, Id::QuexhallAccessFailure);
}

void Message::DocumentSaveFailure(QWidget* parent)
{
    Show(parent, Id::DocumentSaveFailure);
}

void Message::NoDeleteAuthority(QWidget* parent)
{
    Show(parent, Id::NoDeleteAuthority);
}

void Message::ViewerOpenFailure(QWidget* parent)
{
    Show(parent, Id::ViewerOpenFailure);
}

void Message::EnterInteger(QWidget* parent)
{
    Show(parent, Id::ParseInteger);
}

void Message::RunningInBackground(QWidget* parent)
{
    Show(parent, Id::RunningInBackground, Icon::Information);
}

void Message::NoUsers(QWidget* parent)
{
    Show(parent, Id::NoUsers, Icon::Information);
}

void Message::EntryLimit(QWidget* parent)
{
    Show(parent, Id::EntryLimit, Icon::Stop);
}

bool Message::Affirmation(std::uint32_t id, QWidget* parent)
{
    return MessageBoxSeam::Current().Ask(parent, id);
}

} // namespace Orvane::UI
