#include "UI/NumberSpin.hpp"

#include <QLineEdit>

#include <algorithm>

namespace Orvane::UI {

NumberSpin::NumberSpin(QWidget* parent)
    : QAbstractSpinBox(parent)
{
    setAccelerated(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
}

void NumberSpin::SetRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    update();
}

QLineEdit& NumberSpin::GetEdit() const
{
    return *lineEdit();
}

void NumberSpin::stepBy(int steps)
{
    bool isNumber = false;
    const int current = text().trimmed().toInt(&isNumber);
    const long long next = isNumber ? static_cast<long long>(current) + steps : m_minimum;
    lineEdit()->setText(QString::number(std::clamp<long long>(next, m_minimum, m_maximum)));
    lineEdit()->selectAll();
}

QValidator::State NumberSpin::validate(QString&, int&) const
{
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled NumberSpin::stepEnabled() const
{
    if (isReadOnly() || !isEnabled())
        return StepNone;
    bool isNumber = false;
    const int current = text().trimmed().toInt(&isNumber);
    if (!isNumber)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (current < m_maximum)
        enabled |= StepUpEnabled;
    if (current > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

} // namespace Orvane::UI
