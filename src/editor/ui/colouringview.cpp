// SPDX-License-Identifier: GPL-3.0-or-later
#include "colouringview.h"

#include "editor/ui/sourceeditor.h"

#include "editor/bodyattributes.h"
#include "editor/plainbuffer.h"
#include "editor/ui/editorbuffer.h"

#include <algorithm>
#include <utility>

using Colouring::Class;

namespace {

// Styling is handed to Scintilla in slices of this many bytes, so a long request needs no big buffer.
constexpr long sliceBytes = 256 * 1024;

} // namespace

// The editor's UTF-8 bytes as the engine reads them. Scintilla moves its gap out of the range asked for,
// which costs only the distance from the last edit.
class TColouringView::Source : public Colouring::TextSource<char>
{
public:
    explicit Source(TSourceEditor *editor)
        : m_editor(editor)
    { }
    qsizetype length() const override { return m_editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH); }
    const char *range(qsizetype position, qsizetype count) const override
    {
        return reinterpret_cast<const char *>(m_editor->SendScintilla(
            QsciScintillaBase::SCI_GETRANGEPOINTER, static_cast<unsigned long>(position), long(count)));
    }

private:
    TSourceEditor *m_editor;
};

namespace {

// How far past the styled end a question may style the text to answer from the styles.
constexpr long styleAheadBytes = 1 << 20;

} // namespace

TColouringView::TColouringView(TSourceEditor *editor)
    : QObject(editor)
    , m_editor(editor)
    , m_source(std::make_unique<Source>(editor))
    , m_engine(std::make_unique<Colouring::Engine<char>>())
{
    editor->SendScintilla(
        QsciScintillaBase::SCI_SETLEXER, static_cast<unsigned long>(QsciScintillaBase::SCLEX_CONTAINER));
    m_engine->reset(*m_source);
    // The editor's modification mask stays as it is (before-insert and before-delete only): asking for
    // the after-change notifications would make Debian's build count characters on every keystroke.
    connect(editor, &QsciScintillaBase::SCN_MODIFIED, this,
        [this](int position, int type, const char *, int length, int, int, int, int, int, int) {
            modified(position, type, length);
        });
    connect(editor, &QsciScintillaBase::SCN_STYLENEEDED, this, &TColouringView::styleNeeded);
    applyStyles();
}

TColouringView::~TColouringView() = default;

// Scintilla announces an insert without its bytes, so the insert is recorded once it is made: at the
// next announcement or the next question, whichever comes first.
void TColouringView::modified(int position, int type, int length)
{
    flushInsert();
    if (type & QsciScintillaBase::SC_MOD_BEFOREDELETE) {
        m_engine->removed(position, length);
    } else if (type & QsciScintillaBase::SC_MOD_BEFOREINSERT) {
        m_pendingPosition = position;
        m_pendingLength = length;
    }
}

void TColouringView::flushInsert() const
{
    if (m_pendingLength <= 0)
        return;
    const qsizetype length = std::exchange(m_pendingLength, 0);
    m_engine->inserted(m_pendingPosition, m_source->range(m_pendingPosition, length), length);
}

// Scintilla asks for styles from the line of its styled end up to position, as it paints or wraps.
void TColouringView::styleNeeded(int position) const
{
    flushInsert();
    const long length = m_editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    const long styledEnd = m_editor->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED);
    long from = m_editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE,
        m_editor->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, styledEnd));
    const long lastLine = m_editor->SendScintilla(
        QsciScintillaBase::SCI_LINEFROMPOSITION, std::clamp<long>(position, 0, length));
    const long to
        = std::max(from, long(m_editor->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, lastLine)));
    // The line break takes the class of what is open before it; style it too so the styled end moves on.
    const long end = std::min(length,
        lastLine + 1 < m_editor->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT)
            ? long(m_editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, lastLine + 1))
            : to);
    while (from < end) {
        const long sliceEnd = std::min(end, from + sliceBytes);
        m_styles.resize(size_t(sliceEnd - from));
        m_engine->classes(*m_source, from, sliceEnd, m_styles.data());
        m_editor->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, static_cast<unsigned long>(from), 0x1fL);
        m_editor->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX,
            static_cast<unsigned long>(sliceEnd - from), reinterpret_cast<const char *>(m_styles.data()));
        from = sliceEnd;
    }
    if (m_styles.capacity() > size_t(sliceBytes))
        std::vector<Class>().swap(m_styles);
}

