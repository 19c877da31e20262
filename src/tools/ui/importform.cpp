// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ui/importform.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The mark an option carries when the imported file has that part.
const char *const applies = "applies";

} // namespace

TImportForm::TImportForm(const QString &current, const QString &imported, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ImportForm"));
    setWindowTitle(QStringLiteral("Import HTML File"));
    const TextImport::ImportParts parts = TextImport::importParts(current, imported);

    Header = box(
        QStringLiteral("Header"), QStringLiteral("Import Header Information"), parts.header, parts.header);
    Meta = box(QStringLiteral("Meta"), QStringLiteral("Import Meta Tags"), parts.header && parts.meta,
        parts.header && parts.meta);
    Styles = box(QStringLiteral("Styles"), QStringLiteral("Import Styles"), parts.header && parts.styles,
        parts.header && parts.styles);
    StyleSheet = box(QStringLiteral("StyleSheet"), QStringLiteral("Use Imported File's Style Sheet"),
        parts.header && parts.styleSheet, false);
    Title = box(QStringLiteral("Title"), QStringLiteral("Use Imported File's Title"),
        parts.header && parts.title, false);
    Body = box(QStringLiteral("Body"), QStringLiteral("Merge Body Information"), parts.body, false);
    Text = box(QStringLiteral("Text"), QStringLiteral("Import Body Text"), parts.body, parts.body);

    Current = new QRadioButton(QStringLiteral("Use the information from the current file"), this);
    Current->setObjectName(QStringLiteral("Current"));
    Current->setChecked(true);
    Imported = new QRadioButton(QStringLiteral("Use the information from the imported file"), this);
    Imported->setObjectName(QStringLiteral("Imported"));
    Cursor = new QRadioButton(QStringLiteral("Place the text at the current cursor position"), this);
    Cursor->setObjectName(QStringLiteral("Cursor"));
    Cursor->setChecked(true);
    End = new QRadioButton(QStringLiteral("Place the text at the end of the current file"), this);
    End->setObjectName(QStringLiteral("End"));
    // Two choices, each a group of its own: the preference and the placement.
    auto *preferenceGroup = new QButtonGroup(this);
    preferenceGroup->addButton(Current);
    preferenceGroup->addButton(Imported);
    auto *placementGroup = new QButtonGroup(this);
    placementGroup->addButton(Cursor);
    placementGroup->addButton(End);
    Current->setChecked(true);
    Cursor->setChecked(true);
    Progress = new QLabel(this);
    Progress->setObjectName(QStringLiteral("Progress"));
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(OK, &QPushButton::clicked, this, &TImportForm::OKClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Header, &QCheckBox::toggled, this, &TImportForm::HeaderClick);
    connect(Text, &QCheckBox::toggled, this, &TImportForm::TextClick);
    for (QCheckBox *option : { Meta, Styles, Body })
        connect(option, &QCheckBox::toggled, this, &TImportForm::MetaClick);

    auto *header = new QGroupBox(QStringLiteral("Header"), this);
    auto *headerLayout = new QVBoxLayout(header);
    headerLayout->addWidget(Header);
    for (QCheckBox *option : { Meta, Styles, StyleSheet, Title }) {
        auto *indented = new QHBoxLayout;
        indented->addSpacing(20);
        indented->addWidget(option);
        headerLayout->addLayout(indented);
    }
    auto *body = new QGroupBox(QStringLiteral("Body"), this);
    auto *bodyLayout = new QVBoxLayout(body);
    bodyLayout->addWidget(Body);
    bodyLayout->addWidget(Text);
    auto *placement = new QVBoxLayout;
    placement->setContentsMargins(20, 0, 0, 0);
    placement->addWidget(Cursor);
    placement->addWidget(End);
    bodyLayout->addLayout(placement);
    bodyLayout->addStretch();
    auto *preference
        = new QGroupBox(QStringLiteral("When both files define the same data differently:"), this);
    auto *preferenceLayout = new QVBoxLayout(preference);
    preferenceLayout->addWidget(Current);
    preferenceLayout->addWidget(Imported);

    auto *groups = new QHBoxLayout;
    groups->addWidget(header, 1);
    groups->addWidget(body, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Progress, 1);
    buttons->addWidget(OK);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(preference);
    layout->addLayout(buttons);

    HeaderClick();
    TextClick();
}

QCheckBox *TImportForm::box(const QString &name, const QString &text, bool appliesHere, bool checked)
{
    auto *option = new QCheckBox(text, this);
    option->setObjectName(name);
    option->setProperty(applies, appliesHere);
    option->setEnabled(appliesHere);
    option->setChecked(checked);
    return option;
}

void TImportForm::HeaderClick()
{
    for (QCheckBox *option : { Meta, Styles, StyleSheet, Title })
        option->setEnabled(Header->isChecked() && option->property(applies).toBool());
    MetaClick();
}

void TImportForm::TextClick()
{
    Cursor->setEnabled(Text->isChecked());
    End->setEnabled(Text->isChecked());
    MetaClick();
}

void TImportForm::MetaClick()
{
    // The preference matters only to what both files may define.
    const bool both
        = (Header->isChecked() && (Meta->isChecked() || Styles->isChecked() || Title->isChecked()))
        || Body->isChecked();
    Current->setEnabled(both);
    Imported->setEnabled(both);
    OK->setEnabled(Header->isChecked() || Text->isChecked() || Body->isChecked());
}

TextImport::ImportChoice TImportForm::choice() const
{
    TextImport::ImportChoice choice;
    choice.header = Header->isChecked();
    choice.meta = Meta->isChecked() && Meta->isEnabled();
    choice.styles = Styles->isChecked() && Styles->isEnabled();
    choice.styleSheet = StyleSheet->isChecked() && StyleSheet->isEnabled();
    choice.title = Title->isChecked() && Title->isEnabled();
    choice.body = Body->isChecked();
    choice.text = Text->isChecked();
    choice.importedWins = Imported->isChecked();
    choice.atEnd = End->isChecked();
    return choice;
}

void TImportForm::OKClick()
{
    if (!OK->isEnabled())
        return;
    OK->setEnabled(false);
    if (m_merge)
        m_merge();
    accept();
}

void TImportForm::showProgress(const QString &step)
{
    Progress->setText(step);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
