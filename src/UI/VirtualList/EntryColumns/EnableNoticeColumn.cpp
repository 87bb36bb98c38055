#include "UI/VirtualList/EntryColumns/EnableNoticeColumn.hpp"

#include "Utility/LoadStringFromApp.hpp"
#include "Utility/StringId.hpp"

namespace Orvane::UI::VirtualList::EntryColumns {

EnableNoticeColumn::EnableNoticeColumn(const EntryListSource& source, int width)
    : Column(source, Utility::LoadStringFromApp(Utility::StringId::NoticeSetting), width)
{ }

static bool Notice(const EntryListSource& source, const EntryListSource::Key& key)
{
    return source.Find(key)->GetProperty().GetConfig().IsNotice();
}

std::wstring EnableNoticeColumn::GetText(const Key& key) const
{
    return Utility::LoadStringFromApp(Notice(GetHolder(), key) ? Utility::StringId::NoticeOn
                                                               : Utility::StringId::NoticeOff);
}

bool EnableNoticeColumn::Precedes(const Key& a, const Key& b) const
{
    return !Notice(GetHolder(), a) && Notice(GetHolder(), b);
}

} // namespace Orvane::UI::VirtualList::EntryColumns
