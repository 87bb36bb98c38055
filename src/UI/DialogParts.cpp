#include "UI/DialogParts.hpp"

#include "UI/Texts.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Orvane::UI {

namespace {

QString Plain(const QString& text)
{
    return QString(text).remove(QLatin1Char('&'));
}

} // namespace

QPushButton* MakeButton(std::uint32_t id, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(Text(id), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(Plain(button->text()));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* MakeCheckBox(std::uint32_t id, const char* name, QWidget* parent)
{
    auto* box = new QCheckBox(Text(id), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(Plain(box->text()));
    return box;
}

QLabel* MakeLabel(std::uint32_t id, QWidget* parent)
{
    auto* label = new QLabel(Text(id), parent);
    label->setWordWrap(false);
    return label;
}

QLineEdit* MakeEdit(const char* name, QLabel* label, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    if (label) {
        label->setBuddy(edit);
        edit->setAccessibleName(Plain(label->text()));
    }
    return edit;
}

QLineEdit* MakeValue(const char* name, QLabel* label, QWidget* parent)
{
    QLineEdit* value = MakeEdit(name, label, parent);
    value->setReadOnly(true);
    value->setFocusPolicy(Qt::TabFocus);
    return value;
}

QLineEdit* AddFieldRow(QGridLayout& fields, int line, std::uint32_t label, const char* name, bool readOnly,
                       QWidget* parent)
{
    QLabel* text = MakeLabel(label, parent);
    QLineEdit* edit = readOnly ? MakeValue(name, text, parent) : MakeEdit(name, text, parent);
    fields.addWidget(text, line, 0);
    fields.addWidget(edit, line, 1);
    return edit;
}

} // namespace Orvane::UI
