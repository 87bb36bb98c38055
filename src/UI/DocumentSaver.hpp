#pragma once

#include <QString>

#include <string>

class QWidget;

namespace Orvane::MachineEvent {
class Event;
}

namespace Orvane::UI {

// Saves an event's document where the user chooses: the download starts at once on a worker (see
// SaveDownload) while the save-file dialog is open. While it waits for the worker the program
// repaints but takes no input; a request to quit that arrives meanwhile ends the save without
// asking for a file, and is honoured once the worker has ended. Every way out waits for the
// worker and leaves no temporary file behind. Failures are reported with the designed messages.
class DocumentSaver
{
public:
    static void Run(const MachineEvent::Event& event, bool markRead, QWidget* parent);

    // The file types offered for a document extension, in the "Name (*.ext)|*.ext||" form.
    static QString Filter(const std::wstring& extension);
};

} // namespace Orvane::UI
