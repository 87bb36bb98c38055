#pragma once

#include <memory>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QWidget;

namespace Orvane::MonitoredEntry {
class MFP;
}

namespace Orvane::UI {

// The fields that describe a device on the settings sheet's device page and the wizard's: its name
// (shown), host and ports (edited) and the SSL box.
class DeviceFields
{
public:
    // Adds the four rows to fields from its first line; the widgets belong to parent.
    DeviceFields(QGridLayout& fields, QWidget& parent);
    ~DeviceFields();
    DeviceFields(const DeviceFields&) = delete;
    DeviceFields& operator=(const DeviceFields&) = delete;

    // The device the fields describe, on top of base; raises InvalidInteger.
    MonitoredEntry::MFP Read(const MonitoredEntry::MFP& base) const;
    // Shows a device's name, host and ports; none empties them. The SSL box stays as it is.
    void Show(const MonitoredEntry::MFP* device);
    // Host and ports are edited only when the user types the device in.
    void SetEditable(bool editable);

    QLineEdit* Host() const;
    QLineEdit* HTTP() const;
    QLineEdit* HTTPS() const;
    QCheckBox* SSL() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
