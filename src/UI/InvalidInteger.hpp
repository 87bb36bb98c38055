#pragma once

#include <kestle/exception.hpp>

class QLineEdit;

namespace Orvane::UI {

// A number field holds text that is not an int. Report() tells the user and puts the cursor
// back into the field, as the standard integer check does.
class InvalidInteger : public virtual kestle::domain_error
{
public:
    explicit InvalidInteger(QLineEdit& edit);

    QLineEdit& GetEdit() const;
    // Shows "Please enter an integer." over the field's window, then focuses and selects the field.
    void Report() const;

private:
    QLineEdit* m_edit;
};

} // namespace Orvane::UI
