#include "UI/PopupEventDlg.hpp"

#include "MonitoredEntry/EntryManager.hpp"
#include "UI/DisplayNames.hpp"
#include "UI/Texts.hpp"
#include "Utility/EventTimeText.hpp"
#include "Utility/StringId.hpp"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace Orvane::UI {

namespace {

namespace StringId = Utility::StringId;

int EraseTimeOf(const MachineEvent::PopupPresenter::Request& request)
{
    const MonitoredEntry::EntryManager::ScopedLock lock(request.manager);
    const MonitoredEntry::EntryDB& db = request.manager.GetDB();
    return db.Contains(request.entryID) ? db.GetEntry(request.entryID).GetProperty().GetConfig().GetEraseTime() : 0;
}

QLabel* Value(const QString& text)
{
    auto* label = new QLabel(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

} // namespace

struct PopupEventDlg::Pimpl
{
    QTimer erase;
    int eraseTime = 0;
    bool viewerRequested = false;
    std::optional<QPoint> firstPointer; // where the pointer was when the window first heard of it
};

PopupEventDlg::PopupEventDlg(const MachineEvent::PopupPresenter::Request& request, QWidget* parent)
    // No frame of the window manager's: its size is not known before the first show, and the popup
    // must sit exactly in the corner.
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint)
    , m_pimpl(std::make_unique<Pimpl>())
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("popup"));
    setStyleSheet(QStringLiteral("QDialog#popup { border: 1px solid palette(mid); }"));
    setWindowTitle(Text(StringId::ApplicationTitle));
    const MonitoredEntry::EventProperty& property = request.event.GetEventProperty();

    auto* name = new QLabel(QString::fromStdWString(property.GetCategory()));
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    name->setFont(bold);
    auto* form = new QFormLayout;
    form->addRow(Text(StringId::MachineName), Value(QString::fromStdWString(DeviceDisplayName(request.event.GetMFP()))));
    form->addRow(Text(StringId::UserName), Value(QString::fromStdWString(AccountDisplayName(request.event.GetUser()))));
    form->addRow(Text(StringId::RelatedInfo), Value(QString::fromStdWString(property.GetInfo())));
    form->addRow(Text(StringId::DateTime), Value(QString::fromStdWString(Utility::EventTimeText(property.GetTime()))));

    auto* buttons = new QDialogButtonBox;
    QPushButton* viewer = buttons->addButton(Text(StringId::MenuEventLog), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(Text(StringId::Close), QDialogButtonBox::AcceptRole);
    connect(viewer, &QPushButton::clicked, this, [this] {
        m_pimpl->viewerRequested = true;
        reject();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(320);

    m_pimpl->eraseTime = EraseTimeOf(request);
    m_pimpl->erase.setSingleShot(true);
    connect(&m_pimpl->erase, &QTimer::timeout, this, &QDialog::reject);
    setMouseTracking(true);
    for (QWidget* child : findChildren<QWidget*>())
        child->setMouseTracking(true);
    for (QObject* watched : findChildren<QWidget*>())
        watched->installEventFilter(this);
    installEventFilter(this);
}

PopupEventDlg::~PopupEventDlg() = default;

bool PopupEventDlg::IsViewerRequested() const
{
    return m_pimpl->viewerRequested;
}

void PopupEventDlg::StartTimer()
{
    if (m_pimpl->eraseTime > 0)
        m_pimpl->erase.start(m_pimpl->eraseTime);
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
    return QDialog::eventFilter(watched, event);
}

} // namespace Orvane::UI
