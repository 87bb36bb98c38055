#include "UI/WaitCursor.hpp"

#include <QApplication>

namespace Orvane::UI {

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}

} // namespace Orvane::UI
