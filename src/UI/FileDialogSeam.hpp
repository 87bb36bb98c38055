#pragma once

#include <QString>

class QWidget;

namespace Orvane::UI {

// Where the save-file dialog goes. The real dialog is Qt's; a test installs its own seam to see the
// filter offered and to answer the chosen file name.
class FileDialogSeam
{
public:
    virtual ~FileDialogSeam() = default;

    // Asks for a file to save to. filter is in the "Name (*.ext)|*.ext||" form of the string table;
    // defaultSuffix (".pdf", or empty) is added to a name given without one. The user is asked
    // before an existing file is replaced. An empty answer means the user cancelled.
    virtual QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) = 0;

    static FileDialogSeam& Current();
    // Replaces the real dialog until called again; null brings it back. UI thread only.
    static void Install(FileDialogSeam* seam);
};

} // namespace Orvane::UI
