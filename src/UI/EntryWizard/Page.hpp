#pragma once

#include "MonitoredEntry/EntryProperty.hpp"

#include <QWizardPage>

namespace Orvane::UI::EntryWizard {

class Wizard;

// A page of the wizard: its id (the design's template id), its step, and the wizard's working entry.
// Next is allowed while UpdateButtons says so; leaving by Next first validates and stores.
class Page : public QWizardPage
{
public:
    Page(Wizard& wizard, int id, int step);

    int GetId() const;
    int GetStep() const;

    // Next or Finish: ValidateAndStore. What it raises ends the wizard's run (Wizard::Fail).
    bool validatePage() final;

protected:
    static MonitoredEntry::EntryProperty GetDefaultEntryProperty();
    const MonitoredEntry::EntryProperty& GetEntryProperty() const;
    void SetEntryProperty(const MonitoredEntry::EntryProperty& property);
    Wizard& GetWizard() const;

    // Answers whether the page's values allow Next (or Finish); runs after every change.
    virtual bool UpdateButtons() const = 0;
    // Answers whether the page may be left.
    virtual bool ValidateAndStore() = 0;
    // Tells the wizard to ask UpdateButtons again.
    void ButtonsChanged();

    bool isComplete() const override;

private:
    Wizard& m_wizard;
    int m_id;
    int m_step;
};

} // namespace Orvane::UI::EntryWizard
