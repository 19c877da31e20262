// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <utility>

// A private-profile (INI) file as the code sections keep them: "[Section]" headers and key=value lines,
// with sections and keys found without regard to letter case. A value keeps everything after the first
// "=" ("=", quotes and markup included); as the Windows reader did, blanks around it are dropped and one
// pair of enclosing quotes is removed, so the writer quotes a value whose blanks or quotes would be lost.
// Lines the reader does not understand, and sections nobody rewrites, are kept as they stand.
class ProfileFile
{
public:
    ProfileFile() = default;
    // CR LF and LF files both read; the file's own line ends are written back.
    static ProfileFile fromBytes(const QByteArray &bytes);
    // A missing or unreadable file reads as an empty profile.
    static ProfileFile load(const QString &path);

    // The keys and values of the first section of that name, in file order.
    QList<std::pair<QString, QString>> entries(const QString &section) const;
    QStringList values(const QString &section) const;
    // The value of the first key of that name in the section; empty when there is none.
    QString value(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const;

    // Replaces the whole section (appended when new): keys it held before and entries does not are gone.
    void setSection(const QString &section, const QList<std::pair<QString, QString>> &entries);
    // The section holding values as keys "0", "1", ... in order.
    void setLines(const QString &section, const QStringList &values);

    QByteArray toBytes() const;
    // Written atomically; false (with the reason) when the file could not be written.
    bool save(const QString &path, QString *reason = nullptr) const;

    // The value as a line's right-hand side, quoted when reading it back would otherwise change it.
    static QString encodeValue(const QString &value);
    static QString decodeValue(QStringView raw);

private:
    struct Section
    {
        QString header; // as written, without brackets
        QStringList lines; // the lines after the header, as written
    };
    const Section *find(const QString &name) const;

    QStringList m_preamble; // lines before the first header
    QList<Section> m_sections;
    bool m_crlf = true;
};
