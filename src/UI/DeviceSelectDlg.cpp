#include "UI/DeviceSelectDlg.hpp"

#include "UI/DeviceSearchRunner.hpp"
#include "UI/DialogParts.hpp"
#include "UI/DisplayNames.hpp"
#include "UI/Texts.hpp"
#include "UI/WindowIcon.hpp"
#include "Utility/StringId.hpp"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Orvane::UI {

namespace Id = Utility::StringId;
using Devices = DeviceSearchRunner::Devices;

namespace {

QString Port(const boost::optional<std::int32_t>& port)
{
    return port ? QString::number(*port) : QString();
}

} // namespace

struct DeviceSelectDlg::Pimpl
{
    Pimpl(DeviceSelectDlg& dialog, Utility::SearchAgent searchAgent)
        : self(dialog)
        , agent(searchAgent)
        , runner(std::move(searchAgent))
    { }

    DeviceSelectDlg& self;
    Utility::SearchAgent agent;
    DeviceSearchRunner runner;
    Devices devices;
    QLabel* status = nullptr;
    QTreeWidget* list = nullptr;
    QPushButton* searchNow = nullptr;
    QPushButton* ok = nullptr;
    std::exception_ptr failure;

    void Lay()
    {
        status = new QLabel(&self);
        status->setObjectName(QStringLiteral("searchStatus"));
        list = new QTreeWidget(&self);
        list->setObjectName(QStringLiteral("deviceList"));
        list->setAccessibleName(Text(Id::DeviceSearchTitle));
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setHeaderLabels({Text(Id::MachineName), Text(Id::Host), Text(Id::HTTPPort), Text(Id::HTTPSPort)});
        const int widths[] = {220, 200, 110, 110};
        for (int column = 0; column < 4; ++column)
            list->header()->resizeSection(column, widths[column]);
        list->setMinimumSize(650, 220);

        auto* buttons = new QDialogButtonBox(&self);
        searchNow = buttons->addButton(Text(Id::SearchNow), QDialogButtonBox::ActionRole);
        searchNow->setObjectName(QStringLiteral("searchNowButton"));
        ok = buttons->addButton(Text(Id::OK), QDialogButtonBox::AcceptRole);
        ok->setObjectName(QStringLiteral("okButton"));
        QPushButton* cancel = buttons->addButton(Text(Id::Cancel), QDialogButtonBox::RejectRole);
        cancel->setObjectName(QStringLiteral("cancelButton"));

        auto* whole = new QVBoxLayout(&self);
        whole->addWidget(status);
        whole->addWidget(list, 1);
        whole->addWidget(buttons);

        QObject::connect(buttons, &QDialogButtonBox::accepted, &self, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &self, &QDialog::reject);
        QObject::connect(searchNow, &QPushButton::clicked, &self, [this] { Start(); });
        QObject::connect(list, &QTreeWidget::itemSelectionChanged, &self, [this] { UpdateButtons(); });
        QObject::connect(list, &QTreeWidget::itemDoubleClicked, &self, [this] { self.accept(); });
        QObject::connect(&runner, &DeviceSearchRunner::Found, &self, [this](const Devices& found) { Fill(found); });
        QObject::connect(&runner, &DeviceSearchRunner::Finished, &self,
                         [this](std::exception_ptr error) { Finished(error); });
    }

    void Start()
    {
        runner.Start();
        status->setText(Text(Id::Searching));
        UpdateButtons();
    }

    // The selection stays on its device while the list fills.
    void Fill(const Devices& found)
    {
        const int selected = SelectedRow();
        const boost::optional<MonitoredEntry::MFP> keep
            = selected >= 0 ? boost::make_optional(devices[selected]) : boost::none;
        devices = found;
        list->clear();
        for (const MonitoredEntry::MFP& device : devices) {
            auto* item = new QTreeWidgetItem(list);
            item->setText(0, FromWide(DeviceDisplayName(device)));
            item->setText(1, FromWide(device.GetHost()));
            item->setText(2, Port(device.GetHTTP()));
            item->setText(3, Port(device.GetHTTPS()));
            if (keep && device.GetHost() == keep->GetHost())
                list->setCurrentItem(item);
        }
        UpdateButtons();
    }

    void Finished(std::exception_ptr error)
    {
        status->setText(Text(Id::SearchFound).arg(devices.size()));
        UpdateButtons();
        if (error) {
            failure = error;
            self.QDialog::reject();
        }
    }

    int SelectedRow() const
    {
        const QTreeWidgetItem* item = list->currentItem();
        return item && item->isSelected() ? list->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)) : -1;
    }

    void UpdateButtons()
    {
        searchNow->setEnabled(!runner.IsRunning());
        ok->setEnabled(SelectedRow() >= 0);
    }
};

DeviceSelectDlg::DeviceSelectDlg(Utility::SearchAgent agent, QWidget* parent)
    : QDialog(parent)
    , m_pimpl(std::make_unique<Pimpl>(*this, std::move(agent)))
{
    setWindowTitle(Text(Id::DeviceSearchTitle));
    SetWindowIcon(*this);
    m_pimpl->Lay();
    m_pimpl->Fill(m_pimpl->agent.GetFoundDevices());
    m_pimpl->Start();
}

DeviceSelectDlg::~DeviceSelectDlg() = default;

bool DeviceSelectDlg::Select(Utility::SearchAgent agent, QWidget* parent)
{
    DeviceSelectDlg dialog(std::move(agent), parent);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    if (dialog.m_pimpl->failure)
        std::rethrow_exception(dialog.m_pimpl->failure);
    return chosen;
}

DeviceSearchRunner& DeviceSelectDlg::GetRunner() const
{
    return m_pimpl->runner;
}

void DeviceSelectDlg::accept()
{
    Pimpl& p = *m_pimpl;
    const int row = p.SelectedRow();
    if (row < 0)
        return;
    const MonitoredEntry::MFP chosen = p.devices[row];
    p.runner.Cancel();
    try {
        p.agent.SelectDevice(chosen);
    } catch (...) {
        // Select raises it once the dialog is closed.
        p.failure = std::current_exception();
        QDialog::reject();
        return;
    }
    QDialog::accept();
}

void DeviceSelectDlg::reject()
{
    m_pimpl->runner.Cancel();
    QDialog::reject();
}

} // namespace Orvane::UI
