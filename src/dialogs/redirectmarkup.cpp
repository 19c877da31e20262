// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/redirectmarkup.h"

#include "dialogs/tagscan.h"
#include "editor/sourcebuffer.h"

namespace RedirectMarkup {

namespace {

bool isRefresh(const TagScan::Tag &tag)
{
    const std::optional<QString> equiv = tag.attribute(QStringLiteral("http-equiv"));
    return equiv && equiv->compare(QStringLiteral("refresh"), Qt::CaseInsensitive) == 0;
}

std::optional<TagScan::Tag> refreshTag(const QString &text)
{
    for (const TagScan::Tag &tag : TagScan::tags(text, QStringLiteral("meta"))) {
        if (isRefresh(tag))
            return tag;
    }
    return std::nullopt;
}

} // namespace

std::optional<Redirect> readRedirect(const QString &text)
{
    const std::optional<TagScan::Tag> tag = refreshTag(text);
    if (!tag)
        return std::nullopt;
    Redirect redirect;
    const QString content = tag->attribute(QStringLiteral("content")).value_or(QString());
    const qsizetype semicolon = content.indexOf(u';');
    bool whole = false;
    const int seconds = content.left(semicolon < 0 ? content.size() : semicolon).trimmed().toInt(&whole);
    if (whole)
        redirect.seconds = seconds;
    const qsizetype url = content.indexOf(QStringLiteral("url="), 0, Qt::CaseInsensitive);
    if (url >= 0)
        redirect.url = content.mid(url + 4).trimmed();
    return redirect;
}

QString redirectTag(int seconds, const QString &url, const TagCommands::TagStyle &style)
{
    return TagCommands::cased(QStringLiteral("<META HTTP-EQUIV=\"REFRESH\" CONTENT=\""), style)
        + QString::number(seconds)
        + TagCommands::cased(QStringLiteral(";URL="), style)
        // A double quote in the address would end the attribute early; its escaped form means the same.
        + QString(url).replace(u'"', QStringLiteral("%22")) + QStringLiteral("\">");
}

Written writeRedirect(
    SourceBuffer &buffer, int seconds, const QString &url, const TagCommands::TagStyle &style)
{
    const QString text = buffer.text();
    int selStart = buffer.selStart();
    int selLength = buffer.selLength();
    int at = -1;
    bool replaced = false;
    if (const std::optional<TagScan::Tag> old = refreshTag(text)) {
        buffer.select(old->start, old->end - old->start);
        buffer.setSelText(QString());
        const int removed = old->end - old->start;
        if (selStart >= old->end)
            selStart -= removed;
        else if (selStart + selLength > old->start) {
            // The selection touched the removed tag: keep its start, drop what went with the tag.
            selStart = qMin(selStart, old->start);
            selLength = 0;
        }
        replaced = true;
        at = old->start;
    }
    const QString now = buffer.text();
    const QList<TagScan::Tag> heads = TagScan::tags(now, QStringLiteral("head"));
    if (!heads.isEmpty()) {
        // An old tag inside the head is replaced where it stood; one elsewhere moves into the head.
        const int headEnd = heads.first().end;
        const qsizetype closing = now.indexOf(QStringLiteral("</head"), headEnd, Qt::CaseInsensitive);
        if (!replaced || at < headEnd || (closing >= 0 && at > closing)) {
            at = headEnd;
            replaced = false;
        }
    } else if (!replaced) {
        at = selStart;
    }
    const QString markup = (replaced ? QString() : QStringLiteral("\r\n")) + redirectTag(seconds, url, style);
    buffer.select(at, 0);
    buffer.setSelText(markup);
    const int inserted = int(markup.size());
    if (selStart >= at)
        selStart += inserted;
    buffer.select(selStart, selLength);
    return { at, at + inserted };
}

} // namespace RedirectMarkup