void TColouringView::setColourSet(const ColourSet &colours)
{
    m_colours = colours;
    applyStyles();
}

// The BODY colours are read from a copy of the BODY tag alone: the reader adds a missing attribute, and
// looking at colours must not change the page (nor mark it modified).
void TColouringView::readDocColours()
{
    const EditorBuffer buffer(m_editor);
    m_textColor = StrToColor(QStringLiteral("#000000"));
    m_backColor = StrToColor(QStringLiteral("#FFFFFF"));
    const int body = buffer.findText(QStringLiteral("<BODY"), 0, buffer.length());
    if (body <= 0)
        return;
    const int close = buffer.findText(QStringLiteral(">"), body, buffer.length() - body);
    if (close < 0)
        return;
    // The reader ignores a BODY tag at the very start, so the copy keeps one character before it.
    PlainBuffer tag(u' ' + buffer.textRange(body, close + 1));
    using BodyAttributes::Case;
    m_textColor = StrToColor(
        BodyAttributes::read(tag, QStringLiteral("TEXT="), QStringLiteral("#000000"), Case::Upper).value);
    m_backColor = StrToColor(
        BodyAttributes::read(tag, QStringLiteral("BGCOLOR="), QStringLiteral("#FFFFFF"), Case::Upper).value);
}

void TColouringView::applyStyles()
{
    if (m_colours.useDocSettings) {
        readDocColours();
    } else {
        m_textColor = m_colours.textColor;
        m_backColor = m_colours.backColor;
    }
    m_editor->setColours(toQColor(m_textColor), toQColor(m_backColor));
    const std::pair<Class, TColor> classColours[] = { { Class::Tag, m_colours.tagColor },
        { Class::Comment, m_colours.commentColor }, { Class::String, m_colours.stringColor },
        { Class::Hex, m_colours.hexColor }, { Class::Entity, m_colours.charColor } };
    for (const auto &[style, colour] : classColours)
        m_editor->SendScintilla(QsciScintillaBase::SCI_STYLESETFORE, static_cast<unsigned long>(style),
            toQColor(m_colours.formatting ? colour : m_textColor));
}

void TColouringView::Refresh()
{
    m_pendingLength = 0;
    m_engine->reset(*m_source);
    applyStyles();
    m_editor->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, 0UL, 0x1fL);
    m_editor->viewport()->update();
}

void TColouringView::FormatTags(int start, int end)
{
    flushInsert();
    const EditorBuffer buffer(m_editor);
    const long from = buffer.bytePosition(std::min(start, end));
    const long to = buffer.bytePosition(std::max(start, end), EditorBuffer::RoundUp);
    m_engine->update(*m_source, m_engine->lineAt(to));
    // Scintilla restyles from here on whatever it shows next.
    if (m_editor->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED) > from)
        m_editor->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, static_cast<unsigned long>(from), 0x1fL);
    m_editor->viewport()->update();
}

Class TColouringView::classAt(int position) const
{
    // A buffer of its own for each question: one kept would outlive the editor's Scintilla part.
    const EditorBuffer buffer(m_editor);
    if (position < 0 || position >= buffer.length())
        return Class::Text;
    flushInsert();
    const long byte = buffer.bytePosition(position);
    // Scintilla keeps the class of every styled byte: a walk back over a long string then costs one scan
    // of its line, not one per character. Far beyond what is styled the engine answers alone.
    const long styled = m_editor->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED);
    if (byte >= styled + styleAheadBytes)
        return m_engine->classAt(*m_source, byte);
    if (byte >= styled)
        styleNeeded(int(byte) + 1);
    const long style
        = m_editor->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(byte));
    return style >= 0 && style < Colouring::classCount ? Class(style) : m_engine->classAt(*m_source, byte);
}

Colouring::State TColouringView::stateAt(int position) const
{
    const EditorBuffer buffer(m_editor);
    flushInsert();
    return m_engine->stateAt(*m_source, buffer.bytePosition(position));
}

TColor TColouringView::colourAt(int position) const
{
    if (!m_colours.formatting)
        return m_textColor;
    switch (classAt(position)) {
    case Class::Tag:
        return m_colours.tagColor;
    case Class::Comment:
        return m_colours.commentColor;
    case Class::String:
        return m_colours.stringColor;
    case Class::Hex:
        return m_colours.hexColor;
    case Class::Entity:
        return m_colours.charColor;
    case Class::Text:
        break;
    }
    return m_textColor;
}
