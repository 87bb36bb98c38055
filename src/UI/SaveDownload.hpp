#pragma once

#include "MachineEvent/Event.hpp"

#include <functional>
#include <memory>
#include <string>

namespace Orvane::UI {

// Downloads an event's document on a thread of its own while the user picks where to save it:
// first the answer's header (which gives the extension, so the file types can be offered), then the
// body into a new private temporary file ("~OV" and a unique part, mode 0600) in the temporary
// folder. The object joins its thread before it goes, so the download never outlives it.
class SaveDownload
{
public:
    enum class Result { Success, DeviceError, SystemError, NoTempFile };
    enum class Stage { Running, NameKnown, Done };

    // Starts at once. changed runs on the worker thread each time a stage is reached.
    SaveDownload(const MachineEvent::Event& event, bool markRead, std::function<void()> changed);
    ~SaveDownload();
    SaveDownload(const SaveDownload&) = delete;
    SaveDownload& operator=(const SaveDownload&) = delete;

    bool Reached(Stage stage) const;
    // Valid once NameKnown is reached; the result is final once Done is.
    Result GetResult() const;
    std::wstring GetExtension() const;

    // Waits for the worker's end.
    void Join();
    // After Join: copies the downloaded file over destination; false when that fails.
    bool CopyTo(const std::string& destination) const;
    // After Join: removes the temporary file, if one was made.
    void RemoveTemporaryFile();

    // Where the temporary files are made ($TMPDIR, else /tmp), and their name's start.
    static std::string TemporaryPattern();

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
