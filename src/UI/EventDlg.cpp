#include "UI/EventDlg.hpp"

#include "MonitoredEntry/EntryManager.hpp"
#include "UI/DisplayNames.hpp"
#include "UI/DocumentActions.hpp"
#include "UI/DocumentSaver.hpp"
#include "UI/Texts.hpp"
#include "UI/WaitCursor.hpp"
#include "UI/WindowIcon.hpp"
#include "Utility/EventTimeText.hpp"
#include "Utility/StringId.hpp"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace Orvane::UI {

namespace {

namespace Id = Utility::StringId;

constexpr int ThumbnailSide = 160;
constexpr int CountIconSide = 16;

// What the dialog takes from the entry when it opens; defaults when the entry is gone.
struct EntrySettings
{
    std::size_t unread = 0;
    bool monitored = true;
    std::int32_t eraseTime = 0;
    bool markRead = false;
    bool confirmDelete = false;
};

EntrySettings ReadEntry(const EventDlg::Target& target)
{
    EntrySettings settings;
    const MonitoredEntry::EntryManager::ScopedLock lock(target.manager);
    const MonitoredEntry::EntryDB& db = target.manager.GetDB();
    if (!db.Contains(target.entryID))
        return settings;
    const MonitoredEntry::Entry& entry = db.GetEntry(target.entryID);
    const MonitoredEntry::Config& config = entry.GetProperty().GetConfig();
    settings.unread = entry.GetEventLog()->CountUnread();
    settings.monitored = entry.IsMonitoring();
    settings.eraseTime = config.GetEraseTime();
    settings.markRead = config.IsEventRead();
    settings.confirmDelete = config.IsDeleteMsg();
    return settings;
}

QPushButton* Button(std::uint32_t id, const char* name)
{
    auto* button = new QPushButton(Text(id));
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QLabel* Value(const std::wstring& text, const char* name)
{
    auto* label = new QLabel(FromWide(text));
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    label->setMinimumWidth(220);
    return label;
}

} // namespace

struct EventDlg::Pimpl
{
    Pimpl(EventDlg& owner, const Target& target)
        : owner(owner)
        , target(target)
        , actions(target.event)
        , settings(ReadEntry(target))
    {
        actions.SetMarkRead(settings.markRead);
    }

    QLayout* MakeCountRow();
    QGroupBox* MakeGroup();
    QWidget* MakeDocumentArea();
    void ShowThumbnail(const EventThumbnail& thumbnail);
    void Connect();
    // Runs a document action; an end asked for meanwhile comes after it.
    void Run(const std::function<void()>& action);

    EventDlg& owner;
    const Target target;
    DocumentActions actions;
    const EntrySettings settings;
    bool viewerRequested = false;
    bool busy = false;
    std::optional<int> pendingEnd;

    QPushButton* login = Button(Id::Login, "loginButton");
    QPushButton* viewer = Button(Id::MenuEventLog, "viewerButton");
    QFrame* frame = new QFrame;
    QLabel* picture = new QLabel(frame);
    QPushButton* preview = Button(Id::Preview, "previewButton");
    QPushButton* print = Button(Id::Print, "printButton");
    QPushButton* save = Button(Id::Save, "saveButton");
    QPushButton* remove = Button(Id::Delete, "deleteButton");
    QCheckBox* markRead = new QCheckBox(Text(Id::ReadOnAction));
    QPushButton* close = Button(Id::Close, "closeButton");
};

QLayout* EventDlg::Pimpl::MakeCountRow()
{
    auto* icon = new QLabel;
    icon->setObjectName(QStringLiteral("countIcon"));
    const bool unread = settings.unread > 0;
    icon->setPixmap(QIcon(unread ? QStringLiteral(":/icons/list-unread.svg") : QStringLiteral(":/icons/list-read.svg"))
                        .pixmap(CountIconSide, CountIconSide));
    auto* count = new QLabel(QStringLiteral("%1%2").arg(settings.unread).arg(Text(Id::CountUnit)));
    count->setObjectName(QStringLiteral("countText"));
    if (unread) {
        QFont bold = count->font();
        bold.setWeight(QFont::Bold);
        count->setFont(bold);
    }
    login->setVisible(settings.monitored);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(Text(Id::EventCount)));
    row->addWidget(icon);
    row->addWidget(count);
    row->addStretch();
    row->addWidget(login);
    row->addWidget(viewer);
    return row;
}

QGroupBox* EventDlg::Pimpl::MakeGroup()
{
    const MachineEvent::Event& event = target.event;
    const MonitoredEntry::EventProperty& property = event.GetEventProperty();
    auto* fields = new QGridLayout;
    const std::pair<std::uint32_t, QLabel*> rows[] = {
        {Id::MachineName, Value(DeviceDisplayName(event.GetMFP()), "deviceValue")},
        {Id::UserName, Value(AccountDisplayName(event.GetUser()), "accountValue")},
        {Id::EventName, Value(property.GetCategory(), "categoryValue")},
        {Id::RelatedInfo, Value(property.GetInfo(), "infoValue")},
        {Id::DateTime, Value(Utility::EventTimeText(property.GetTime()), "timeValue")},
    };
    int row = 0;
    for (const auto& [label, value] : rows) {
        fields->addWidget(new QLabel(Text(label)), row, 0, Qt::AlignTop);
        fields->addWidget(value, row++, 1);
    }
    fields->setColumnStretch(1, 1);
    auto* group = new QGroupBox;
    group->setObjectName(QStringLiteral("eventGroup"));
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(fields);
    layout->addWidget(MakeDocumentArea());
    return group;
}

