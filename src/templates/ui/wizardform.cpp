// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizardform.h"

#include "editor/colors.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace {

// Each column of controls is at least this wide, as the generated forms were laid out in 210-pixel columns.
constexpr int columnWidth = 210;

QIcon swatch(TColor colour)
{
    QPixmap picture(16, 16);
    picture.fill(toQColor(colour));
    QPainter painter(&picture);
    painter.setPen(Qt::gray);
    painter.drawRect(0, 0, 15, 15);
    return QIcon(picture);
}

} // namespace

TWizardForm::TWizardForm(QWidget *parent, const Wizard::Form &form, const Wizard::Run &run, bool colourNames,
    FileChooser chooseFile)
    : QDialog(parent)
    , m_entries(run.entries)
    , m_colourNames(colourNames)
    , m_chooseFile(std::move(chooseFile))
{
    setObjectName(QStringLiteral("WizardForm"));
    setWindowTitle(form.title);

    auto *columns = new QHBoxLayout;
    columns->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    QVBoxLayout *column = nullptr;
    const auto newColumn = [&] {
        column = new QVBoxLayout;
        column->setAlignment(Qt::AlignTop);
        auto *holder = new QWidget;
        holder->setMinimumWidth(columnWidth - 8);
        holder->setLayout(column);
        column->setContentsMargins(0, 0, 0, 0);
        columns->addWidget(holder, 0, Qt::AlignTop);
    };
    newColumn();
    int labels = 0;
    for (int i = 0; i < form.inputs.size(); ++i) {
        const Wizard::Input &input = form.inputs.at(i);
        if (input.newColumn && column->count() > 0)
            newColumn();
        if (!input.hasLabel())
            continue;
        auto *label = new QLabel(input.name);
        label->setObjectName(QStringLiteral("Label") + QString::number(++labels));
        column->addWidget(label);
        int entry = -1;
        for (int e = 0; e < m_entries.size(); ++e) {
            if (m_entries.at(e).input == i)
                entry = e;
        }
        if (QWidget *control = entry < 0 ? nullptr : makeControl(input, entry, labels)) {
            label->setBuddy(control->focusProxy() ? control->focusProxy() : control);
            column->addWidget(control);
            column->addSpacing(4);
        }
    }

    auto *buttons = new QDialogButtonBox;
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ButtonOK"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addStretch();
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget *TWizardForm::makeControl(const Wizard::Input &input, int entry, int labelNumber)
{
    const QString value = m_entries.at(entry).value;
    switch (input.kind()) {
    case Wizard::Kind::Text:
    case Wizard::Kind::File: {
        auto *edit = new QLineEdit(value);
        edit->setObjectName(input.name);
        connect(edit, &QLineEdit::textChanged, this,
            [this, entry](const QString &text) { setEntry(entry, text); });
        if (input.kind() == Wizard::Kind::Text)
            return edit;
        auto *row = new QWidget;
        auto *rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        rowLayout->addWidget(edit, 1);
        auto *browse = new QPushButton(QStringLiteral("Browse..."));
        browse->setObjectName(QStringLiteral("Button") + QString::number(labelNumber));
        rowLayout->addWidget(browse);
        row->setFocusProxy(edit);
        connect(browse, &QPushButton::clicked, this, [this, edit] {
            if (const std::optional<QString> file = m_chooseFile ? m_chooseFile() : std::nullopt)
                edit->setText(*file);
        });
        return row;
    }
    case Wizard::Kind::Number: {
        auto *spin = new QSpinBox;
        spin->setObjectName(input.name);
        spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        spin->setValue(value.trimmed().toInt());
        connect(spin, &QSpinBox::valueChanged, this,
            [this, entry](int number) { setEntry(entry, QString::number(number)); });
        return spin;
    }
    case Wizard::Kind::Select: {
        auto *combo = new QComboBox;
        combo->setObjectName(input.name);
        combo->setEditable(true);
        combo->addItems(input.options);
        combo->setCurrentText(value);
        connect(combo, &QComboBox::currentTextChanged, this,
            [this, entry](const QString &text) { setEntry(entry, text); });
        return combo;
    }
    case Wizard::Kind::Color: {
        auto *button = new QPushButton;
        button->setObjectName(input.name);
        const auto show = [button](TColor colour, const QString &text) {
            button->setIcon(swatch(colour));
            button->setText(text);
            button->setProperty("colour", QVariant::fromValue(colour));
        };
        show(StrToColor(value), value);
        connect(button, &QPushButton::clicked, this, [this, button, entry, show] {
            const QColor chosen = QColorDialog::getColor(
                toQColor(button->property("colour").value<TColor>()), this, QStringLiteral("Color"));
            if (!chosen.isValid())
                return;
            const TColor colour = fromQColor(chosen);
            const QString text = Wizard::colourText(colour, m_colourNames);
            show(colour, text);
            setEntry(entry, text);
        });
        return button;
    }
    default:
        return nullptr;
    }
}

void TWizardForm::setEntry(int entry, const QString &value)
{
    m_entries[entry].value = value;
}

std::optional<QList<Wizard::Entry>> TWizardForm::ask(QWidget *parent, const Wizard::Form &form,
    const Wizard::Run &run, bool colourNames, FileChooser chooseFile)
{
    TWizardForm dialog(parent, form, run, colourNames, std::move(chooseFile));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.entries();
}
