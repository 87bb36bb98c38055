#include "UI/VirtualList/ImageList.hpp"

#include "Exceptions.hpp"

#include <QFile>

#include <boost/throw_exception.hpp>

#include <cerrno>

// The resources live in a static library: name them so the linker keeps them.
static void InitializeResources()
{
    static const bool initialized = [] {
        Q_INIT_RESOURCE(orvane);
        return true;
    }();
    (void)initialized;
}

namespace Orvane::UI::VirtualList {

ImageList::ImageList()
{
    InitializeResources();
    for (const char* path : {":/icons/list-header.svg", ":/icons/list-read.svg", ":/icons/list-unread.svg"}) {
        const QString name = QString::fromLatin1(path);
        if (!QFile::exists(name))
            BOOST_THROW_EXCEPTION(SystemError(ENOENT));
        m_icons.emplace_back(name);
    }
}

QIcon ImageList::Get(int image) const
{
    return image >= 0 && static_cast<std::size_t>(image) < m_icons.size() ? m_icons[image] : QIcon();
}

} // namespace Orvane::UI::VirtualList
