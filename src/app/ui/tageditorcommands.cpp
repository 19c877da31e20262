// SPDX-License-Identifier: GPL-3.0-or-later
#include "tageditorcommands.h"

#include "promptingcommands.h"

#include "app/programfolder.h"
#include "app/prompter.h"
#include "documentcommands.h"
#include "documentpage.h"
#include "editor/stylelist.h"
#include "editor/tagcommands.h"
#include "editor/ui/colouringview.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "mainform.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>

using namespace CurrentTag;

TagEditorCommands::TagEditorCommands(TMainForm &form)
    : m_form(form)
{ }

TagEditorCommands::~TagEditorCommands() = default;

TTagEditorPage *TagEditorCommands::createPage()
{
    m_page = new TTagEditorPage;
    m_page->setFontNames(TagCommands::fontNameItems(QFontDatabase::families()).mid(1));
    connect(m_page, &TTagEditorPage::rowSelected, this, &TagEditorCommands::TagEditorClick);
    connect(m_page, &TTagEditorPage::boxCommitted, this, &TagEditorCommands::boxCommitted);
    connect(m_page, &TTagEditorPage::applyClicked, this, &TagEditorCommands::ApplyClick);
    connect(m_page, &TTagEditorPage::editTagClicked, this, [this] { EditTag1Click(false); });
    return m_page;
}

void TagEditorCommands::createActions()
{
    QMenu *popup = m_form.htmlPopup();
    m_editTagAction = new QAction(QStringLiteral("&Edit Tag"), &m_form);
    m_editTagAction->setObjectName(QStringLiteral("EditTag1"));
    connect(m_editTagAction, &QAction::triggered, this, [this] { EditTag1Click(true); });
    // Beside "Edit in Wizard...", which works on the same selection.
    QAction *wizard = m_form.action(QStringLiteral("EditinDialog1"));
    QAction *before = wizard && popup->actions().contains(wizard) ? wizard : nullptr;
    popup->insertSeparator(before);
    popup->insertAction(before, m_editTagAction);
    connect(popup, &QMenu::aboutToShow, this, &TagEditorCommands::HTMLPopupPopup);
}

void TagEditorCommands::watchEditor(TSourceEditor *editor)
{
    editor->viewport()->installEventFilter(this);
}

