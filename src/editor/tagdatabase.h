// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The HTML vocabulary of the program folder: Tags.DB (elements), Attributes.DB (attribute values) and
// CSS.db (style properties). The tables are small, so they are read once, read-only, into memory; every
// lookup then works on plain values and no text from a document ever reaches a query.
class TagDatabase
{
public:
    struct Tag
    {
        QString element; // in capitals, the lookup key
        QStringList attributes; // in the order the editor lists them
        QString description;
        QString htmlVersion; // "2", "3.2", "4", "5", or empty for a browser extension
        QByteArray image; // a 16-pixel picture in a format QImage reads (XPM or PNG); may be empty
    };
    struct StyleProperty
    {
        QString attribute;
        QStringList values; // first line "<Color>", "<Number>", "<Font>" or "<URL>" gives a kind
    };

    // Reads the three tables from folder. Returns false, with error() naming the file, when a table is
    // missing or unreadable; the tables read so far stay usable.
    bool open(const QString &folder);
    QString error() const { return m_error; }

    // Every Element in table order (sorted by name), so an index here is a record number.
    const QStringList &tagList() const { return m_tagList; }
    int tagCount() const { return int(m_tags.size()); }
    // The position of name in tagList, comparing whole names without regard to case; -1 if absent.
    int indexOf(const QString &name) const;
    // The record at index, or null outside the list.
    const Tag *tag(int index) const;
    const Tag *find(const QString &name) const { return tag(indexOf(name)); }

    // The values offered for attribute of tag: the row keyed by the attribute's name, else (when
    // qualified is set) the row keyed "ATTRIBUTE(TAG)"; empty when neither exists. Keys compare
    // without regard to case.
    QStringList values(const QString &attribute, const QString &tag, bool qualified = true) const;
    // Every key of the attribute table, as stored.
    QStringList attributeKeys() const { return m_attributeKeys; }

    const QList<StyleProperty> &styleProperties() const { return m_styleProperties; }

    // The markers that stand first in a value list for attributes taking a colour, a font or a class.
    static QString colorsMarker() { return QStringLiteral("<Colors>"); }
    static QString fontsMarker() { return QStringLiteral("<Fonts>"); }
    static QString stylesMarker() { return QStringLiteral("<Styles>"); }

private:
    QList<Tag> m_tags;
    QStringList m_tagList;
    QHash<QString, int> m_tagIndex; // upper-case name -> index
    QHash<QString, QStringList> m_values; // upper-case key -> values
    QStringList m_attributeKeys;
    QList<StyleProperty> m_styleProperties;
    QString m_error;
};
