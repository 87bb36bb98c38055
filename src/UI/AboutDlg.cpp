#include "UI/AboutDlg.hpp"

#include "System/CLrcReader.hpp"
#include "UI/Texts.hpp"
#include "UI/WindowIcon.hpp"
#include "Utility/FileVersion.hpp"
#include "Utility/StringId.hpp"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace Orvane::UI {

namespace {

constexpr int IconSize = 48;
constexpr int ValueWidth = 300; // long values (server capabilities) wrap only beyond this

QLabel* NamedLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLabel* BoldLabel(const QString& text, const QString& name, QWidget* parent, qreal scale = 1.0)
{
    QLabel* label = NamedLabel(text, name, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    return label;
}

QLayout* ProductRow(QWidget* parent)
{
    auto* icon = new QLabel(parent);
    icon->setPixmap(ApplicationIcon().pixmap(IconSize, IconSize));
    icon->setAlignment(Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(BoldLabel(QStringLiteral("BRANTEL Orvane"), QStringLiteral("product"), parent, 1.25));
    texts->addWidget(NamedLabel(QStringLiteral("Version %1").arg(FromWide(Utility::GetFileVersion())),
                                QStringLiteral("version"), parent));
    texts->addWidget(
        NamedLabel(QStringLiteral("Language %1").arg(FromWide(System::CLrcReader::Instance().GetVersionText())),
                   QStringLiteral("language"), parent));

    auto* row = new QHBoxLayout;
    row->setSpacing(16);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts, 1);
    return row;
}

QLayout* SessionSection(const AboutDlg::SessionFacts& session, QWidget* parent)
{
    auto* section = new QVBoxLayout;
    section->setSpacing(6);
    section->addWidget(BoldLabel(QStringLiteral("Desktop session"), QStringLiteral("sessionHeading"), parent));
    auto* facts = new QFormLayout;
    facts->setContentsMargins(IconSize / 2, 0, 0, 0);
    facts->setHorizontalSpacing(12);
    facts->setLabelAlignment(Qt::AlignLeft);
    facts->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (const auto& [label, value] : session) {
        QLabel* valueLabel = NamedLabel(value, QStringLiteral("sessionValue"), parent);
        valueLabel->setWordWrap(true);
        valueLabel->setMinimumWidth(ValueWidth);
        valueLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        facts->addRow(NamedLabel(label, QStringLiteral("sessionLabel"), parent), valueLabel);
    }
    section->addLayout(facts);
    return section;
}

QWidget* CloseButton(AboutDlg* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    SetText(*close, Utility::StringId::Close);
    close->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

AboutDlg::AboutDlg(const SessionFacts& session, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(Text(Utility::StringId::AboutTitle));
    SetWindowIcon(*this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->setSpacing(16);
    layout->addLayout(ProductRow(this));
    if (!session.empty())
        layout->addLayout(SessionSection(session, this));
    layout->addWidget(CloseButton(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace Orvane::UI
