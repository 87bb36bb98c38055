#pragma once

#include "MachineEvent/Event.hpp"

#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace Orvane::UI {

// What the details dialog does with an event's document on the device: preview, print, delete and
// the device's login page. Each action makes its own device client, waits with the wait cursor and
// reports a failure with the designed message over the given window.
class DocumentActions
{
public:
    enum class DeleteOutcome { Deleted, Declined, Failed };

    explicit DocumentActions(const MachineEvent::Event& event);
    ~DocumentActions();

    // Whether preview, print and save ask the device to mark the document read.
    bool IsMarkRead() const;
    void SetMarkRead(bool markRead);

    // Downloads the document into a new folder of its own below the program's temporary folder and
    // opens it with the desktop's viewer; answers the file, or nothing after a failure.
    std::optional<std::string> Preview(QWidget* parent) const;
    bool Print(QWidget* parent) const;
    // With confirm, asks first; the logged event stays, only the device's document goes.
    DeleteOutcome Delete(bool confirm, QWidget* parent) const;
    void Login(QWidget* parent) const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
