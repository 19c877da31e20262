// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/colors.h"
#include "editor/colouring.h"
#include "editor/editorsettings.h"

#include <QObject>

#include <memory>
#include <vector>

class TSourceEditor;

// Colours one page's source editor. It keeps a colouring engine in step with the editor's text from the
// editor's before-insert and before-delete notifications and, acting as the editor's container lexer,
// styles only what Scintilla is about to show. It never touches the caret, the selection or the text.
// Owned by (and a child of) the editor it colours.
class TColouringView : public QObject
{
    Q_OBJECT
public:
    explicit TColouringView(TSourceEditor *editor);
    ~TColouringView() override;

    // Applies the colours to the editor's styles; with useDocSettings the BODY colours are read first.
    // Call after the editor's font is set (setting the font resets every style).
    void setColourSet(const ColourSet &colours);
    const ColourSet &colourSet() const { return m_colours; }
    // The text and background in use: the set's, or the page's BODY colours.
    TColor textColor() const { return m_textColor; }
    TColor backColor() const { return m_backColor; }

    // Scans the whole text again, re-reads the BODY colours and restyles what is shown.
    void Refresh();
    // Makes the colours of start .. end (character positions) current and restyles them when shown.
    void FormatTags(int start, int end);

    // The class and the shown colour of the character at a character position (text outside the text).
    // With Formatting off every character shows the text colour, while its class stays what it is.
    Colouring::Class classAt(int position) const;
    TColor colourAt(int position) const;
    // What is open just before a character position: text, a tag, a string in a tag or a comment.
    Colouring::State stateAt(int position) const;

    Colouring::Engine<char> &engine() { return *m_engine; }

private:
    class Source;
    void modified(int position, int type, int length);
    void flushInsert() const;
    void styleNeeded(int position) const;
    void readDocColours();
    void applyStyles();

    TSourceEditor *m_editor;
    std::unique_ptr<Source> m_source;
    std::unique_ptr<Colouring::Engine<char>> m_engine;
    mutable std::vector<Colouring::Class> m_styles;
    mutable qsizetype m_pendingPosition = 0;
    mutable qsizetype m_pendingLength = 0; // an insert announced but not yet recorded
    ColourSet m_colours;
    TColor m_textColor = 0x000000;
    TColor m_backColor = 0xFFFFFF;
};
