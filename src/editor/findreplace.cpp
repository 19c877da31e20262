// SPDX-License-Identifier: GPL-3.0-or-later
#include "findreplace.h"

namespace {

// The same word characters as SourceBuffer's whole-word search.
bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

int findForward(const SourceBuffer &buffer, const QString &text, int from, Search::Options options)
{
    const int size = buffer.length();
    from = qBound(0, from, size);
    for (;;) {
        const int found = buffer.findText(text, from, size - from, options);
        // The buffer judges whole words inside the range it is given, so a range starting in the middle
        // of a word would offer that word's tail; look at the character before the range as well.
        if (found < 0 || !options.testFlag(Search::WholeWord) || found != from || found == 0
            || !isWordChar(buffer.charAt(found - 1)))
            return found;
        from = found + 1;
    }
}

bool FindReplace::selectionMatches(const SourceBuffer &buffer, const QString &findText)
{
    return !findText.isEmpty() && buffer.selLength() == findText.size()
        && buffer.selText().compare(findText, Qt::CaseInsensitive) == 0;
}

FindReplace::Result FindReplace::findNext(SourceBuffer &buffer, const QString &text, Search::Options options)
{
    if (text.isEmpty())
        return Result::NothingToFind;
    int from = buffer.selStart();
    if (from == m_lastMatch)
        ++from;
    const int found = findForward(buffer, text, from, options);
    if (found < 0) {
        buffer.select(buffer.length(), 0);
        m_lastMatch = -1;
        return Result::NotFound;
    }
    buffer.select(found, int(text.size()));
    m_lastMatch = found;
    return Result::Found;
}

bool FindReplace::replace(SourceBuffer &buffer, const QString &findText, const QString &replacement)
{
    if (!selectionMatches(buffer, findText))
        return false;
    buffer.setSelText(replacement);
    // The caret now stands after the replacement: stepping over a remembered match from here would skip
    // a character, and with an empty replacement a match that starts right there.
    m_lastMatch = -1;
    return true;
}

int FindReplace::replaceAll(
    SourceBuffer &buffer, const QString &findText, const QString &replacement, Search::Options options)
{
    if (findText.isEmpty())
        return 0;
    m_lastMatch = -1;
    // A selected match counts: the first search starts at the caret itself.
    int from = buffer.selStart();
    int count = 0;
    for (;;) {
        const int found = findForward(buffer, findText, from, options);
        if (found < 0)
            break;
        buffer.select(found, int(findText.size()));
        if (!selectionMatches(buffer, findText))
            break;
        buffer.setSelText(replacement);
        ++count;
        // The caret stands after the text put in (its line breaks made CR LF), never on a match of it.
        from = buffer.selStart();
    }
    buffer.select(buffer.length(), 0);
    return count;
}

QString Quotes(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("\"\"");
    if (text.startsWith(u'"'))
        return text;
    return QLatin1Char('"') + text + QLatin1Char('"');
}
