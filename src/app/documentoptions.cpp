// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentoptions.h"

#include "editor/bodyattributes.h"
#include "editor/sourcebuffer.h"

#include <QLocale>

namespace DocumentOptionsMarkup {

namespace {

QString cased(const QString &text, Case letterCase)
{
    const QLocale locale;
    return letterCase == Case::Upper ? locale.toUpper(text) : locale.toLower(text);
}

bool isSpace(QChar c)
{
    return c.isSpace();
}

QString unquoted(QString value)
{
    for (QChar quote : { u'"', u'\'' }) {
        if (value.startsWith(quote)) {
            value.remove(0, 1);
            if (value.endsWith(quote))
                value.chop(1);
            break;
        }
    }
    return value;
}

} // namespace

SoundTag findSoundTag(const SourceBuffer &buffer)
{
    SoundTag tag;
    const int start = buffer.findText(QStringLiteral("<BGSOUND"), 0, buffer.length());
    if (start < 0)
        return tag;
    const int end = buffer.findText(QStringLiteral(">"), start, buffer.length() - start);
    if (end < 0) {
        tag.unclosed = true;
        return tag;
    }
    tag.start = start;
    tag.end = end;
    return tag;
}

std::optional<ValueSpan> findValue(const QString &tag, const QString &name)
{
    // The name counts only as a whole attribute name outside quoted values.
    QChar quote;
    for (qsizetype i = 0; i < tag.size(); ++i) {
        const QChar c = tag.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            continue;
        }
        if ((i == 0 || isSpace(tag.at(i - 1)))
            && tag.mid(i, name.size()).compare(name, Qt::CaseInsensitive) == 0) {
            ValueSpan span;
            span.start = i + name.size();
            qsizetype end = span.start;
            if (end < tag.size() && (tag.at(end) == u'"' || tag.at(end) == u'\'')) {
                const qsizetype close = tag.indexOf(tag.at(end), end + 1);
                end = close < 0 ? tag.size() : close + 1;
            } else {
                while (end < tag.size() && !isSpace(tag.at(end)) && tag.at(end) != u'>')
                    ++end;
            }
            span.end = end;
            return span;
        }
    }
    return std::nullopt;
}

QString valueOf(const QString &tag, const QString &name)
{
    const std::optional<ValueSpan> span = findValue(tag, name);
    return span ? unquoted(tag.mid(span->start, span->end - span->start)) : QString();
}

bool setBodyValue(SourceBuffer &buffer, const QString &name, const QString &value, Case letterCase)
{
    // A control character no page holds goes through the writer, which cannot change its case; the value
    // then replaces it.
    const QString marker(QChar(0x01));
    const auto bodyCase
        = letterCase == Case::Upper ? BodyAttributes::Case::Upper : BodyAttributes::Case::Lower;
    if (!BodyAttributes::write(buffer, name, marker, bodyCase))
        return false;
    const BodyAttributes::BodyTag body = BodyAttributes::findBodyTag(buffer);
    if (!body.present())
        return false;
    const int at = int(buffer.textRange(body.start, body.end).indexOf(marker));
    if (at < 0)
        return false;
    buffer.select(body.start + at, 1);
    buffer.setSelText(value);
    return true;
}

bool writeSound(SourceBuffer &buffer, const QString &source, const QString &loop, Case letterCase)
{
    SoundTag tag = findSoundTag(buffer);
    if (tag.unclosed)
        return false;
    if (tag.start < 0) {
        const BodyAttributes::BodyTag body = BodyAttributes::findBodyTag(buffer);
        if (!body.present())
            return false;
        buffer.select(body.end + 1, 0);
        buffer.setSelText(QStringLiteral("\r\n")
            + (letterCase == Case::Upper ? QStringLiteral("<BGSOUND SRC=\"\" LOOP=0>")
                                         : QStringLiteral("<bgsound src=\"\" loop=0>")));
        tag = findSoundTag(buffer);
        if (tag.start < 0)
            return false;
    }
    const auto ensure = [&](const QString &name, const QString &added) {
        const QString text = buffer.textRange(tag.start, tag.end);
        if (!findValue(text, name)) {
            buffer.select(tag.end, 0);
            buffer.setSelText(cased(added, letterCase));
            tag.end += int(added.size());
        }
    };
    ensure(QStringLiteral("SRC="), QStringLiteral(" SRC=\"\""));
    ensure(QStringLiteral("LOOP="), QStringLiteral(" LOOP=0"));
    const auto replace = [&](const QString &name, const QString &value) {
        const QString text = buffer.textRange(tag.start, tag.end);
        const std::optional<ValueSpan> span = findValue(text, name);
        if (!span)
            return;
        buffer.select(tag.start + int(span->start), int(span->end - span->start));
        buffer.setSelText(value);
        tag.end += int(value.size() - (span->end - span->start));
    };
    replace(QStringLiteral("SRC="), u'"' + source + u'"');
    replace(QStringLiteral("LOOP="), loop);
    return true;
}

} // namespace DocumentOptionsMarkup

namespace {

// A number as the page writes it; anything else leaves the default.
int number(const QString &text, int defaultValue)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

} // namespace

DocumentOptions DocumentOptions::read(const SourceBuffer &buffer)
{
    using BodyAttributes::peek;
    DocumentOptions o;
    QString background = peek(buffer, QStringLiteral("BACKGROUND="), QString()).value;
    if (background.startsWith(QStringLiteral("FILE://"), Qt::CaseInsensitive))
        background.remove(0, 7);
    o.background = background;
    o.fixed = peek(buffer, QStringLiteral("BGPROPERTIES="), QStringLiteral("SCROLL"))
                  .value.compare(QStringLiteral("FIXED"), Qt::CaseInsensitive)
        == 0;
    o.leftMargin
        = qBound(0, number(peek(buffer, QStringLiteral("LEFTMARGIN="), QStringLiteral("0")).value, 0), 1000);
    o.topMargin
        = qBound(0, number(peek(buffer, QStringLiteral("TOPMARGIN="), QStringLiteral("0")).value, 0), 1000);
    const auto colour = [&](const QString &name, const QString &defaultValue) {
        return StrToColor(peek(buffer, name, defaultValue).value);
    };
    o.bgColor = colour(QStringLiteral("BGCOLOR="), QStringLiteral("#FFFFFF"));
    o.text = colour(QStringLiteral("TEXT="), QStringLiteral("#000000"));
    o.link = colour(QStringLiteral("LINK="), QStringLiteral("#0000FF"));
    o.vlink = colour(QStringLiteral("VLINK="), QStringLiteral("#FF0000"));
    o.alink = colour(QStringLiteral("ALink="), QStringLiteral("#FF00FF"));

    const DocumentOptionsMarkup::SoundTag sound = DocumentOptionsMarkup::findSoundTag(buffer);
    if (sound.start >= 0) {
        const QString tag = buffer.textRange(sound.start, sound.end);
        o.soundName = DocumentOptionsMarkup::valueOf(tag, QStringLiteral("SRC="));
        const QString loop = DocumentOptionsMarkup::valueOf(tag, QStringLiteral("LOOP=")).trimmed();
        if (loop.compare(QStringLiteral("INFINITE"), Qt::CaseInsensitive) == 0 || loop == u"-1") {
            o.infinite = true;
        } else if (bool ok = false; loop.toInt(&ok), ok && loop.toInt() > 0) {
            o.infinite = false;
            o.repeat = loop.toInt();
        }
    }
    return o;
}
