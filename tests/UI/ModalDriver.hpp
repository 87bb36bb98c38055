#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>

namespace OrvaneTest {

// Acts on the next modal window of type W once a call that runs exec() has shown it: queue it
// before the call. The action runs inside the modal loop; it gives up after the deadline.
template <class W>
void whenModal(std::function<void(W&)> action, std::chrono::milliseconds deadline = std::chrono::seconds(10))
{
    const auto until = std::chrono::steady_clock::now() + deadline;
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, until, poll] {
        if (auto* modal = dynamic_cast<W*>(QApplication::activeModalWidget())) {
            action(*modal);
            *poll = nullptr; // breaks the cycle
            return;
        }
        if (std::chrono::steady_clock::now() < until)
            QTimer::singleShot(10, *poll);
        else
            *poll = nullptr;
    };
    QTimer::singleShot(0, *poll);
}

} // namespace OrvaneTest
