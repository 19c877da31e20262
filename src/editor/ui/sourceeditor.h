// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// QScintilla's headers declare their signals and slots with the keywords this project switches off.
// Include them through this header, before any other QScintilla header.
#define signals Q_SIGNALS
#define slots Q_SLOTS
#include <Qsci/qsciscintilla.h>
#undef signals
#undef slots

#include <QByteArray>
#include <QColor>

// The source editor of a document page: UTF-8 text with CR LF breaks, plain text in one style until the
// colouring engine styles it, and no undo of its own (the program keeps one undo list for every change).
// Owned by its page; commands reach its text through an EditorBuffer.
class TSourceEditor : public QsciScintilla
{
    Q_OBJECT
public:
    explicit TSourceEditor(QWidget *parent = nullptr);

    using QsciScintilla::setFont;
    void setFont(const QString &family, int pointSize);
    void setColours(QColor text, QColor background);
    // Lines longer than this many bytes are never wrapped: laying a line out for wrapping costs in
    // proportion to its length, and at this length a key typed in it starts to lag.
    static constexpr long longLineBytes = 512 * 1024;
    // Word wrap as the user wants it. While the text holds a longer line than longLineBytes the page is
    // shown unwrapped instead (wrapSuspended), and wraps again once no such line is left.
    void setWordWrap(bool on);
    bool wordWrap() const;
    bool wrapSuspended() const { return m_wrapSuspended; }
    // Wrap is wanted but held back by a long line: the page says so.
    bool wrapHeldBack() const { return m_wrapWanted && m_wrapSuspended; }
    // The change being announced while userEditStarting is sent: a receiver that starts following the
    // editor's changes only then would miss it.
    struct Announced
    {
        long position = -1;
        long length = 0;
        bool inserting = false;
    };
    Announced announcedEdit() const { return m_announced; }

    // Brings wrapSuspended up to date with the edits made since the last check. It runs by itself
    // before the next paint and once the event loop is free.
    void checkLongLines();

    // Replaces the whole text with UTF-8 bytes whose breaks are already CR LF, without converting them;
    // the caret goes to the start and the view to the top.
    void loadUtf8(const QByteArray &crlfUtf8);
    // The same for any Scintilla editor, for buffers that wrap an editor they did not configure.
    static void loadUtf8(QsciScintillaBase *editor, const QByteArray &crlfUtf8);

Q_SIGNALS:
    // The first change to the text made by the user's own input (a key, a drop, a middle-click paste, an
    // input method), sent before the text changes, so the change can be recorded for undo.
    void userEditStarting();
    // wrapHeldBack() changed.
    void wrapHeldBackChanged(bool heldBack);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Ctrl with the wheel zooms the text, as in other Linux editors.
    void wheelEvent(QWheelEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Marks the span of one piece of user input; nested spans count as one.
    class UserInput
    {
    public:
        explicit UserInput(TSourceEditor &editor);
        ~UserInput();

    private:
        TSourceEditor &m_editor;
    };
    int m_userInputDepth = 0;
    bool m_userEditAnnounced = false;
    int m_zoomDelta = 0; // wheel angle with Ctrl not yet turned into a zoom step

    void noteEdit(long position, long inserted, bool deleting);
    void applyWrap();
    Announced m_announced;
    bool m_wrapWanted = false;
    bool m_wrapSuspended = false;
    // Edits not yet checked for long lines: the bytes from m_checkFrom, m_checkLength of them inserted,
    // and whether something was deleted (a marked line may have become short).
    long m_checkFrom = -1;
    long m_checkLength = 0;
    bool m_checkMarked = false;
    bool m_checkQueued = false;
};
