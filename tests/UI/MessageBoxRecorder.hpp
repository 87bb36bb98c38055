#pragma once

#include "UI/MessageBoxSeam.hpp"

#include <deque>
#include <stdexcept>
#include <utility>
#include <vector>

namespace OrvaneTest {

// Stands in for the message boxes while it lives: records what would have been shown and answers
// questions from a queue. A question without a queued answer fails the test's expectations by
// raising, so no test waits on a box.
class MessageBoxRecorder : public Orvane::UI::MessageBoxSeam
{
public:
    using Shown = std::pair<std::uint32_t, Icon>;

    MessageBoxRecorder() { Install(this); }
    ~MessageBoxRecorder() override { Install(nullptr); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void Show(QWidget* parent, std::uint32_t id, Icon icon) override
    {
        parents.push_back(parent);
        shown.emplace_back(id, icon);
    }
    bool Ask(QWidget* parent, std::uint32_t id) override
    {
        Show(parent, id, Icon::Question);
        if (answers.empty())
            throw std::logic_error("a question was asked without a queued answer");
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Shown> shown;
    std::vector<QWidget*> parents;
    std::deque<bool> answers;
};

} // namespace OrvaneTest
