#pragma once

#include "UI/FileDialogSeam.hpp"

#include <deque>
#include <functional>
#include <vector>

namespace OrvaneTest {

// Stands in for the save-file dialog while it lives: records the filters offered and answers the
// queued file names (an empty name is a cancel). A dialog without a queued answer is cancelled.
class FileDialogRecorder : public Orvane::UI::FileDialogSeam
{
public:
    FileDialogRecorder() { Install(this); }
    ~FileDialogRecorder() override { Install(nullptr); }
    FileDialogRecorder(const FileDialogRecorder&) = delete;
    FileDialogRecorder& operator=(const FileDialogRecorder&) = delete;

    QString GetSaveFileName(QWidget*, const QString& filter, const QString& defaultSuffix) override
    {
        filters.push_back(filter);
        suffixes.push_back(defaultSuffix);
        if (whileOpen)
            whileOpen();
        if (names.empty())
            return QString();
        const QString name = names.front();
        names.pop_front();
        return name;
    }

    std::vector<QString> filters;
    std::vector<QString> suffixes;
    std::deque<QString> names;
    std::function<void()> whileOpen; // runs while the dialog would be open
};

} // namespace OrvaneTest
