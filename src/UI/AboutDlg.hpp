#pragma once

#include <QDialog>
#include <QString>

#include <utility>
#include <vector>

namespace Orvane::UI {

// The About box: the product, its version, the language file's version, and the facts of the
// desktop session it runs in (platform, tray, notification server, ...). Modeless; the caller
// shows it.
class AboutDlg : public QDialog
{
    Q_OBJECT

public:
    // Label and value, shown in the given order.
    using SessionFacts = std::vector<std::pair<QString, QString>>;

    explicit AboutDlg(const SessionFacts& session, QWidget* parent = nullptr);
};

} // namespace Orvane::UI
