// SPDX-License-Identifier: GPL-3.0-or-later
#include "tageditorcommands.h"

#include "base/errorguard.h"
#include "base/productstrings.h"
#include "base/programfolder.h"
#include "base/prompter.h"
#include "base/settingsstore.h"
#include "base/ui/plaintext.h"
#include "editor/editorsettings.h"
#include "editor/tagdatabase.h"
#include "editor/ui/editorhost.h"

#include "promptingcommands.h"

#include "editor/stylelist.h"
#include "editor/tagcommands.h"
#include "editor/ui/colouringview.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QFontDatabase>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QToolTip>

using namespace CurrentTag;
using ActionTable::MenuId;

TagEditorCommands::TagEditorCommands(EditorHost &host, PromptingCommands &prompting)
    : m_host(host)
    , m_prompting(prompting)
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

void TagEditorCommands::connectActions()
{
    connect(m_host.action(ActionId::EditTag1), &QAction::triggered, this, [this] { EditTag1Click(true); });
    connect(m_host.menu(MenuId::HTMLPopup), &QMenu::aboutToShow, this, &TagEditorCommands::HTMLPopupPopup);
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
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!buffer || buffer->selLength() == 0)
        return;
    LoadResult result = loadSelection(*buffer, m_host.tagDatabase());
    switch (result.check) {
    case SelectionCheck::Empty:
        return;
    case SelectionCheck::NotWholeTag:
        m_host.prompter().inform(warningCaption(), notWholeTagMessage(), PromptIcon::Information);
        return;
    case SelectionCheck::ClosingTag:
        m_host.prompter().inform(warningCaption(), closingTagMessage(), PromptIcon::Information);
        return;
    case SelectionCheck::WholeTag:
        break;
    }
    result.tag.pageId = m_host.activeDocument()->id();
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
        ? attributeValues(m_host.tagDatabase(), current.attribute, m_tag.name)
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
        if (EditorBuffer *buffer = m_host.activeBuffer()) {
            m_page->setStyleClasses(StyleLists::rebuild(*buffer, m_host.activeDocument()->folder()).list);
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
    const QString value = text.isEmpty() ? QString() : colourValue(text, m_host.editorSettings().names);
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
    if (!m_tag.isLoaded() || m_tag.rows.isEmpty() || m_host.editorBusy().isSet())
        return;
    // Apply writes into the tag's own page, which may no longer be the active one.
    if (!m_host.activateDocument(m_tag.pageId)) {
        m_host.prompter().inform(warningCaption(), pageClosedMessage(), PromptIcon::Information);
        return;
    }
    EditorBuffer &buffer = *m_host.activeBuffer();
    if (checkApply(buffer, m_tag) == ApplyStatus::TagMoved) {
        m_host.prompter().inform(warningCaption(), tagMovedMessage(), PromptIcon::Information);
        return;
    }
    if (checkRewrite(m_tag, m_host.editorSettings().upper) == ApplyStatus::WouldBreak) {
        m_host.prompter().inform(warningCaption(), tagWouldBreakMessage(), PromptIcon::Information);
        return;
    }
    m_host.recordUndoStep(QStringLiteral("Edit Tag"));
    ApplyResult result;
    {
        const EditorBusy::Hold hold(m_host.editorBusy());
        result = applyTag(buffer, m_tag, m_host.editorSettings().upper);
    }
    if (result.status != ApplyStatus::Applied)
        return;
    m_host.FormatTags(result.start, result.end);
    m_host.markModified();
}

void TagEditorCommands::HTMLSourceMouseUp(bool release)
{
    m_prompting.hideLists();
    TSourceEditor *editor = m_host.activeEditor();
    if (!editor)
        return;
    editor->setToolTip(QString());
    if (!release)
        QToolTip::hideText();

    // The insertion colour needs no setting after a click: the colouring engine colours typed text from
    // what surrounds it.
    m_host.updateEditMenu();

    EditorBuffer &buffer = *m_host.activeBuffer();
    const int caret = buffer.selStart();
    if (caret <= 0)
        return; // no character before the caret: not inside a tag
    using Colouring::Class;
    const Class before = m_host.activeColouring()->classAt(caret - 1);
    const EditorSettings &settings = m_host.editorSettings();
    const TagDatabase &database = m_host.tagDatabase();

    if (settings.tagEdit && before != Class::Text && before != Class::Entity && before != Class::Comment) {
        if (const std::optional<Span> span = startTagAround(buffer, caret)) {
            const QString text = buffer.textRange(span->start, span->start + span->length);
            // A click never asks anything: a tag that cannot be edited is simply not loaded.
            if (checkSelection(text) == SelectionCheck::WholeTag) {
                LoadedTag tag = loadTag(text, span->start, database);
                tag.pageId = m_host.activeDocument()->id();
                showTag(tag);
            }
        }
    }

    if (settings.tagInfo && before != Class::Text && before != Class::Entity) {
        if (const std::optional<NameAt> at = tagNameAt(buffer, caret)) {
            const QString tip = tagTooltip(database, *at);
            editor->setToolTip(plainToolTip(tip));
            if (release && !tip.isEmpty())
                QToolTip::showText(QCursor::pos(), plainToolTip(tip), editor);
        }
    }
}

void TagEditorCommands::HTMLPopupPopup()
{
    m_host.updateEditMenu();
    const EditorBuffer *buffer = m_host.activeBuffer();
    const QString selected = buffer ? buffer->selText() : QString();
    const bool editable = isWholeStartTag(selected);
    m_host.action(ActionId::EditTag1)->setEnabled(editable);
    const QString wizards = ProgramFolder::findEntry(m_host.programFolder(), QStringLiteral("Wizards"));
    m_host.action(ActionId::EditinDialog1)->setEnabled(editable && hasWizard(selected, wizards));
}

void TagEditorCommands::CurrentTagEditor1Click()
{
    m_host.showTagEditorPage();
}
