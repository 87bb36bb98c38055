#pragma once

#include <QAbstractSpinBox>

class QLineEdit;

namespace Orvane::UI {

// A number edit with its spin arrows. Unlike QSpinBox it takes any text, empty included, so that
// the data exchange decides what the text means; the arrows step within the range from the number
// the text holds (from the lower end when it holds none).
class NumberSpin : public QAbstractSpinBox
{
public:
    explicit NumberSpin(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    QLineEdit& GetEdit() const;

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_minimum = 0;
    int m_maximum = 0;
};

} // namespace Orvane::UI
