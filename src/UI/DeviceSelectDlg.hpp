#pragma once

#include "Utility/SearchAgent.hpp"

#include <QDialog>

#include <memory>

namespace Orvane::UI {

class DeviceSearchRunner;

// Lets the user choose a device found on the network: it opens with the devices of the last
// search, searches at once and fills while it searches; "search now" searches again. Choosing a
// device keeps it as the agent's device selected last.
class DeviceSelectDlg : public QDialog
{
public:
    explicit DeviceSelectDlg(Utility::SearchAgent agent, QWidget* parent = nullptr);
    ~DeviceSelectDlg() override;

    // Select by dialog: true when the user chose a device, which is then the agent's selected
    // device. Cancelled, it answers false and changes nothing. A search that fails closes the
    // dialog and its error (kestle::communication_failure, Orvane::SystemError) leaves here.
    static bool Select(Utility::SearchAgent agent, QWidget* parent);

    DeviceSearchRunner& GetRunner() const;

    void accept() override;
    void reject() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
