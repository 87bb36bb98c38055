#include "UI/EventThumbnail.hpp"

#include "Exceptions.hpp"
#include "HTTP/Exceptions.hpp"
#include "MachineEvent/Event.hpp"
#include "QX/Quexhall.hpp"

namespace Orvane::UI {

namespace {

QImage ToImage(const QX::Bitmap& bitmap)
{
    const QImage view(bitmap.Pixels.data(), bitmap.Width, bitmap.Height, bitmap.Width * 3, QImage::Format_RGB888);
    return view.copy(); // the bitmap belongs to the device's answer
}

} // namespace

EventThumbnail EventThumbnail::Fetch(const MachineEvent::Event& event)
{
    EventThumbnail thumbnail;
    const auto& url = event.GetEventProperty().GetThumbNailURL();
    if (!url)
        return thumbnail;
    std::unique_ptr<QX::MemoryImage> image;
    try {
        QX::Quexhall device(event.GetMFP());
        image = device.GetThumbnail(event.GetUser(), *url);
    } catch (const HTTP::Error&) {
        thumbnail.m_state = State::Deleted;
        return thumbnail;
    }
    try {
        thumbnail.m_image = ToImage(image->GetBitmap());
        thumbnail.m_state = State::Picture;
    } catch (const SystemError&) {
        thumbnail.m_state = State::NoPicture;
    }
    return thumbnail;
}

EventThumbnail::State EventThumbnail::GetState() const
{
    return m_state;
}

const QImage& EventThumbnail::GetImage() const
{
    return m_image;
}

QImage EventThumbnail::FitInto(const QImage& image, const QSize& frame)
{
    if (image.width() <= frame.width() && image.height() <= frame.height())
        return image;
    return image.scaled(frame, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace Orvane::UI
