#include "UI/EntryConfigSettingDlg.hpp"

#include "Config.hpp"
#include "UI/DataExchange.hpp"
#include "UI/DialogParts.hpp"
#include "UI/NumberSpin.hpp"
#include "UI/Texts.hpp"
#include "Utility/StringId.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace Orvane::UI {

namespace Id = Utility::StringId;

namespace {

constexpr int MsPerMinute = 60000;
constexpr int MsPerSecond = 1000;

struct Range
{
    int min;
    int max;
};

struct Values
{
    boost::optional<std::int32_t> logMax;
    boost::optional<std::int32_t> minutes;
    boost::optional<std::int32_t> seconds;
};

} // namespace

struct EntryConfigSettingDlg::Pimpl
{
    Pimpl()
    {
        const Config::Current current = Config::GetCurrent();
        logRange = {1, current.EventLogMaxLimit};
        minuteRange
            = {current.RegularCheckIntervalMs.Min / MsPerMinute, current.RegularCheckIntervalMs.Max / MsPerMinute};
        secondRange = {current.PopupEventEraseIntervalMs.Min / MsPerSecond,
                       current.PopupEventEraseIntervalMs.Max / MsPerSecond};
    }

    Values Read() const
    {
        Values values;
        DDX_Text(Exchange::Save, logMax->GetEdit(), values.logMax);
        DDX_Text(Exchange::Save, interval->GetEdit(), values.minutes);
        DDX_Text(Exchange::Save, eraseTime->GetEdit(), values.seconds);
        return values;
    }

    // The settings of three present numbers within their ranges.
    MonitoredEntry::Config Make(const MonitoredEntry::Config& stored, const Values& values) const
    {
        MonitoredEntry::Config config = stored;
        config.SetLogMax(*values.logMax);
        config.SetInterval(*values.minutes * MsPerMinute);
        config.SetNotice(notice->isChecked());
        config.SetEraseTime(*values.seconds * MsPerSecond);
        config.SetEventRead(eventRead->isChecked());
        config.SetDeleteMsg(deleteMsg->isChecked());
        return config;
    }

    Range logRange {};
    Range minuteRange {};
    Range secondRange {};
    NumberSpin* logMax = nullptr;
    NumberSpin* interval = nullptr;
    QCheckBox* notice = nullptr;
    NumberSpin* eraseTime = nullptr;
    QCheckBox* eventRead = nullptr;
    QCheckBox* deleteMsg = nullptr;
    MonitoredEntry::Config stored;
};

EntryConfigSettingDlg::EntryConfigSettingDlg(EntryConfigSheet& sheet)
    : EntryConfigPage(sheet)
    , m_pimpl(std::make_unique<Pimpl>())
{
    Pimpl& p = *m_pimpl;
    setObjectName(QStringLiteral("settingPage"));
    auto* numbers = new QGridLayout;
    const auto row = [&](int line, std::uint32_t label, NumberSpin*& spin, const char* name, const Range& range,
                         const QString& rangeText) {
        QLabel* text = MakeLabel(label, this);
        spin = new NumberSpin(this);
        spin->setObjectName(QString::fromLatin1(name));
        spin->SetRange(range.min, range.max);
        spin->setAccessibleName(text->text());
        text->setBuddy(spin);
        spin->setMinimumWidth(90);
        numbers->addWidget(text, line, 0);
        numbers->addWidget(spin, line, 1);
        numbers->addWidget(new QLabel(rangeText, this), line, 2);
        connect(&spin->GetEdit(), &QLineEdit::textChanged, this, [this] { Changed(); });
    };
    const auto span = [](std::uint32_t unit, const Range& range) {
        return QStringLiteral("%1(%2-%3)").arg(Text(unit)).arg(range.min).arg(range.max);
    };
    row(0, Id::LogMax, p.logMax, "logMaxEdit", p.logRange,
        QStringLiteral("(%1%2)").arg(Text(Id::Maximum)).arg(p.logRange.max));
    row(1, Id::Interval, p.interval, "intervalEdit", p.minuteRange, span(Id::Minutes, p.minuteRange));
    p.notice = MakeCheckBox(Id::EnableNotice, "noticeBox", this);
    numbers->addWidget(p.notice, 2, 0, 1, 3);
    row(3, Id::EraseTime, p.eraseTime, "eraseTimeEdit", p.secondRange, span(Id::Seconds, p.secondRange));
    numbers->addWidget(new QLabel(Text(Id::EraseTimeZero), this), 4, 1, 1, 2);
    numbers->setColumnStretch(2, 1);
    p.eventRead = MakeCheckBox(Id::ReadOnAction, "eventReadBox", this);
    p.deleteMsg = MakeCheckBox(Id::ConfirmDelete, "deleteMsgBox", this);

    auto* whole = new QVBoxLayout(this);
    whole->addLayout(numbers);
    whole->addSpacing(8);
    whole->addWidget(p.eventRead);
    whole->addWidget(p.deleteMsg);
    whole->addStretch();
    connect(p.notice, &QCheckBox::toggled, this, [this] { Changed(); });
}

EntryConfigSettingDlg::~EntryConfigSettingDlg() = default;

void EntryConfigSettingDlg::CheckFields() const
{
    m_pimpl->Read();
}

void EntryConfigSettingDlg::Apply(MonitoredEntry::Entry& copy) const
{
    const Pimpl& p = *m_pimpl;
    const MonitoredEntry::Config config = p.Make(p.stored, p.Read());
    MonitoredEntry::EntryProperty property = copy.GetProperty();
    property.SetConfig(config);
    copy.SetProperty(property);
    const std::shared_ptr<MonitoredEntry::EventLog> log = copy.GetEventLog();
    if (config.GetLogMax() < log->GetMax())
        log->Trim(config.GetLogMax());
    log->SetMax(config.GetLogMax());
    copy.SetEventLog(log);
}

void EntryConfigSettingDlg::Load(const MonitoredEntry::Entry& entry)
{
    Pimpl& p = *m_pimpl;
    p.stored = entry.GetProperty().GetConfig();
    boost::optional<std::int32_t> logMax = p.stored.GetLogMax();
    boost::optional<std::int32_t> minutes = p.stored.GetInterval() / MsPerMinute;
    boost::optional<std::int32_t> seconds = p.stored.GetEraseTime() / MsPerSecond;
    DDX_Text(Exchange::Load, p.logMax->GetEdit(), logMax);
    DDX_Text(Exchange::Load, p.interval->GetEdit(), minutes);
    DDX_Text(Exchange::Load, p.eraseTime->GetEdit(), seconds);
    p.notice->setChecked(p.stored.IsNotice());
    p.eventRead->setChecked(p.stored.IsEventRead());
    p.deleteMsg->setChecked(p.stored.IsDeleteMsg());
}

bool EntryConfigSettingDlg::AreFieldsValid() const
{
    const Pimpl& p = *m_pimpl;
    const Values values = p.Read();
    if (!values.logMax || !values.minutes || !values.seconds)
        return false;
    // Checked before multiplying: a product beyond an int would wrap into a range.
    const auto outside = [](std::int32_t value, const Range& range) { return value < range.min || value > range.max; };
    if (outside(*values.minutes, p.minuteRange) || outside(*values.seconds, p.secondRange))
        return false;
    return p.Make(p.stored, values).IsValid();
}

void EntryConfigSettingDlg::UpdateControls()
{
    m_pimpl->eraseTime->setEnabled(m_pimpl->notice->isChecked());
}

} // namespace Orvane::UI
