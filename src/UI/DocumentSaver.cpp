#include "UI/DocumentSaver.hpp"

#include "UI/FileDialogSeam.hpp"
#include "UI/Message.hpp"
#include "UI/SaveDownload.hpp"
#include "UI/Texts.hpp"
#include "UI/WaitCursor.hpp"

#include <QEventLoop>
#include <QMetaObject>
#include <QObject>

#include <optional>

namespace Orvane::UI {

namespace {

using Stage = SaveDownload::Stage;
using Result = SaveDownload::Result;

// Waits on the UI thread for the worker: a loop of its own that repaints and runs timers and queued
// work, but takes no input and no socket. The worker wakes it through a queued call; a loop that
// ends without that call was ended by the application quitting.
class Waiter : public QObject
{
public:
    void Wake()
    {
        woken = true;
        if (loop)
            loop->exit();
    }

    // False once the application was asked to quit.
    bool WaitFor(const SaveDownload& download, Stage stage)
    {
        while (!quitting && !download.Reached(stage)) {
            QEventLoop waiting;
            loop = &waiting;
            woken = false;
            waiting.exec(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
            loop = nullptr;
            quitting = !woken;
        }
        return !quitting;
    }

    std::function<void()> Waker()
    {
        return [this] {
            QMetaObject::invokeMethod(
                this, [this] { Wake(); }, Qt::QueuedConnection);
        };
    }

private:
    QEventLoop* loop = nullptr;
    bool woken = false;
    bool quitting = false;
};

void ReportFailure(Result result, QWidget* parent)
{
    if (result == Result::DeviceError)
        Message::QuexhallAccessFailure(parent);
    else if (result != Result::Success)
        Message::DocumentSaveFailure(parent);
}

} // namespace

void DocumentSaver::Run(const MachineEvent::Event& event, bool markRead, QWidget* parent)
{
    std::optional<WaitCursor> cursor(std::in_place);
    Waiter waiter; // outlives the download, whose worker wakes it
    SaveDownload download(event, markRead, waiter.Waker());
    if (!waiter.WaitFor(download, Stage::NameKnown)) {
        download.Join();
        download.RemoveTemporaryFile();
        return;
    }
    if (download.GetResult() != Result::Success) {
        // Failed before or soon after the name was known: nothing to ask for, nothing to keep.
        ReportFailure(download.GetResult(), parent);
        download.Join();
        download.RemoveTemporaryFile();
        return;
    }
    const std::wstring extension = download.GetExtension();
    cursor.reset();
    const QString destination
        = FileDialogSeam::Current().GetSaveFileName(parent, Filter(extension), FromWide(extension));
    cursor.emplace();
    const bool quitting = !waiter.WaitFor(download, Stage::Done);
    download.Join();
    if (!quitting && !destination.isEmpty()) {
        const Result result = download.GetResult();
        if (result != Result::Success)
            ReportFailure(result, parent);
        else if (!download.CopyTo(destination.toStdString()))
            Message::DocumentSaveFailure(parent);
    }
    download.RemoveTemporaryFile();
}

QString DocumentSaver::Filter(const std::wstring& extension)
{
    static const std::pair<const wchar_t*, const char*> known[]
        = {{L".jpeg", "JPEG"}, {L".pdf", "PDF"}, {L".tif", "TIFF"}, {L".xml", "XML"}};
    for (const auto& [type, name] : known)
        if (extension == type)
            return QStringLiteral("%1 (*%2)|*%2||").arg(QLatin1String(name), FromWide(extension));
    return QStringLiteral("Unknown Typeed File (*.*)|*.*||");
}

} // namespace Orvane::UI
