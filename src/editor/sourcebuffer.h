// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>
#include <QStringView>

class QStringMatcher;

namespace Search {
enum Option {
    NoOptions = 0,
    MatchCase = 0x1,
    WholeWord = 0x2,
};
Q_DECLARE_FLAGS(Options, Option)
} // namespace Search
Q_DECLARE_OPERATORS_FOR_FLAGS(Search::Options)

// The editor operations every command is written in. Positions count UTF-16 code units from 0, and a
// line break is always CR LF, counting two: text put into a buffer has its line breaks made CR LF.
// Selection follows the old rich-edit control: setting the start collapses the selection, setting the
// length extends it from the start, and replacing the selected text leaves the caret after the new text.
// A selection never splits a surrogate pair: a start inside one moves to the pair's start, an end inside
// one to its end, as the editor cannot put its caret between the halves of a character.
class SourceBuffer
{
public:
    virtual ~SourceBuffer() = default;

    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
    virtual int length() const = 0;

    // The text from start up to end, clamped to the buffer.
    virtual QString textRange(int start, int end) const = 0;
    QChar charAt(int position) const;

    virtual int selStart() const = 0;
    virtual int selLength() const = 0;
    virtual void setSelStart(int start) = 0;
    virtual void setSelLength(int length) = 0;
    void select(int start, int length);
    QString selText() const;
    virtual void setSelText(const QString &text) = 0;

    // Searches start .. start + length (clamped) for text and returns where it starts, or -1. Letter case
    // is ignored unless MatchCase is given, as the old control did when given no options.
    virtual int findText(
        const QString &what, int start, int length, Search::Options options = Search::NoOptions) const;

    // Lines end at CR LF; a text ending in CR LF has an empty last line, and an empty text one line.
    virtual int lineCount() const = 0;
    // The line without its break; empty for a line that does not exist.
    virtual QString line(int index) const = 0;
    QStringList lines() const;
    // The line holding position (clamped to the text); the CR LF belongs to the line it ends.
    virtual int lineFromPosition(int position) const = 0;
    // Where the line starts; lineCount() gives the length of the text, any other line outside the text -1.
    virtual int positionFromLine(int line) const = 0;

    // Turns every line break (CR LF, lone LF, lone CR) into CR LF.
    static QString normalizeLineBreaks(const QString &text);

protected:
    // The range start .. end that replacing the selection actually replaces: a line break is never split,
    // so an end point between its CR and LF takes in the whole break, and an empty selection there
    // moves before the CR.
    void wholeLineBreaks(int &start, int &end) const;

    // Where the matcher's pattern first occurs in range at or after from, and with WholeWord stands as a
    // word within range (letters, digits and '_' make words); -1 if nowhere. Implementations that search
    // piecewise call this so every buffer finds the same places.
    static qsizetype indexIn(QStringView range, qsizetype from, const QStringMatcher &matcher,
        qsizetype patternLength, Search::Options options);
};
