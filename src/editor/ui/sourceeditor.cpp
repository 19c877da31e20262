// SPDX-License-Identifier: GPL-3.0-or-later
#include "sourceeditor.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>

namespace {

constexpr int sciKey(int key, int modifiers)
{
    return key | (modifiers << 16);
}

// Marks the lines longer than TSourceEditor::longLineBytes; Scintilla moves markers with their lines.
constexpr unsigned long longLineMarker = 24;
constexpr long longLineMask = 1L << longLineMarker;

} // namespace

namespace {

// QScintilla's accessible interface counts the characters from the start of the buffer to the caret each
// time the caret moves, so a key pressed deep in a big page cost a repaint of tens of milliseconds. The
// editor is described to accessibility tools as a plain editable-text widget instead; the factory looks at
// the most derived class first, so this one answers before QScintilla's.
QAccessibleInterface *sourceEditorAccessible(const QString &className, QObject *object)
{
    if (className == u"TSourceEditor" && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::EditableText);
    return nullptr;
}

} // namespace

TSourceEditor::TSourceEditor(QWidget *parent)
    : QsciScintilla(parent)
{
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(sourceEditorAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    setUtf8(true);
    SendScintilla(SCI_SETEOLMODE, SC_EOL_CRLF);
    SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
    // Debian's build turns every insert/delete-text notification into an accessibility event that counts
    // characters from the start of the buffer: a keystroke deep in a big page would cost milliseconds.
    SendScintilla(SCI_SETMODEVENTMASK, SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE);
    // EditorBuffer maps character positions to bytes through this index.
    SendScintilla(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
        [this](int position, int type, const char *, int length, int, int, int, int, int, int) {
            if (type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE))
                noteEdit(position, (type & SC_MOD_BEFOREINSERT) ? length : 0, type & SC_MOD_BEFOREDELETE);
            if (m_userInputDepth > 0 && !m_userEditAnnounced
                && (type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE))) {
                m_userEditAnnounced = true;
                m_announced = { position, length, bool(type & SC_MOD_BEFOREINSERT) };
                Q_EMIT userEditStarting();
                m_announced = {};
            }
        });

    SendScintilla(SCI_MARKERDEFINE, longLineMarker, static_cast<long>(SC_MARK_EMPTY));

    SendScintilla(SCI_SETHSCROLLBAR, 1L);
    SendScintilla(SCI_SETVSCROLLBAR, 1L);
    SendScintilla(SCI_SETSCROLLWIDTH, 1L);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1L);
    SendScintilla(SCI_SETLAYOUTCACHE, static_cast<unsigned long>(SC_CACHE_PAGE));
    // A found text stays marked while a dialog has the focus.
    SendScintilla(SCI_HIDESELECTION, 0L);
    const long margins = SendScintilla(SCI_GETMARGINS);
    for (long margin = 0; margin < margins; ++margin)
        SendScintilla(SCI_SETMARGINWIDTHN, static_cast<unsigned long>(margin), 0L);
    SendScintilla(SCI_SETMARGINLEFT, 0UL, 2L);

    // Undo belongs to the program's own list, and cut, copy, paste and the Ctrl letters of the program's
    // commands to the main window, so its actions must get these keys: the command set decides which
    // shortcuts the editor claims, Scintilla's key map what it does with them.
    for (const QsciCommand::Command command :
        { QsciCommand::Undo, QsciCommand::Redo, QsciCommand::SelectionCut, QsciCommand::SelectionCopy,
            QsciCommand::Paste, QsciCommand::LineCut, QsciCommand::LineCopy, QsciCommand::LineDelete,
            QsciCommand::LineTranspose, QsciCommand::SelectionDuplicate, QsciCommand::SelectionLowerCase,
            QsciCommand::SelectionUpperCase }) {
        if (QsciCommand *bound = standardCommands()->find(command)) {
            bound->setKey(0);
            bound->setAlternateKey(0);
        }
    }
    for (const int key :
        { sciKey('Z', SCMOD_CTRL), sciKey('Y', SCMOD_CTRL), sciKey('Z', SCMOD_CTRL | SCMOD_SHIFT),
            sciKey(SCK_BACK, SCMOD_ALT), sciKey('X', SCMOD_CTRL), sciKey('C', SCMOD_CTRL),
            sciKey('V', SCMOD_CTRL), sciKey(SCK_DELETE, SCMOD_SHIFT), sciKey(SCK_INSERT, SCMOD_CTRL),
            sciKey(SCK_INSERT, SCMOD_SHIFT), sciKey('L', SCMOD_CTRL), sciKey('L', SCMOD_CTRL | SCMOD_SHIFT),
            sciKey('T', SCMOD_CTRL), sciKey('T', SCMOD_CTRL | SCMOD_SHIFT), sciKey('D', SCMOD_CTRL),
            sciKey('U', SCMOD_CTRL), sciKey('U', SCMOD_CTRL | SCMOD_SHIFT) })
        SendScintilla(SCI_CLEARCMDKEY, static_cast<unsigned long>(key));
}