QWidget* EventDlg::Pimpl::MakeDocumentArea()
{
    auto* area = new QWidget;
    area->setObjectName(QStringLiteral("documentArea"));
    frame->setObjectName(QStringLiteral("thumbnailFrame"));
    frame->setFixedSize(ThumbnailSide, ThumbnailSide);
    picture->setObjectName(QStringLiteral("thumbnail"));
    picture->setAlignment(Qt::AlignCenter);
    markRead->setObjectName(QStringLiteral("markReadCheck"));
    markRead->setChecked(settings.markRead);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {preview, print, save, remove})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(frame);
    top->addSpacing(12);
    top->addLayout(buttons);
    top->addStretch();
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addLayout(top);
    layout->addWidget(markRead);
    return area;
}

// The picture, or the text that the document is gone, in the middle of the frame.
void EventDlg::Pimpl::ShowThumbnail(const EventThumbnail& thumbnail)
{
    if (thumbnail.GetState() == EventThumbnail::State::Picture)
        picture->setPixmap(QPixmap::fromImage(EventThumbnail::FitInto(thumbnail.GetImage(), frame->size())));
    if (thumbnail.GetState() == EventThumbnail::State::Deleted) {
        picture->setText(Text(Id::DocumentDeleted));
        // As wide as its text, on one line: the frame widens when the text needs it.
        frame->setFixedWidth(std::max(frame->width(), picture->sizeHint().width()));
        for (QWidget* control : std::initializer_list<QWidget*> {preview, print, save, remove, markRead})
            control->setEnabled(false);
    }
    picture->setGeometry(frame->rect());
}

void EventDlg::Pimpl::Run(const std::function<void()>& action)
{
    busy = true;
    action();
    busy = false;
    if (pendingEnd)
        owner.QDialog::done(*pendingEnd);
}

void EventDlg::Pimpl::Connect()
{
    QObject::connect(markRead, &QCheckBox::toggled, &owner, [this](bool on) { actions.SetMarkRead(on); });
    QObject::connect(preview, &QPushButton::clicked, &owner, [this] { Run([this] { actions.Preview(&owner); }); });
    QObject::connect(print, &QPushButton::clicked, &owner, [this] { Run([this] { actions.Print(&owner); }); });
    QObject::connect(save, &QPushButton::clicked, &owner,
                     [this] { Run([this] { DocumentSaver::Run(target.event, actions.IsMarkRead(), &owner); }); });
    QObject::connect(remove, &QPushButton::clicked, &owner, [this] {
        Run([this] {
            if (actions.Delete(settings.confirmDelete, &owner) == DocumentActions::DeleteOutcome::Deleted)
                pendingEnd = QDialog::Accepted;
        });
    });
    QObject::connect(login, &QPushButton::clicked, &owner, [this] { actions.Login(&owner); });
    QObject::connect(viewer, &QPushButton::clicked, &owner, [this] {
        viewerRequested = true;
        owner.reject();
    });
    QObject::connect(close, &QPushButton::clicked, &owner, &QDialog::accept);
}

EventDlg::EventDlg(const Target& target, std::optional<EventThumbnail> thumbnail, QWidget* parent)
    : QDialog(parent)
    , m_pimpl(std::make_unique<Pimpl>(*this, target))
{
    Pimpl& p = *m_pimpl;
    setWindowTitle(Text(Id::EventDlgTitle));
    SetWindowIcon(*this);
    p.close->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(p.close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(p.MakeCountRow());
    layout->addWidget(p.MakeGroup());
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (!target.event.GetEventProperty().GetThumbNailURL()) {
        // Without a document the dialog is shorter: no thumbnail, no document actions.
        findChild<QWidget*>(QStringLiteral("documentArea"))->hide();
        for (QWidget* control : std::initializer_list<QWidget*> {p.preview, p.print, p.save, p.remove, p.markRead})
            control->setEnabled(false);
    } else {
        if (!thumbnail) {
            const WaitCursor wait;
            thumbnail = EventThumbnail::Fetch(target.event);
        }
        p.ShowThumbnail(*thumbnail);
    }
    p.Connect();
}

EventDlg::~EventDlg() = default;

bool EventDlg::IsViewerRequested() const
{
    return m_pimpl->viewerRequested;
}

std::int32_t EventDlg::GetEraseTime() const
{
    return m_pimpl->settings.eraseTime;
}

void EventDlg::done(int result)
{
    if (m_pimpl->busy) {
        if (!m_pimpl->pendingEnd)
            m_pimpl->pendingEnd = result;
        return;
    }
    QDialog::done(result);
}

} // namespace Orvane::UI
