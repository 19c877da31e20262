// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/sourcebuffer.h"

#include <QString>

// Find Next, Replace and Replace All over a page's buffer. It remembers where the last match started, so
// that the next search steps over the match the caret still stands on. Owned by the search commands; the
// buffer is handed in with each call.
class FindReplace
{
public:
    enum class Result {
        Found,
        NotFound,
        NothingToFind, // the search text was empty: nothing was looked at or moved
    };

    // Searches forward from the caret (one past it when it stands on the last match) and selects the
    // match. When there is none the caret goes to the end of the text and the last match is forgotten.
    Result findNext(SourceBuffer &buffer, const QString &text, Search::Options options);
    // True when the selection is findText, letter case ignored: what Replace needs before it changes text.
    static bool selectionMatches(const SourceBuffer &buffer, const QString &findText);
    // Replaces the selection when it is the find text (letter case ignored); false, and nothing changed,
    // otherwise. The caret is left after the replacement, where the next search starts.
    bool replace(SourceBuffer &buffer, const QString &findText, const QString &replacement);
    // Replaces every match from the caret to the end and returns how many were replaced. Each search
    // resumes after the text just put in, so a replacement that contains the find text is not searched
    // again. The caret ends at the end of the text and the last match is forgotten.
    int replaceAll(
        SourceBuffer &buffer, const QString &findText, const QString &replacement, Search::Options options);

    int lastMatch() const { return m_lastMatch; }
    void forgetLastMatch() { m_lastMatch = -1; }

    static QString notFoundCaption() { return QStringLiteral("Error"); }
    static QString notFoundMessage() { return QStringLiteral("Search string not found!"); }
    static QString finishedCaption() { return QStringLiteral("Done"); }
    static QString finishedMessage() { return QStringLiteral("Finished replacing all"); }

private:
    int m_lastMatch = -1;
};

// Where text first occurs at or after from, judged against the whole buffer: with WholeWord a match right
// at from is not taken when the character before from belongs to the same word. -1 when nowhere.
int findForward(const SourceBuffer &buffer, const QString &text, int from, Search::Options options);

// A text as an attribute value: "" for an empty text, the text itself when it already begins with a
// double quote, otherwise the text in double quotes.
QString Quotes(const QString &text);
