#pragma once

#include <QImage>
#include <QSize>

namespace Orvane::MachineEvent {
class Event;
}

namespace Orvane::UI {

// The picture of an event's document as the details dialog shows it. Fetching talks to the device,
// so it may run on any thread (the popups fetch it before their window is made).
class EventThumbnail
{
public:
    enum class State {
        NoDocument, // the event has no document
        Picture, // the image holds the thumbnail
        Deleted, // the device cannot give it (HTTP::Error): the document is gone
        NoPicture, // an answer that is no picture: nothing shown, the document actions stay
    };

    // Asks the event's device for the thumbnail; other failures than the device's pass through.
    static EventThumbnail Fetch(const MachineEvent::Event& event);

    State GetState() const;
    const QImage& GetImage() const;

    // The image shrunk into the frame keeping its proportions; never enlarged.
    static QImage FitInto(const QImage& image, const QSize& frame);

private:
    State m_state = State::NoDocument;
    QImage m_image;
};

} // namespace Orvane::UI
