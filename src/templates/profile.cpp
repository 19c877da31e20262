// SPDX-License-Identifier: GPL-3.0-or-later
#include "profile.h"

#include "base/safefile.h"

#include <QFile>

namespace {

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

// "[name]" with blanks allowed around; the name without its brackets, or nothing.
bool parseHeader(QStringView line, QString &name)
{
    const QStringView trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return false;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return false;
    name = trimmed.mid(1, close - 1).trimmed().toString();
    return true;
}

} // namespace

ProfileFile ProfileFile::fromBytes(const QByteArray &bytes)
{
    ProfileFile file;
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    file.m_crlf = text.contains(QStringLiteral("\r\n")) || !text.contains(u'\n');
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    for (const QString &line : std::as_const(lines)) {
        QString name;
        if (parseHeader(line, name))
            file.m_sections.append({ name, {} });
        else if (file.m_sections.isEmpty())
            file.m_preamble.append(line);
        else
            file.m_sections.last().lines.append(line);
    }
    return file;
}

ProfileFile ProfileFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromBytes(file.readAll());
}

const ProfileFile::Section *ProfileFile::find(const QString &name) const
{
    for (const Section &section : m_sections) {
        if (section.header.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return &section;
    }
    return nullptr;
}

bool ProfileFile::hasSection(const QString &section) const
{
    return find(section) != nullptr;
}

QList<std::pair<QString, QString>> ProfileFile::entries(const QString &name) const
{
    QList<std::pair<QString, QString>> result;
    const Section *section = find(name);
    if (!section)
        return result;
    for (const QString &line : section->lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        if (key.isEmpty() || key.startsWith(u';'))
            continue;
        result.append({ key, decodeValue(QStringView(line).mid(equals + 1)) });
    }
    return result;
}

QStringList ProfileFile::values(const QString &section) const
{
    QStringList result;
    for (const auto &entry : entries(section))
        result.append(entry.second);
    return result;
}

QString ProfileFile::value(const QString &section, const QString &key) const
{
    for (const auto &entry : entries(section)) {
        if (entry.first.compare(key.trimmed(), Qt::CaseInsensitive) == 0)
            return entry.second;
    }
    return {};
}

void ProfileFile::setSection(const QString &name, const QList<std::pair<QString, QString>> &entries)
{
    QStringList lines;
    for (const auto &entry : entries)
        lines.append(entry.first + u'=' + encodeValue(entry.second));
    for (Section &section : m_sections) {
        if (section.header.compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            section.lines = lines;
            return;
        }
    }
    m_sections.append({ name, lines });
}

void ProfileFile::setLines(const QString &section, const QStringList &values)
{
    QList<std::pair<QString, QString>> entries;
    for (int i = 0; i < values.size(); ++i)
        entries.append({ QString::number(i), values.at(i) });
    setSection(section, entries);
}

QByteArray ProfileFile::toBytes() const
{
    QStringList out = m_preamble;
    for (const Section &section : m_sections) {
        out.append(u'[' + section.header + u']');
        out.append(section.lines);
    }
    const QString eol = m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    return out.isEmpty() ? QByteArray() : (out.join(eol) + eol).toUtf8();
}

bool ProfileFile::save(const QString &path, QString *reason) const
{
    const SafeFile::Result result = SafeFile::write(path, toBytes());
    if (!result.ok && reason)
        *reason = result.reason;
    return result.ok;
}

QString ProfileFile::encodeValue(const QString &value)
{
    // A line break cannot stand in a value; the callers store one line per key.
    QString flat = value;
    flat.replace(u'\r', u' ').replace(u'\n', u' ');
    const bool blanks = !flat.isEmpty() && (flat.front().isSpace() || flat.back().isSpace());
    const bool quoted = flat.size() >= 2 && isQuote(flat.front()) && flat.front() == flat.back();
    return blanks || quoted ? u'"' + flat + u'"' : flat;
}

QString ProfileFile::decodeValue(QStringView raw)
{
    QStringView value = raw.trimmed();
    if (value.size() >= 2 && isQuote(value.front()) && value.front() == value.back())
        value = value.mid(1, value.size() - 2);
    return value.toString();
}
