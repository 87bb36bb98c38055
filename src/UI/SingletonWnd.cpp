#include "UI/SingletonWnd.hpp"

#include "UI/Placement.hpp"

#include <QPointer>
#include <QWidget>

namespace Orvane::UI {

struct SingletonWnd::Pimpl
{
    Factory factory;
    QPointer<QWidget> window;
    bool blocked = false;
};

SingletonWnd::SingletonWnd(Factory factory)
    : m_pimpl(std::make_unique<Pimpl>())
{
    m_pimpl->factory = std::move(factory);
}

SingletonWnd::~SingletonWnd()
{
    CloseAndBlock();
}

QWidget* SingletonWnd::Open()
{
    if (m_pimpl->blocked)
        return nullptr;
    if (!m_pimpl->window) {
        QWidget* window = m_pimpl->factory().release();
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_pimpl->window = window;
        window->adjustSize();
        MoveToBottomRight(*window);
    }
    m_pimpl->window->show();
    m_pimpl->window->raise();
    m_pimpl->window->activateWindow();
    return m_pimpl->window;
}

QWidget* SingletonWnd::Get() const
{
    return m_pimpl->window;
}

void SingletonWnd::CloseAndBlock()
{
    m_pimpl->blocked = true;
    delete m_pimpl->window.data();
}

} // namespace Orvane::UI
