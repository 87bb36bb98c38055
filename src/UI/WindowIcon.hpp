#pragma once

#include <QIcon>

class QWidget;

namespace Orvane::UI {

// The program's own icon, drawn at every size from its SVG.
QIcon ApplicationIcon();

// Gives a window the program's icon (title bar, taskbar, window switcher).
void SetWindowIcon(QWidget& window);

} // namespace Orvane::UI
