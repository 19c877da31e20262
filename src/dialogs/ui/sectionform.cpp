// SPDX-License-Identifier: GPL-3.0-or-later
#include "sectionform.h"

#include "base/prompter.h"
#include "dialogs/anchormarkup.h"
#include "editor/editorsettings.h"
#include "editor/sourcebuffer.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/editorhost.h"
#include "editor/ui/sourceeditor.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

bool TSectionForm::run(EditorHost &host)
{
    if (!host.activeBuffer())
        return false;
    TSectionForm form(host, host.dialogParent());
    return form.exec() == QDialog::Accepted;
}

TSectionForm::TSectionForm(EditorHost &host, QWidget *parent)
    : TDialogBase(host, parent, QStringLiteral("Section Wizard"), QStringLiteral("menus.html"))
    , m_editorHost(host)
{
    setObjectName(QStringLiteral("SectionForm"));
    auto *label = new QLabel(QStringLiteral("Type the name for this anchor below. You can use this name in a "
                                            "link to jump to this point."),
        this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Name"));
    label->setBuddy(m_name);

    // The names the page already has; never shown, only asked whether a name is taken.
    m_sections = new QListWidget(this);
    m_sections->setObjectName(QStringLiteral("Sections"));
    m_sections->hide();

    m_ok = buttonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    buttonBox()->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    // OK checks the name before the dialog may close.
    disconnect(buttonBox(), &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox(), &QDialogButtonBox::accepted, this, &TSectionForm::OKButtonClick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_name);
    layout->addStretch();
    layout->addWidget(buttonBox());
    setMinimumWidth(340);
    resize(sizeHint().expandedTo(QSize(340, 130)));

    if (EditorBuffer *buffer = host.activeBuffer()) {
        m_selStart = buffer->selStart();
        m_selLength = buffer->selLength();
        // Scanning the text is quick even for long pages, so the list is complete before any OK.
        m_sections->addItems(AnchorMarkup::anchorNames(buffer->text()));
        if (m_sections->count() > 0)
            m_sections->setCurrentRow(0);
    }

    connect(m_name, &QLineEdit::textChanged, this, &TSectionForm::NameChange);
    m_name->setFocus();
    NameChange();
}

void TSectionForm::NameChange()
{
    m_ok->setEnabled(!m_name->text().isEmpty());
}

void TSectionForm::OKButtonClick()
{
    EditorBuffer *buffer = m_editorHost.activeBuffer();
    if (!buffer) {
        reject();
        return;
    }
    const QString name = m_name->text();
    QStringList sections;
    for (int row = 0; row < m_sections->count(); ++row)
        sections.append(m_sections->item(row)->text());
    if (AnchorMarkup::isDuplicate(sections, name)) {
        m_editorHost.prompter().inform(QStringLiteral("Error"),
            QStringLiteral("Section already exists with this name"), PromptIcon::Stop);
        return;
    }
    if (name.isEmpty()) {
        m_editorHost.prompter().inform(
            QStringLiteral("Error"), QStringLiteral("You must type in a name"), PromptIcon::Stop);
        return;
    }
    const TagCommands::WrapTags tags
        = AnchorMarkup::anchorTags(name, m_editorHost.editorSettings().tagStyle());
    const int start = m_selStart;
    const int length = m_selLength;
    writeMarkup(m_editorHost, QStringLiteral("Anchor"), [&](SourceBuffer &page) {
        // The page may have been shortened behind the dialog; never select beyond its end.
        const int from = qBound(0, start, page.length());
        page.select(from, qBound(0, length, page.length() - from));
        const TagCommands::EditResult result = TagCommands::insertFormatTag(page, tags);
        return WrittenRange { result.recolourStart, result.recolourEnd };
    });
    accept();
}
