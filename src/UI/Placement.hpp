#pragma once

class QWidget;

namespace Orvane::UI {

// Puts a window's bottom-right corner, frame included, on the bottom-right corner of the work
// area (the screen without panels and docks) of the screen it is on.
void MoveToBottomRight(QWidget& window);

// Moves a window or a child widget so that its centre is the reference widget's centre.
void CentreOn(QWidget& widget, const QWidget& reference);

} // namespace Orvane::UI
