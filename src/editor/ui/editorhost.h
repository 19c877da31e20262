// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/document.h"
#include "base/ui/commandhost.h"

#include <QObject>
#include <QRect>

class EditorBuffer;
class QLabel;
class TColouringView;
class TSourceEditor;
class TagDatabase;
struct EditorSettings;

// What the window tells the editor's commands without being asked.
class EditorEvents : public QObject
{
    Q_OBJECT
Q_SIGNALS:
    // Another page became the active one (or the last one closed).
    void activePageChanged();
};

// What an editor command needs of the window: the active page's editor, its buffer, colouring and
// document, and the road every change takes (undo step, colouring, modified mark). The main window
// implements it; the editing commands, their dialogs and the tag dialogs are written against it alone.
class EditorHost : public CommandHost
{
public:
    // The active page's parts; null when no page is open.
    virtual TSourceEditor *activeEditor() const = 0;
    virtual EditorBuffer *activeBuffer() const = 0;
    virtual TColouringView *activeColouring() const = 0;
    virtual const Document *activeDocument() const = 0;
    // Makes the page of that document the active one; false when it has been closed.
    virtual bool activateDocument(DocumentId id) = 0;

    // Record undo step: a snapshot of the active page taken before a command changes it.
    virtual void recordUndoStep(const QString &name) = 0;
    // The first key of a typing burst records the "Typing" step; later keys of the burst nothing.
    virtual void typingKeyPress() = 0;
    virtual void markModified() = 0;
    // Colours the range of the active page.
    virtual void FormatTags(int start, int end) = 0;
    // The title and the BODY attributes may have changed: the title box and the caption read them again.
    virtual void documentTextReplaced() = 0;
    // The page's whole structure changed (Standard Tags): every document control reads it again.
    virtual void documentControlsChanged() = 0;
    // Strip Tags left no TITLE or BODY: the controls that edit them are disabled.
    virtual void disableTitleAndBodyControls() = 0;
    virtual void updatePreview() = 0;
    virtual void updateEditMenu() = 0;

    virtual const EditorSettings &editorSettings() const = 0;
    // The HTML vocabulary, read at start-up; empty until then.
    virtual const TagDatabase &tagDatabase() const = 0;
    virtual EditorEvents &events() = 0;
    // The left pane page of the current-tag editor comes to the front.
    virtual void showTagEditorPage() = 0;
    // Status panel n, 0 to 5 (the attribute ticker scrolls through panel 5).
    virtual QLabel *statusPanel(int panel) const = 0;
    // Where the pages are shown, in dialogParent()'s coordinates: pop-up lists stay inside it.
    virtual QRect pageArea() const = 0;

protected:
    ~EditorHost() = default;
};
