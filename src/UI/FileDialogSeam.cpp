#include "UI/FileDialogSeam.hpp"

#include <QFileDialog>
#include <QStringList>

namespace Orvane::UI {

namespace {

// "JPEG (*.jpeg)|*.jpeg||" names its types in pairs of description and pattern; Qt takes the
// descriptions, which carry the pattern in brackets.
QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList names;
    for (int at = 0; at < parts.size(); at += 2)
        names << parts.at(at);
    return names.join(QStringLiteral(";;"));
}

class QtFileDialog : public FileDialogSeam
{
public:
    QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) override
    {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(QtFilter(filter));
        QString suffix = defaultSuffix;
        dialog.setDefaultSuffix(suffix.remove(0, suffix.startsWith(QLatin1Char('.')) ? 1 : 0));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().first();
    }
};

FileDialogSeam* installed = nullptr;

} // namespace

FileDialogSeam& FileDialogSeam::Current()
{
    static QtFileDialog real;
    return installed ? *installed : real;
}

void FileDialogSeam::Install(FileDialogSeam* seam)
{
    installed = seam;
}

} // namespace Orvane::UI
