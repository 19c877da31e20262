// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/currenttag.h"
#include "editor/ui/tageditorpage.h"

#include <QObject>
#include <QPointer>

class EditorHost;
class PromptingCommands;
class TSourceEditor;

// The current-tag editor and the tag parts of the editor's click handler: loading a tag into the left
// pane's "Current Tag Editor" page, editing its values, writing it back, the tag tooltip, loading on
// click, and the enabling of the editor's context menu. The logic is CurrentTag's; this unit reads the
// widgets and the active page, runs it and shows the result. Owned by the main window.
class TagEditorCommands : public QObject
{
    Q_OBJECT
public:
    TagEditorCommands(EditorHost &host, PromptingCommands &prompting);
    ~TagEditorCommands() override;

    // The left pane's page; the pane owns it.
    TTagEditorPage *createPage();
    // "&Edit Tag" in the editor's context menu, and the menu's enabling when it opens.
    void connectActions();
    // Runs the click handler on every mouse press and release in editor.
    void watchEditor(TSourceEditor *editor);

    // fromContextMenu also brings the page into view.
    void EditTag1Click(bool fromContextMenu = false);
    void TagEditorClick();
    void ValueComboChange(bool typed);
    void ColorComboChange();
    void FontComboChange();
    void StyleComboChange();
    void ApplyClick();
    // The click handler of the editor, run after the press (release false) and after the release.
    void HTMLSourceMouseUp(bool release = true);
    void HTMLPopupPopup();
    void CurrentTagEditor1Click();

    TTagEditorPage *page() const { return m_page; }
    const CurrentTag::LoadedTag &loadedTag() const { return m_tag; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showTag(const CurrentTag::LoadedTag &tag);
    // Writes value into the row being edited (the one TagEditorClick filled the boxes for).
    void setEditedRowValue(const QString &value);
    void boxCommitted(TTagEditorPage::Box box, bool typed);

    EditorHost &m_host;
    PromptingCommands &m_prompting;
    QPointer<TTagEditorPage> m_page;
    CurrentTag::LoadedTag m_tag;
    int m_editedRow = -1;
};
