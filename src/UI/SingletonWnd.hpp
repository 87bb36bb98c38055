#pragma once

#include <functional>
#include <memory>

class QWidget;

namespace Orvane::UI {

// A window that exists at most once: opening it again raises the one that is open. It is made on
// demand, placed at the bottom-right of the screen's work area, and deleted when it closes. Once
// blocked (the close sequence runs) it opens nothing any more.
class SingletonWnd
{
public:
    using Factory = std::function<std::unique_ptr<QWidget>()>;

    explicit SingletonWnd(Factory factory);
    ~SingletonWnd(); // closes the window
    SingletonWnd(const SingletonWnd&) = delete;
    SingletonWnd& operator=(const SingletonWnd&) = delete;

    // Shows and raises the window; null while blocked.
    QWidget* Open();
    QWidget* Get() const;
    void CloseAndBlock();

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
