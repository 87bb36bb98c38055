#include "UI/Placement.hpp"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace Orvane::UI {

namespace {

// A window that has not been shown yet gets the size showing would give it, so that it can be
// placed before it appears.
QSize OuterSize(QWidget& widget)
{
    if (!widget.isVisible() && !widget.testAttribute(Qt::WA_Resized))
        widget.adjustSize();
    return widget.isWindow() ? widget.frameGeometry().size() : widget.size();
}

QPoint GlobalCentre(const QWidget& widget)
{
    if (widget.isWindow())
        return widget.frameGeometry().center();
    return widget.mapToGlobal(widget.rect().center());
}

// The window frame is known only once the window is on screen: a window placed before that is
// placed once more right after it has been shown.
class PlaceAgainWhenShown : public QObject
{
public:
    PlaceAgainWhenShown(QWidget& window, std::function<void()> place)
        : QObject(&window)
        , m_place(std::move(place))
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                m_place();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::function<void()> m_place;
};

void PlaceWindow(QWidget& widget, const std::function<void()>& place)
{
    place();
    if (widget.isWindow() && !widget.isVisible())
        new PlaceAgainWhenShown(widget, place);
}

void PlaceAtBottomRight(QWidget& window)
{
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    const QSize size = OuterSize(window);
    window.move(area.right() + 1 - size.width(), area.bottom() + 1 - size.height());
}

void PlaceCentred(QWidget& widget, const QWidget& reference)
{
    const QSize size = OuterSize(widget);
    QPoint centre = GlobalCentre(reference);
    if (!widget.isWindow())
        centre = widget.parentWidget()->mapFromGlobal(centre);
    // QRect::center() rounds down: the left edge that gives the same centre.
    widget.move(centre.x() - (size.width() - 1) / 2, centre.y() - (size.height() - 1) / 2);
}

} // namespace

void MoveToBottomRight(QWidget& window)
{
    PlaceWindow(window, [&window] { PlaceAtBottomRight(window); });
}

void CentreOn(QWidget& widget, const QWidget& reference)
{
    QPointer<const QWidget> target(&reference);
    PlaceWindow(widget, [&widget, target] {
        if (target)
            PlaceCentred(widget, *target);
    });
}

} // namespace Orvane::UI
