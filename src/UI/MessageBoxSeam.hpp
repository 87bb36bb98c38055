#pragma once

#include <cstdint>

class QWidget;

namespace Orvane::UI {

// Where every message box of the program goes. The real boxes are Qt's; a test installs its own
// seam to see which messages were shown and to give the answers.
class MessageBoxSeam
{
public:
    enum class Icon { Exclamation, Information, Stop, Question };

    virtual ~MessageBoxSeam() = default;

    // Shows a string id's text with an OK button; returns when the user has closed the box.
    virtual void Show(QWidget* parent, std::uint32_t id, Icon icon) = 0;
    // Shows a string id's text with Yes and No and the question icon; true for Yes.
    virtual bool Ask(QWidget* parent, std::uint32_t id) = 0;

    static MessageBoxSeam& Current();
    // Replaces the real boxes until called again; null brings them back. UI thread only.
    static void Install(MessageBoxSeam* seam);
};

} // namespace Orvane::UI