void TSourceEditor::setFont(const QString &family, int pointSize)
{
    SendScintilla(SCI_STYLESETFONT, STYLE_DEFAULT, family.toUtf8().constData());
    SendScintilla(SCI_STYLESETSIZE, STYLE_DEFAULT, static_cast<long>(pointSize));
    SendScintilla(SCI_STYLECLEARALL);
}

void TSourceEditor::setColours(QColor text, QColor background)
{
    SendScintilla(SCI_STYLESETFORE, STYLE_DEFAULT, text);
    SendScintilla(SCI_STYLESETBACK, STYLE_DEFAULT, background);
    SendScintilla(SCI_STYLECLEARALL);
    SendScintilla(SCI_SETCARETFORE, text);
}

void TSourceEditor::setWordWrap(bool on)
{
    const bool heldBack = wrapHeldBack();
    m_wrapWanted = on;
    applyWrap();
    if (wrapHeldBack() != heldBack)
        Q_EMIT wrapHeldBackChanged(wrapHeldBack());
}

bool TSourceEditor::wordWrap() const
{
    return m_wrapWanted;
}

void TSourceEditor::applyWrap()
{
    const long mode = m_wrapWanted && !m_wrapSuspended ? SC_WRAP_WORD : SC_WRAP_NONE;
    if (SendScintilla(SCI_GETWRAPMODE) != mode)
        SendScintilla(SCI_SETWRAPMODE, static_cast<unsigned long>(mode));
}

void TSourceEditor::noteEdit(long position, long inserted, bool deleting)
{
    // Positions after an earlier unchecked edit may have moved; the span checked covers both.
    if (m_checkFrom < 0) {
        m_checkFrom = position;
        m_checkLength = inserted;
    } else {
        const long end = std::max(m_checkFrom + m_checkLength, position) + inserted;
        m_checkFrom = std::min(m_checkFrom, position);
        m_checkLength = end - m_checkFrom;
    }
    m_checkMarked = m_checkMarked || deleting;
    if (!m_checkQueued) {
        m_checkQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_checkQueued = false;
            checkLongLines();
        });
    }
}

void TSourceEditor::checkLongLines()
{
    if (m_checkFrom < 0)
        return;
    const long length = SendScintilla(SCI_GETLENGTH);
    const long from = std::clamp(m_checkFrom, 0L, length);
    const long to = std::clamp(m_checkFrom + m_checkLength, from, length);
    const bool checkMarked = m_checkMarked;
    m_checkFrom = -1;
    m_checkLength = 0;
    m_checkMarked = false;

    // The lines the edits touched, read as bytes: a pasted page of many lines costs one pass.
    bool marked = false;
    long line = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(from));
    const long lastLine = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(to));
    const long start = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long end = SendScintilla(SCI_GETLINEENDPOSITION, static_cast<unsigned long>(lastLine));
    if (end - start > longLineBytes) {
        const char *text = reinterpret_cast<const char *>(
            SendScintilla(SCI_GETRANGEPOINTER, static_cast<unsigned long>(start), end - start));
        long at = 0;
        while (at <= end - start) {
            const void *found = std::memchr(text + at, '\n', size_t(end - start - at));
            const long next = found ? long(static_cast<const char *>(found) - text) : end - start;
            if (next - at > longLineBytes
                && !(SendScintilla(SCI_MARKERGET, static_cast<unsigned long>(line)) & longLineMask)) {
                SendScintilla(
                    SCI_MARKERADD, static_cast<unsigned long>(line), static_cast<long>(longLineMarker));
                marked = true;
            }
            at = next + 1;
            ++line;
        }
    }

    // Marked lines that are no longer long lose their mark; joined lines may carry two.
    if (checkMarked || marked || m_wrapSuspended) {
        long count = 0;
        for (long at = SendScintilla(SCI_MARKERNEXT, 0UL, longLineMask); at >= 0;
             at = SendScintilla(SCI_MARKERNEXT, static_cast<unsigned long>(at + 1), longLineMask)) {
            const long bytes = SendScintilla(SCI_GETLINEENDPOSITION, static_cast<unsigned long>(at))
                - SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(at));
            if (bytes > longLineBytes) {
                ++count;
                continue;
            }
            while (SendScintilla(SCI_MARKERGET, static_cast<unsigned long>(at)) & longLineMask)
                SendScintilla(
                    SCI_MARKERDELETE, static_cast<unsigned long>(at), static_cast<long>(longLineMarker));
        }
        const bool suspended = count > 0;
        if (suspended != m_wrapSuspended) {
            const bool heldBack = wrapHeldBack();
            m_wrapSuspended = suspended;
            applyWrap();
            if (wrapHeldBack() != heldBack)
                Q_EMIT wrapHeldBackChanged(wrapHeldBack());
        }
    }
}

void TSourceEditor::loadUtf8(const QByteArray &crlfUtf8)
{
    loadUtf8(this, crlfUtf8);
}

