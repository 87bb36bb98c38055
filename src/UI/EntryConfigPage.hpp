#pragma once

#include "MonitoredEntry/Entry.hpp"

#include <QWidget>

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::UI {

class EntryConfigSheet;

// One page of the entry settings sheet. It copies the stored entry's values into its fields the
// first time it is shown; a page never shown counts as valid and applies nothing.
class EntryConfigPage : public QWidget
{
public:
    explicit EntryConfigPage(EntryConfigSheet& sheet);

    bool IsLoaded() const;
    // The fields make valid values; true while the page has not loaded.
    bool IsValid() const;
    // Reads the fields as the data exchange does: raises InvalidInteger for a number field that
    // holds no number.
    virtual void CheckFields() const = 0;
    // Puts the page's values into a copy of the entry.
    virtual void Apply(MonitoredEntry::Entry& copy) const = 0;

protected:
    virtual void Load(const MonitoredEntry::Entry& entry) = 0;
    virtual bool AreFieldsValid() const = 0;
    // The controls that depend on other controls.
    virtual void UpdateControls() = 0;

    // After every edit or box change: the dependent controls, then OK.
    void Changed();
    // Every page of the sheet is valid.
    bool IsAllValidParams() const;
    void EnableSheetButton(bool enable);
    // The entry is gone: the sheet closes.
    void OnErasedEntry();
    EntryConfigSheet& GetSheet() const;

    void showEvent(QShowEvent* event) override;

private:
    void Initialise();

    EntryConfigSheet& m_sheet;
    bool m_loaded = false;
};

} // namespace Orvane::UI
