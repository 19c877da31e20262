// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

class SourceBuffer;

// Which page a step belongs to. The window gives every page its own value and never reuses one, so a
// step can never be applied to a page that merely took the place of a closed one.
using UndoPageId = quint64;

// A page's whole text as the undo list keeps it: either the QString a buffer returned, or the editor's
// own UTF-8 bytes (CR LF breaks), which take half the memory of UTF-16 for markup. Either way the value
// shares its data with what it was made from, so keeping it costs no copy.
class UndoText
{
public:
    UndoText() = default;
    static UndoText fromString(const QString &text);
    static UndoText fromUtf8(const QByteArray &crlfUtf8);

    bool isUtf8() const { return m_isUtf8; }
    // Each shares the stored data when the text is held in that form, and converts otherwise.
    QString toString() const;
    QByteArray toUtf8() const;
    // The stored data, for telling whether two values share it.
    const void *data() const;
    qsizetype dataBytes() const;

    // Same text; values held in different forms are converted to compare.
    bool operator==(const UndoText &other) const;

private:
    QString m_string;
    QByteArray m_utf8;
    bool m_isUtf8 = false;
};

// One change to a page's text, in the units of the buffer that reported it (the editor's UTF-8 bytes of
// the CR LF text): at `position`, `removed` was taken out and `inserted` put in.
struct UndoEdit
{
    qsizetype position = 0;
    QByteArray removed;
    QByteArray inserted;

    bool operator==(const UndoEdit &other) const = default;
};

// What a step keeps of a page and gives back: the text and the selection. A state made by byEdits()
// keeps no text: its step gathers the page's edits from then on (noteEdit), so a step costs what it
// changed rather than the page's size.
struct UndoState
{
    UndoText text;
    int selStart = 0;
    int selLength = 0;
    bool keepsText = true;

    static UndoState byEdits(int selStart, int selLength) { return { {}, selStart, selLength, false }; }
};

// The state of any buffer, its text as a QString.
UndoState undoStateOf(const SourceBuffer &buffer);

// What Undo or Redo hands back to put into the page: activate `page`, replace its whole text, select as
// given, colour the text and mark the page modified.
struct UndoRestore
{
    UndoPageId page = 0;
    UndoState state;
    QString description;
    // The restored text need not match the file any more (a change, Save, Undo): closing must ask.
    bool pageModified = true;
    // When state.keepsText is false, the text is restored by making these edits in order instead.
    QList<UndoEdit> edits = {};
};

// Replaces the buffer's text and selection with the restored ones. Edits count positions in the UTF-8
// bytes of the buffer's text.
void applyUndoRestore(const UndoRestore &restore, SourceBuffer &buffer);
// The UTF-8 edit that turns `before` into `after`: their common start and end left out.
UndoEdit undoEditBetween(const QByteArray &before, const QByteArray &after);

// The program's one undo list for all pages: the state taken before each command changes a page (a
// whole-text snapshot, or a step that gathers the page's edits), at most maxSteps of them, with the redo
// steps of the last Undos. Keys typed with less than typingIntervalMs between them form one "Typing" step;
// the window drives the typing timer and calls typingTimerFired(). Owned by the main window; knows nothing of
// widgets.
class UndoList
{
public:
    static constexpr qsizetype maxSteps = 19;
    static constexpr int typingIntervalMs = 2000;

    // Record step: `before` is the page's state just before the command named `description` changes it.
    // Discards the redo steps, ends a typing burst, and drops the oldest step beyond maxSteps.
    void recordStep(UndoPageId page, const UndoState &before, const QString &description);

    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < m_steps.size(); }
    qsizetype undoCount() const { return m_position; }
    qsizetype redoCount() const { return m_steps.size() - m_position; }
    // The step names, and the hints "Undo <name>" / "Redo <name>"; empty when there is none.
    QString undoDescription() const;
    QString redoDescription() const;
    QString undoHint() const;
    QString redoHint() const;

    // Undo in two calls, so the redo snapshot is always read from the right page: undoPage() names the
    // page to activate; once it is active, undo() takes its current state and returns what to restore.
    // undo() refuses (and changes nothing) when given another page than undoPage() named.
    std::optional<UndoPageId> undoPage() const;
    std::optional<UndoRestore> undo(UndoPageId page, const UndoState &current);
    // Redo likewise: activate redoPage(), then apply what redo() returns.
    std::optional<UndoPageId> redoPage() const;
    std::optional<UndoRestore> redo(UndoPageId page);

    // Remove page records: the closed page's steps go from both the undo and the redo steps.
    void removePageRecords(UndoPageId page);
    // A change to the text that was not recorded as a step still makes the redo steps invalid.
    void discardRedo();
    // Every change to a page's text except those Undo and Redo make: it belongs to the page's latest
    // step that can be undone. The page's redo steps cannot be replayed over it: Redo is emptied.
    void noteEdit(UndoPageId page, const UndoEdit &edit);

    // At the start of each key press that types into `page`: the first key of a burst records a "Typing"
    // step with the state readState() returns; later keys of the burst record nothing (and do not read
    // the page). Returns true when a step was recorded. The caller (re)starts its typing timer after
    // every call.
    template <typename ReadState> bool typingKeyPress(UndoPageId page, ReadState &&readState);
    // The typing timer ran out: the next key starts a new step.
    void typingTimerFired() { endTypingBurst(); }
    // Another page became active: typing there is a step of its own.
    void pageChanged() { endTypingBurst(); }
    void endTypingBurst() { m_typing = false; }
    // While true the typing image shows, otherwise the no-typing image.
    bool isTyping() const { return m_typing; }

    // Bytes of text the list holds, counting shared data once.
    qsizetype heldTextBytes() const;

private:
    struct Step
    {
        UndoPageId page = 0;
        QString description;
        UndoState before;
        // Set while the step is undone: the page's state when Undo was chosen, which Redo puts back.
        UndoState after;
        // A step recorded byEdits: what changed on its page from its recording to the page's next step.
        QList<UndoEdit> edits = {};
    };

    void appendStep(UndoPageId page, const UndoState &before, const QString &description);

    QList<Step> m_steps; // oldest first; 0 .. m_position - 1 can be undone, the rest redone
    qsizetype m_position = 0;
    bool m_typing = false;
    UndoPageId m_typingPage = 0;
};

template <typename ReadState> bool UndoList::typingKeyPress(UndoPageId page, ReadState &&readState)
{
    // A burst never spans pages. Undo and Redo end a burst, so its first key always discards the redo
    // steps.
    if (m_typing && m_typingPage == page)
        return false;
    appendStep(page, std::forward<ReadState>(readState)(), QStringLiteral("Typing"));
    m_typing = true;
    m_typingPage = page;
    return true;
}
