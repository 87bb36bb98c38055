#pragma once

#include <cstdint>

class QWidget;

namespace Orvane::UI {

// The program's fixed messages, each a string-table text with the program title as caption,
// shown over the given window or none. All go through MessageBoxSeam.
class Message
{
public:
    // Exclamation icon
    static void InitFailure(QWidget* parent = nullptr);
    static void LoadFailure(QWidget* parent = nullptr);
    static void SaveFailure(QWidget* parent = nullptr);
    static void CommunicationError(QWidget* parent = nullptr);
    static void QuexhallAccessFailure(QWidget* parent = nullptr);
    static void DocumentSaveFailure(QWidget* parent = nullptr);
    static void NoDeleteAuthority(QWidget* parent = nullptr);
    static void ViewerOpenFailure(QWidget* parent = nullptr);
    static void EnterInteger(QWidget* parent = nullptr);
    // Information icon: the device lists no users.
    static void NoUsers(QWidget* parent = nullptr);
    // Stop icon: no more entries can be added.
    static void EntryLimit(QWidget* parent = nullptr);

    // Information icon: closing the only window (there is no tray) keeps the run going.
    static void RunningInBackground(QWidget* parent = nullptr);

    // Asks the string id's question with Yes and No; true for Yes.
    static bool Affirmation(std::uint32_t id, QWidget* parent = nullptr);
};

} // namespace Orvane::UI
