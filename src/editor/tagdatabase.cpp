// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/tagdatabase.h"

#include "base/programfolder.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QStringList memoLines(const QString &memo)
{
    QStringList lines;
    for (const QString &line : memo.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines.append(trimmed);
    }
    return lines;
}

// Runs query over the SQLite file at path, opened read-only, calling row for each record.
template <typename Row> bool readTable(const QString &path, const QString &query, QString *error, Row row)
{
    static QAtomicInt counter;
    const QString connection = QStringLiteral("tagloom-vocabulary-%1").arg(counter.fetchAndAddRelaxed(1));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(query)) {
                while (q.next())
                    row(q);
                ok = true;
            } else {
                *error = path + QStringLiteral(": ") + q.lastError().text();
            }
            db.close();
        } else {
            *error = path + QStringLiteral(": ") + db.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

} // namespace

bool TagDatabase::open(const QString &folder)
{
    m_tags.clear();
    m_tagList.clear();
    m_tagIndex.clear();
    m_values.clear();
    m_attributeKeys.clear();
    m_styleProperties.clear();
    m_error.clear();

    auto missing = [&](const QString &name) {
        m_error = QStringLiteral("Cannot find ") + name + QStringLiteral(" in ") + folder;
        return false;
    };
    const QString tagsFile = ProgramFolder::findEntry(folder, QStringLiteral("Tags.DB"));
    if (tagsFile.isEmpty())
        return missing(QStringLiteral("Tags.DB"));
    const bool tagsRead = readTable(tagsFile,
        QStringLiteral(
            "SELECT Element, Attributes, Description, HTMLVersion, Image FROM Tags ORDER BY Element"),
        &m_error, [&](const QSqlQuery &q) {
            Tag tag;
            tag.element = q.value(0).toString().trimmed();
            tag.attributes = memoLines(q.value(1).toString());
            tag.description = q.value(2).toString();
            tag.htmlVersion = q.value(3).toString().trimmed();
            tag.image = q.value(4).toByteArray();
            if (tag.element.isEmpty() || m_tagIndex.contains(tag.element.toUpper()))
                return;
            m_tagIndex.insert(tag.element.toUpper(), int(m_tags.size()));
            m_tagList.append(tag.element);
            m_tags.append(tag);
        });
    if (!tagsRead)
        return false;

    const QString attributesFile = ProgramFolder::findEntry(folder, QStringLiteral("Attributes.DB"));
    if (attributesFile.isEmpty())
        return missing(QStringLiteral("Attributes.DB"));
    const bool attributesRead = readTable(attributesFile,
        QStringLiteral("SELECT Attribute, \"Values\" FROM Attributes ORDER BY Attribute"), &m_error,
        [&](const QSqlQuery &q) {
            const QString key = q.value(0).toString().trimmed();
            if (key.isEmpty())
                return;
            m_attributeKeys.append(key);
            m_values.insert(key.toUpper(), memoLines(q.value(1).toString()));
        });
    if (!attributesRead)
        return false;

    const QString cssFile = ProgramFolder::findEntry(folder, QStringLiteral("CSS.db"));
    if (cssFile.isEmpty())
        return missing(QStringLiteral("CSS.db"));
    return readTable(cssFile, QStringLiteral("SELECT Attribute, \"Values\" FROM CSS ORDER BY Attribute"),
        &m_error, [&](const QSqlQuery &q) {
            StyleProperty property { q.value(0).toString().trimmed(), memoLines(q.value(1).toString()) };
            if (!property.attribute.isEmpty())
                m_styleProperties.append(property);
        });
}

int TagDatabase::indexOf(const QString &name) const
{
    return m_tagIndex.value(name.trimmed().toUpper(), -1);
}

const TagDatabase::Tag *TagDatabase::tag(int index) const
{
    return index >= 0 && index < m_tags.size() ? &m_tags[index] : nullptr;
}

QStringList TagDatabase::values(const QString &attribute, const QString &tag, bool qualified) const
{
    const QString key = attribute.trimmed().toUpper();
    if (key.isEmpty())
        return {};
    const auto plain = m_values.constFind(key);
    if (plain != m_values.constEnd())
        return *plain;
    if (!qualified || tag.trimmed().isEmpty())
        return {};
    return m_values.value(key + QLatin1Char('(') + tag.trimmed().toUpper() + QLatin1Char(')'));
}