void TSourceEditor::loadUtf8(QsciScintillaBase *editor, const QByteArray &crlfUtf8)
{
    const bool readOnly = editor->SendScintilla(SCI_GETREADONLY);
    if (readOnly)
        editor->SendScintilla(SCI_SETREADONLY, 0L);
    // Building the UTF-16 index over the whole text afterwards is quicker than keeping it up to date
    // line by line while the text goes in. Its holders are counted, so each reference is put back.
    int indexHolders = 0;
    while (editor->SendScintilla(SCI_GETLINECHARACTERINDEX) & SC_LINECHARACTERINDEX_UTF16) {
        editor->SendScintilla(SCI_RELEASELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
        ++indexHolders;
    }
    // With wrapping on, Scintilla lays out every line of the new text at once (seconds for a big page);
    // switched on again afterwards, it wraps what is shown first and the rest when idle.
    const long wrap = editor->SendScintilla(SCI_GETWRAPMODE);
    if (wrap != SC_WRAP_NONE)
        editor->SendScintilla(SCI_SETWRAPMODE, static_cast<unsigned long>(SC_WRAP_NONE));
    // SCI_SETTEXT stops at the first NUL byte; a text holding one is appended with its length instead.
    if (crlfUtf8.contains('\0')) {
        editor->SendScintilla(SCI_CLEARALL);
        editor->SendScintilla(
            SCI_APPENDTEXT, static_cast<unsigned long>(crlfUtf8.size()), crlfUtf8.constData());
    } else {
        editor->SendScintilla(SCI_SETTEXT, 0UL, crlfUtf8.constData());
    }
    for (int i = 0; i < indexHolders; ++i)
        editor->SendScintilla(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
    if (readOnly)
        editor->SendScintilla(SCI_SETREADONLY, 1L);
    editor->SendScintilla(SCI_SETEMPTYSELECTION, 0L);
    editor->SendScintilla(SCI_SETFIRSTVISIBLELINE, 0L);
    editor->SendScintilla(SCI_SETXOFFSET, 0L);
    // A page with a line too long to wrap quickly is never wrapped, not even for a moment.
    if (auto *own = qobject_cast<TSourceEditor *>(editor)) {
        own->checkLongLines();
        own->applyWrap();
    } else if (wrap != SC_WRAP_NONE) {
        editor->SendScintilla(SCI_SETWRAPMODE, static_cast<unsigned long>(wrap));
    }
}

TSourceEditor::UserInput::UserInput(TSourceEditor &editor)
    : m_editor(editor)
{
    if (m_editor.m_userInputDepth++ == 0)
        m_editor.m_userEditAnnounced = false;
}

TSourceEditor::UserInput::~UserInput()
{
    --m_editor.m_userInputDepth;
}

void TSourceEditor::inputMethodEvent(QInputMethodEvent *event)
{
    const UserInput input(*this);
    QsciScintilla::inputMethodEvent(event);
}

void TSourceEditor::dropEvent(QDropEvent *event)
{
    // Dragging selected text moves it: a change by the user like any typed one.
    const UserInput input(*this);
    QsciScintilla::dropEvent(event);
}

void TSourceEditor::mousePressEvent(QMouseEvent *event)
{
    // The middle button pastes the primary selection.
    const UserInput input(*this);
    QsciScintilla::mousePressEvent(event);
}

void TSourceEditor::mouseReleaseEvent(QMouseEvent *event)
{
    const UserInput input(*this);
    QsciScintilla::mouseReleaseEvent(event);
}

void TSourceEditor::paintEvent(QPaintEvent *event)
{
    // What will be shown is styled before Scintilla paints. Styles that change while it paints outside the
    // area being painted (a "<" typed before text colours that text up to the next ">") make it abandon
    // the paint and lay out every line from the top of the view to the end of the page again, in case
    // the widths changed; ours never do (every style has the same font), and on a big wrapped page that
    // kept the window busy for more than a second after such a key.
    checkLongLines();
    if (SendScintilla(SCI_GETLEXER) == SCLEX_CONTAINER) {
        const long shown = SendScintilla(SCI_GETFIRSTVISIBLELINE) + SendScintilla(SCI_LINESONSCREEN) + 1;
        const long lastLine = SendScintilla(SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(shown));
        const long after = lastLine + 1 < SendScintilla(SCI_GETLINECOUNT)
            ? SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(lastLine + 1))
            : SendScintilla(SCI_GETLENGTH);
        if (SendScintilla(SCI_GETENDSTYLED) < after)
            Q_EMIT SCN_STYLENEEDED(int(after));
    }
    QsciScintilla::paintEvent(event);
}

void TSourceEditor::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        // A touchpad sends the notches in small parts; they are gathered into whole steps.
        m_zoomDelta += event->angleDelta().y();
        const int steps = m_zoomDelta / 120;
        m_zoomDelta -= steps * 120;
        if (steps > 0)
            zoomIn(steps);
        else if (steps < 0)
            zoomOut(-steps);
        event->accept();
        return;
    }
    QsciScintilla::wheelEvent(event);
}

void TSourceEditor::keyPressEvent(QKeyEvent *event)
{
    const UserInput input(*this);
    // Tab is typed as text, replacing a selection, rather than indenting the selected lines.
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::NoModifier && !isReadOnly()) {
        SendScintilla(SCI_REPLACESEL, "\t");
        event->accept();
        return;
    }
    QsciScintilla::keyPressEvent(event);
}
