// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/htmlchecker.h"

#include "editor/tagdatabase.h"

#include <algorithm>
#include <vector>

namespace HtmlChecker {

namespace {

// Finds the next occurrence of one character at or after a position that only moves forward, so the
// scan of a long page never searches the same stretch twice. A missing one is reported as L + 1.
class NextChar
{
public:
    NextChar(QStringView text, QChar c)
        : m_text(text)
        , m_char(c)
    { }
    int from(int position)
    {
        if (m_found >= position && m_searchedFrom <= position)
            return m_found;
        const qsizetype at = position >= m_text.size() ? -1 : m_text.indexOf(m_char, position);
        m_searchedFrom = position;
        m_found = at < 0 ? int(m_text.size()) + 1 : int(at);
        return m_found;
    }

private:
    QStringView m_text;
    QChar m_char;
    int m_found = -1;
    int m_searchedFrom = 0;
};

class Checker
{
public:
    Checker(QStringView text, const TagDatabase &tags, const Progress &progress)
        : m_text(text)
        , m_length(int(text.size()))
        , m_tags(tags)
        , m_progress(progress)
    {
        for (qsizetype i = text.indexOf(u'\n'); i >= 0; i = text.indexOf(u'\n', i + 1))
            m_lineStarts.push_back(int(i) + 1);
    }

    Result run()
    {
        structure();
        tags();
        return std::move(m_result);
    }

private:
    // The first occurrence of what, ignoring case, that begins at or after from and before end.
    int search(QStringView what, int from, int end) const
    {
        from = std::max(from, 0);
        end = std::min(end, m_length);
        if (from >= end)
            return -1;
        const qsizetype at = m_text.first(std::min<qsizetype>(m_length, qsizetype(end) + what.size() - 1))
                                 .indexOf(what, from, Qt::CaseInsensitive);
        return at >= 0 && at < end ? int(at) : -1;
    }
    int searchAll(QStringView what) const { return search(what, 0, m_length); }

    int lineOf(int position) const
    {
        return int(std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), position)
                   - m_lineStarts.begin())
            + 1;
    }
    QString line(int position) const { return QString::number(lineOf(position)); }

    void record(const QString &message, int start, int length)
    {
        m_result.findings.append({ message, start, length });
    }
    // Nothing was found to point at: the entry points at the start of the text.
    void recordMissing(const QString &message) { record(message, 0, 0); }

    void step(Phase phase, int position)
    {
        if (m_progress)
            m_progress(phase, position, m_result.findings);
    }

