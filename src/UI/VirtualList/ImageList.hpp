#pragma once

#include <QIcon>

#include <vector>

namespace Orvane::UI::VirtualList {

// The pictures of the entry and event lists: image 0 the header of the unread column, image 1 no
// unread event (or read), image 2 unread.
class ImageList
{
public:
    enum Image : int { Header = 0, Read = 1, Unread = 2 };

    // Raises Orvane::SystemError when an icon is missing from the program's resources.
    ImageList();

    // An empty icon for an index outside the list.
    QIcon Get(int image) const;

private:
    std::vector<QIcon> m_icons;
};

} // namespace Orvane::UI::VirtualList
