#include "UI/PopupEventDlg.hpp"

#include "UI/Texts.hpp"
#include "Utility/StringId.hpp"

#include <QMouseEvent>
#include <QTimer>

#include <optional>

namespace Orvane::UI {

struct PopupEventDlg::Pimpl
{
    QTimer erase;
    std::optional<QPoint> firstPointer; // where the pointer was when the window first heard of it
};

PopupEventDlg::PopupEventDlg(const Target& target, std::optional<EventThumbnail> thumbnail, QWidget* parent)
    : EventDlg(target, std::move(thumbnail), parent)
    , m_pimpl(std::make_unique<Pimpl>())
{
    // No frame of the window manager's: its size is not known before the first show, and the popup
    // must sit exactly in the corner.
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("popup"));
    // Frameless, so the title shows nowhere on screen; it names the popup to window lists.
    setWindowTitle(Text(Utility::StringId::ApplicationTitle));
    setStyleSheet(QStringLiteral("QDialog#popup { border: 1px solid palette(mid); }"));
    m_pimpl->erase.setSingleShot(true);
    m_pimpl->erase.setTimerType(Qt::PreciseTimer); // a coarse timer may end the popup early
    connect(&m_pimpl->erase, &QTimer::timeout, this, &QDialog::reject);
    setMouseTracking(true);
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setMouseTracking(true);
        child->installEventFilter(this);
    }
}

PopupEventDlg::~PopupEventDlg() = default;

void PopupEventDlg::StartTimer()
{
    if (GetEraseTime() > 0)
        m_pimpl->erase.start(GetEraseTime());
}

bool PopupEventDlg::IsTimerActive() const
{
    return m_pimpl->erase.isActive();
}

// A window that opens under a still pointer may hear of it at once; only a real movement over it
// keeps it open.
bool PopupEventDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (!m_pimpl->firstPointer)
            m_pimpl->firstPointer = at;
        else if (*m_pimpl->firstPointer != at)
            m_pimpl->erase.stop();
    }
    return EventDlg::eventFilter(watched, event);
}

} // namespace Orvane::UI