    void structure()
    {
        using namespace Qt::StringLiterals;
        const int L = m_length;
        auto isBlank = [](QChar c) { return c.unicode() <= u' '; };

        // 1. <html>
        int H1 = -1;
        int lead = 0;
        while (lead < L && isBlank(m_text[lead]))
            ++lead;
        if (m_text.mid(lead, 5).compare(u"<HTML", Qt::CaseInsensitive) == 0) {
            H1 = 0;
        } else {
            H1 = searchAll(u"<HTML");
            if (H1 < 0)
                recordMissing(u"Document does not contain a <html> tag"_s);
            else
                record(
                    u"Document does not start with <html> tag. Tag was found on line "_s + line(H1), H1, 5);
        }
        step(Phase::Structure, 0);

        // 2. </html>
        int H2 = -1;
        int trail = L;
        while (trail > 0 && isBlank(m_text[trail - 1]))
            --trail;
        if (trail >= 7 && m_text.mid(trail - 7, 7).compare(u"</HTML>", Qt::CaseInsensitive) == 0) {
            H2 = trail - 7;
        } else {
            H2 = searchAll(u"</HTML>");
            if (H2 < 0) {
                H2 = L;
                recordMissing(u"Document does not contain a </html> tag"_s);
            } else {
                const QString message
                    = u"Document does not end with </html> tag. Tag was found on line "_s + line(H2);
                record(H2 > H1 ? message : message + u". This is before the opening <html> tag."_s, H2, 7);
            }
        }
        step(Phase::Structure, 0);

        // 3. <head>
        int D1 = search(u"<HEAD", H1 + 1, H2);
        if (D1 < 0) {
            D1 = searchAll(u"<HEAD");
            if (D1 < 0)
                recordMissing(u"Document does not contain a <head> tag"_s);
            else if (D1 > H2 || D1 < H1)
                record(u"<head> tag was found on line "_s + line(D1)
                        + u". This is outside the range between the <html> and </html> tags."_s,
                    D1, 5);
        }
        step(Phase::Structure, 0);

        // 4. </head>
        int D2 = search(u"</HEAD", D1, H2);
        if (D2 < 0) {
            D2 = searchAll(u"</HEAD");
            if (D2 < 0)
                recordMissing(u"Document does not contain a </head> tag"_s);
            else if (D2 > H2 || D2 < H1 || D2 < D1)
                record(u"</head> tag was found on line "_s + line(D2)
                        + u". This is outside the range between the <head> and </html> tags."_s,
                    D2, 6);
        }
        step(Phase::Structure, 0);

        // 5. <title>
        int T1 = search(u"<TITLE", D1 + 1, D2);
        if (T1 < 0) {
            T1 = searchAll(u"<TITLE");
            if (T1 < 0)
                recordMissing(u"Document does not contain a <title> tag"_s);
            else if (T1 > H2 || T1 < H1 || T1 > D2 || T1 < D1)
                record(u"<title> tag was found on line "_s + line(T1)
                        + u". This is outside the range between the <head> and </head> tags."_s,
                    T1, 6);
        }
        step(Phase::Structure, 0);

        // 6. </title>
        if (search(u"</TITLE", T1 + 1, D2) < 0) {
            const int X = searchAll(u"</TITLE");
            if (X < 0)
                recordMissing(u"Document does not contain a </title> tag"_s);
            else if (X > H2 || X < H1 || X > D2 || X < D1 || X < T1)
                record(u"</title> tag was found on line "_s + line(X)
                        + u". This is outside the range between the <title> and </head> tags."_s,
                    X, 7);
        }
        step(Phase::Structure, 0);

        // 7. <body> or <frameset>, and 8. its end tag.
        struct Closing
        {
            QString tag;
            QString missing;
            QString foundOn;
            QString outside;
        };
        const Closing body { u"</BODY"_s, u"Document does not contain a </body> tag"_s,
            u"</body> tag was found on line "_s,
            u". This is outside the range between the <body> and </html> tags."_s };
        const Closing frameset { u"</FRAMESET"_s, u"Document does not contain a </frameset> tag"_s,
            u"</frameset> tag was found on line "_s,
            u". This is outside the range between the <frameset> and </html> tags."_s };
        const Closing *closing = &body;
        int B1 = search(u"<BODY", D2, H2);
        if (B1 < 0) {
            closing = &frameset;
            B1 = search(u"<FRAMESET", D2, H2);
        }
        if (B1 < 0) {
            recordMissing(
                u"Cannot find either <body> or <frameset> tags between </head> and </html> tags."_s);
        } else if (search(closing->tag, B1, H2) < 0) {
            const int at = searchAll(closing->tag);
            if (at < 0)
                recordMissing(closing->missing);
            else
                record(closing->foundOn + line(at) + closing->outside, at, int(closing->tag.size()));
        }
        step(Phase::Structure, 0);
    }

    void updateVersion(const QString &tagVersion)
    {
        QString &panel = m_result.minimumVersion;
        if (tagVersion.isEmpty() || panel == u"4+") {
            panel = QStringLiteral("4+"); // "Minimum HTML Version: 4+"
            return;
        }
        const double wanted = tagVersion.toDouble();
        if (int(panel.toDouble()) < wanted)
            panel = tagVersion;
    }