bool TagEditorCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            // The editor moves the caret while it handles the event; the handler reads it afterwards.
            const bool release = event->type() == QEvent::MouseButtonRelease;
            QTimer::singleShot(0, this, [this, release] { HTMLSourceMouseUp(release); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void TagEditorCommands::showTag(const LoadedTag &tag)
{
    m_tag = tag;
    m_editedRow = -1;
    m_page->setRows(m_tag.rows);
    QComboBox *values = m_page->valueCombo();
    {
        const QSignalBlocker block(values);
        values->clear();
    }
    m_page->setBoxText(TTagEditorPage::Box::Value, QString());
    m_page->showBox(TTagEditorPage::Box::Value);
    m_page->setBoxesEnabled(false);
}

void TagEditorCommands::EditTag1Click(bool fromContextMenu)
{
    TDocumentPage *page = m_form.activePage();
    if (!page || page->buffer().selLength() == 0 || m_form.isColouringRunning())
        return;
    LoadResult result = loadSelection(page->buffer(), m_form.tagDatabase());
    switch (result.check) {
    case SelectionCheck::Empty:
        return;
    case SelectionCheck::NotWholeTag:
        m_form.prompter().inform(warningCaption(), notWholeTagMessage(), PromptIcon::Information);
        return;
    case SelectionCheck::ClosingTag:
        m_form.prompter().inform(warningCaption(), closingTagMessage(), PromptIcon::Information);
        return;
    case SelectionCheck::WholeTag:
        break;
    }
    result.tag.pageId = page->undoId();
    showTag(result.tag);
    if (fromContextMenu)
        CurrentTagEditor1Click();
}

void TagEditorCommands::TagEditorClick()
{
    using Box = TTagEditorPage::Box;
    const int row = m_page->currentRow();
    if (row < 0 || row >= m_tag.rows.size())
        return;
    m_editedRow = row;
    m_page->setBoxesEnabled(true);
    Row &current = m_tag.rows[row];
    const EditValue edit = unquoted(current.value);
    const QStringList values = m_tag.record >= 0
        ? attributeValues(m_form.tagDatabase(), current.attribute, m_tag.name)
        : QStringList();

    QComboBox *valueCombo = m_page->valueCombo();
    {
        const QSignalBlocker block(valueCombo);
        valueCombo->clear();
        valueCombo->addItems(values);
    }
    m_page->setBoxText(Box::Value, edit.text);
    switch (valueKind(values)) {
    case ValueKind::Colors:
        m_page->setBoxText(Box::Color, edit.text.isEmpty() ? QString() : colourBoxText(edit.text));
        m_page->showBox(Box::Color);
        break;
    case ValueKind::Styles:
        if (TDocumentPage *page = m_form.activePage()) {
            const QString folder
                = page->isUntitled() ? QString() : QFileInfo(page->fileName()).absolutePath();
            m_page->setStyleClasses(StyleLists::rebuild(page->buffer(), folder).list);
        }
        m_page->setBoxText(Box::FontStyle, edit.text);
        m_page->showBox(Box::FontStyle);
        break;
    case ValueKind::Fonts:
        m_page->setBoxText(Box::FontName, edit.text);
        m_page->showBox(Box::FontName);
        break;
    case ValueKind::List:
        m_page->showBox(Box::Value);
        break;
    }
    if (edit.quoted) {
        current.value = requoted(edit);
        m_page->setRowValue(row, current.value);
    }
}

void TagEditorCommands::setEditedRowValue(const QString &value)
{
    if (m_editedRow < 0 || m_editedRow >= m_tag.rows.size())
        return;
    m_tag.rows[m_editedRow].value = value;
    m_page->setRowValue(m_editedRow, value);
}

void TagEditorCommands::boxCommitted(TTagEditorPage::Box box, bool typed)
{
    switch (box) {
    case TTagEditorPage::Box::Value:
        ValueComboChange(typed);
        break;
    case TTagEditorPage::Box::Color:
        ColorComboChange();
        break;
    case TTagEditorPage::Box::FontName:
        FontComboChange();
        break;
    case TTagEditorPage::Box::FontStyle:
        StyleComboChange();
        break;
    }
}

void TagEditorCommands::ValueComboChange(bool typed)
{
    if (m_editedRow < 0)
        return;
    QString text = m_page->valueCombo()->currentText();
    if (typed) {
        text = quotedText(text);
        m_page->setBoxText(TTagEditorPage::Box::Value, text);
    }
    setEditedRowValue(text);
}

void TagEditorCommands::ColorComboChange()
{
    if (m_editedRow < 0)
        return;
    const QString text = m_page->colorCombo()->currentText().trimmed();
    // An emptied box takes the attribute out, as an emptied value box does.
    const QString value = text.isEmpty() ? QString() : colourValue(text, m_form.editorSettings().names);
    // The box names the colour (beside its swatch); the row shows what is written into the tag.
    m_page->setBoxText(TTagEditorPage::Box::Color, value.isEmpty() ? QString() : colourBoxText(value));
    setEditedRowValue(value);
}

void TagEditorCommands::FontComboChange()
{
    if (m_editedRow < 0)
        return;
    const QString value = quotedText(m_page->fontNameCombo()->currentText().trimmed());
    m_page->setBoxText(TTagEditorPage::Box::FontName, value);
    setEditedRowValue(value);
}

void TagEditorCommands::StyleComboChange()
{
    if (m_editedRow < 0)
        return;
    const QString value = quotedText(m_page->fontStyleCombo()->currentText().trimmed());
    m_page->setBoxText(TTagEditorPage::Box::FontStyle, value);
    setEditedRowValue(value);
}

void TagEditorCommands::ApplyClick()
{
    // Text still being typed into a box counts, whichever way Apply was reached.
    m_page->commitTypedText();
    if (!m_tag.isLoaded() || m_tag.rows.isEmpty() || m_form.editorBusy().isSet())
        return;
    TDocumentPage *page = nullptr;
    for (int i = 0; i < m_form.pageCount() && !page; ++i) {
        if (m_form.page(i)->undoId() == m_tag.pageId)
            page = m_form.page(i);
    }
    if (!page) {
        m_form.prompter().inform(warningCaption(), pageClosedMessage(), PromptIcon::Information);
        return;
    }
    if (page != m_form.activePage())
        m_form.documents().activate(page);
    if (checkApply(page->buffer(), m_tag) == ApplyStatus::TagMoved) {
        m_form.prompter().inform(warningCaption(), tagMovedMessage(), PromptIcon::Information);
        return;
    }
    m_form.recordUndoStep(QStringLiteral("Edit Tag"));
    ApplyResult result;
    {
        const EditorBusy::Hold hold(m_form.editorBusy());
        result = applyTag(page->buffer(), m_tag, m_form.editorSettings().upper);
    }
    if (result.status != ApplyStatus::Applied)
        return;
    m_form.FormatTags(result.start, result.end);
    m_form.markModified();
}

void TagEditorCommands::HTMLSourceMouseUp(bool release)
{
    m_form.prompting().hideLists();
    TDocumentPage *page = m_form.activePage();
    if (!page)
        return;
    TSourceEditor *editor = page->editor();
    editor->setToolTip(QString());
    if (!release)
        QToolTip::hideText();

    // The insertion colour needs no setting after a click: the colouring engine colours typed text from
    // what surrounds it.
    m_form.updateEditMenu();

    EditorBuffer &buffer = page->buffer();
    const int caret = buffer.selStart();
    if (caret <= 0)
        return; // no character before the caret: not inside a tag
    using Colouring::Class;
    const Class before = page->colouring()->classAt(caret - 1);
    const EditorSettings &settings = m_form.editorSettings();
    const TagDatabase &database = m_form.tagDatabase();

    if (settings.tagEdit && before != Class::Text && before != Class::Entity && before != Class::Comment
        && !m_form.isColouringRunning()) {
        if (const std::optional<Span> span = startTagAround(buffer, caret)) {
            const QString text = buffer.textRange(span->start, span->start + span->length);
            // A click never asks anything: a tag that cannot be edited is simply not loaded.
            if (checkSelection(text) == SelectionCheck::WholeTag) {
                LoadedTag tag = loadTag(text, span->start, database);
                tag.pageId = page->undoId();
                showTag(tag);
            }
        }
    }

    if (settings.tagInfo && before != Class::Text && before != Class::Entity) {
        if (const std::optional<NameAt> at = tagNameAt(buffer, caret)) {
            const QString tip = tagTooltip(database, *at);
            editor->setToolTip(tip);
            if (release && !tip.isEmpty())
                QToolTip::showText(QCursor::pos(), tip, editor);
        }
    }
}

void TagEditorCommands::HTMLPopupPopup()
{
    m_form.updateEditMenu();
    TDocumentPage *page = m_form.activePage();
    const QString selected = page ? page->buffer().selText() : QString();
    const bool editable = isWholeStartTag(selected) && !m_form.isColouringRunning();
    m_editTagAction->setEnabled(editable);
    if (QAction *wizard = m_form.action(QStringLiteral("EditinDialog1"))) {
        const QString wizards = ProgramFolder::find(QStringLiteral("Wizards"));
        wizard->setEnabled(editable && hasWizard(selected, wizards));
    }
    for (QAction *item : m_form.htmlPopup()->actions()) {
        if (item->text() == QStringLiteral("&Add as Code Section"))
            item->setEnabled(!selected.isEmpty());
    }
}

void TagEditorCommands::CurrentTagEditor1Click()
{
    if (auto *pages = m_form.findChild<QTabWidget *>(QStringLiteral("ToolPages")))
        pages->setCurrentWidget(m_page);
    if (QAction *item = m_form.action(QStringLiteral("CurrentTagEditor1")))
        item->setChecked(true);
}
