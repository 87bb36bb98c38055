#include "UI/WindowIcon.hpp"

#include <QWidget>

// Resources linked from a static library are registered only when asked for by name; the macro
// must be used outside any namespace.
static void RegisterOrvaneResources()
{
    Q_INIT_RESOURCE(orvane);
}

namespace Orvane::UI {

QIcon ApplicationIcon()
{
    static const bool registered = (RegisterOrvaneResources(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/icons/orvane.svg"));
}

void SetWindowIcon(QWidget& window)
{
    window.setWindowIcon(ApplicationIcon());
}

} // namespace Orvane::UI