    void tags()
    {
        using namespace Qt::StringLiterals;
        const int L = m_length;
        NextChar nextSpace(m_text, u' ');
        NextChar nextGt(m_text, u'>');
        NextChar nextLt(m_text, u'<');
        QList<Finding> &findings = m_result.findings;

        int p = nextLt.from(0);
        while (p < L) {
            step(Phase::Tags, p);
            int scan = p + 1;
            if (p + 1 < L && m_text[p + 1] == u' ') {
                // A "<" before a space is text, a comparison say.
            } else {
                const int n = p + 1 < L && m_text[p + 1] == u'/' ? p + 2 : p + 1;
                scan = n;
                const int sp = nextSpace.from(n);
                int gt = nextGt.from(n);
                const int nameEnd = std::min({ sp, gt, L });
                const QStringView span = m_text.mid(n, nameEnd - n);
                const QStringView name = span.trimmed();
                const TagDatabase::Tag *tag = m_tags.find(name.toString());
                if (!tag) {
                    if (!name.startsWith(u'!'))
                        record(u"Unknown tag \""_s + span.toString() + u"\" on line "_s + line(n), n,
                            nameEnd - n);
                } else {
                    updateVersion(tag->htmlVersion);
                    // The tag runs to its ">"; a "<" before it, or none at all, means the ">" is missing.
                    const int tagEnd = std::min(gt, L);
                    const int innerLt = nextLt.from(n);
                    if (gt > L || innerLt < tagEnd) {
                        record(u"Tag \""_s + span.toString() + u"\" on line "_s + line(n)
                                + u" does not have closing >."_s,
                            n, std::min(gt + 1, L) - n);
                    } else if (sp < gt) {
                        attributes(*tag, name, sp, gt, nextSpace, nextGt);
                    }
                }
            }
            if (findings.size() > findingLimit)
                break;
            p = nextLt.from(scan);
        }
    }

    void attributes(const TagDatabase::Tag &tag, QStringView tagName, int position, int gt,
        NextChar &nextSpace, NextChar &nextGt)
    {
        using namespace Qt::StringLiterals;
        const int L = m_length;
        while (position < gt && position < L && m_text[position] == u' ') {
            ++position;
            const int sp = nextSpace.from(position);
            gt = nextGt.from(position);
            int tokenEnd = std::min({ sp, gt, L });
            QStringView token = m_text.mid(position, tokenEnd - position);
            if (token.count(u'"') == 1) {
                // A quoted value with a space in it: the token runs to the closing quote.
                const qsizetype quote = tokenEnd < L ? m_text.indexOf(u'"', tokenEnd) : -1;
                if (quote >= 0) {
                    tokenEnd = int(quote) + 1;
                    token = m_text.mid(position, tokenEnd - position);
                }
            }
            const qsizetype equals = token.indexOf(u'=');
            const QStringView name = equals < 0 ? token : token.first(equals);
            // Two blanks in a row, or one before ">", make an empty token: there is nothing to look up.
            if (!name.isEmpty() && !knowsAttribute(tag, name)) {
                record(u"Unknown property \""_s + name.toString() + u"\" of tag \""_s + tagName.toString()
                        + u"\" on line "_s + line(position),
                    position, int(name.size()));
            }
            position = tokenEnd;
        }
    }

    static bool knowsAttribute(const TagDatabase::Tag &tag, QStringView name)
    {
        return std::any_of(tag.attributes.cbegin(), tag.attributes.cend(),
            [&](const QString &known) { return name.compare(known, Qt::CaseInsensitive) == 0; });
    }

    QStringView m_text;
    int m_length;
    const TagDatabase &m_tags;
    const Progress &m_progress;
    std::vector<int> m_lineStarts;
    Result m_result;
};

} // namespace

Result check(QStringView text, const TagDatabase &tags, const Progress &progress)
{
    return Checker(text, tags, progress).run();
}

QString summary(int findingCount)
{
    const QString prefix = QStringLiteral("Finished checking HTML. ");
    if (findingCount == 0)
        return prefix + QStringLiteral("No problems were found.");
    return prefix + QString::number(findingCount) + QStringLiteral(" problems were found.");
}

} // namespace HtmlChecker
