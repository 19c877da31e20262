// SPDX-License-Identifier: GPL-3.0-or-later
// Integrity of the generated vocabulary tables: the faults checked here would show up as wrong or
// missing prompts, a tag editor without value lists, or a checker that flags correct pages.
#include "base/programfolder.h"
#include "editor/tagdatabase.h"
#include "testenvironment.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

QString vocabularyFile(const QString &name)
{
    return ProgramFolder::findEntry(ProgramFolder::path(), name);
}

// Runs body on a read-only connection to a vocabulary table file.
template <typename Body> void withTable(const QString &file, Body body)
{
    const QString connection = QStringLiteral("tst_vocabulary");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(vocabularyFile(file));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        body(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

QStringList column(QSqlDatabase &db, const QString &query)
{
    QStringList values;
    QSqlQuery q(db);
    if (!q.exec(query))
        qWarning("%s: %s", qPrintable(query), qPrintable(q.lastError().text()));
    while (q.next())
        values.append(q.value(0).toString());
    return values;
}

// Attributes that always take a closed set (or a colour, font or class): every element listing one of
// them must get a value list, so a new element with ALIGN but no ALIGN(ELEMENT) row is caught.
const char *const closedAttributes[] = { "ALIGN", "VALIGN", "DIR", "TARGET", "FORMTARGET", "SHAPE", "SCOPE",
    "CLEAR", "METHOD", "FORMMETHOD", "ENCTYPE", "FORMENCTYPE", "FRAME", "RULES", "SCROLLING", "FRAMEBORDER",
    "LOADING", "PRELOAD", "CROSSORIGIN", "REFERRERPOLICY", "DECODING", "FETCHPRIORITY", "AUTOCOMPLETE",
    "WRAP", "INPUTMODE", "ENTERKEYHINT", "HTTP-EQUIV", "REL", "BEHAVIOR", "DIRECTION", "KIND",
    "CONTENTEDITABLE", "DRAGGABLE", "SPELLCHECK", "TRANSLATE", "POPOVER", "BGCOLOR", "COLOR", "TEXT", "LINK",
    "VLINK", "ALINK", "BORDERCOLOR", "FACE", "CLASS" };

} // namespace

class TestVocabulary : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void elements();
    void attributeRows();
    void lookups();
    void styleProperties();
    void tableShapeAndReadOnly();
    void makevocabRejectsMalformedLines_data();
    void makevocabRejectsMalformedLines();

private:
    TagDatabase m_db;
};

void TestVocabulary::initTestCase()
{
    QVERIFY2(m_db.open(ProgramFolder::path()), qPrintable(m_db.error()));
    QVERIFY(m_db.tagCount() > 100);
}

void TestVocabulary::elements()
{
    const QSet<QString> versions { QString(), QStringLiteral("2"), QStringLiteral("3.2"), QStringLiteral("4"),
        QStringLiteral("5") };
    const QRegularExpression elementName(QStringLiteral("^[A-Z][A-Z0-9]*$"));
    const QRegularExpression attributeName(QStringLiteral("^[A-Z][A-Z0-9-]*$"));
    for (int i = 0; i < m_db.tagCount(); ++i) {
        const TagDatabase::Tag &tag = *m_db.tag(i);
        const QByteArray where = tag.element.toUtf8();
        QVERIFY2(elementName.match(tag.element).hasMatch(), where.constData());
        QVERIFY2(!tag.description.trimmed().isEmpty(), where.constData());
        QVERIFY2(!tag.description.contains(QLatin1Char('\n')), where.constData());
        QVERIFY2(versions.contains(tag.htmlVersion), where.constData());

        QSet<QString> seen;
        for (const QString &attribute : tag.attributes) {
            const QByteArray what = where + ' ' + attribute.toUtf8();
            QVERIFY2(attributeName.match(attribute).hasMatch(), what.constData());
            QVERIFY2(!seen.contains(attribute), (what + " listed twice").constData());
            seen.insert(attribute);
        }

        QImage image;
        QVERIFY2(image.loadFromData(tag.image, "XPM"), where.constData());
        QCOMPARE(image.size(), QSize(16, 16));
    }

    // TagDatabase keeps the first of two names that differ only in case, so duplicates are read raw.
    withTable(QStringLiteral("Tags.DB"), [](QSqlDatabase &db) {
        QCOMPARE(column(db,
                     QStringLiteral("SELECT upper(Element) FROM Tags GROUP BY upper(Element) "
                                    "HAVING count(*) > 1")),
            QStringList());
    });
}

void TestVocabulary::attributeRows()
{
    const QStringList keys = m_db.attributeKeys();
    QVERIFY(keys.size() > 50);
    const QRegularExpression qualifiedKey(QStringLiteral("^([A-Z][A-Z0-9-]*)\\(([A-Z][A-Z0-9]*)\\)$"));
    const QRegularExpression plainKey(QStringLiteral("^[A-Z][A-Z0-9-]*$"));
    const QSet<QString> markers { TagDatabase::colorsMarker(), TagDatabase::fontsMarker(),
        TagDatabase::stylesMarker() };

    QSet<QString> listedAnywhere;
    for (int i = 0; i < m_db.tagCount(); ++i) {
        for (const QString &attribute : m_db.tag(i)->attributes)
            listedAnywhere.insert(attribute);
    }

    QSet<QString> plain;
    for (const QString &key : keys) {
        if (!key.contains(QLatin1Char('(')))
            plain.insert(key);
    }
    QSet<QString> upperKeys;
    for (const QString &key : keys) {
        const QByteArray where = key.toUtf8();
        QVERIFY2(!upperKeys.contains(key.toUpper()), (where + " twice").constData());
        upperKeys.insert(key.toUpper());

        const QRegularExpressionMatch qualified = qualifiedKey.match(key);
        QString attribute = key;
        QString element;
        if (qualified.hasMatch()) {
            attribute = qualified.captured(1);
            element = qualified.captured(2);
            const TagDatabase::Tag *tag = m_db.find(element);
            QVERIFY2(tag, (where + ": no such element").constData());
            QVERIFY2(tag->attributes.contains(attribute), (where + ": the element lacks it").constData());
            // The plain row would always win, leaving this one unreachable.
            QVERIFY2(!plain.contains(attribute), (where + ": a plain row hides it").constData());
        } else {
            QVERIFY2(plainKey.match(key).hasMatch(), where.constData());
            QVERIFY2(listedAnywhere.contains(key), (where + ": no element lists it").constData());
        }

        const QStringList values = m_db.values(attribute, element);
        QVERIFY2(!values.isEmpty(), (where + ": no values").constData());
        QCOMPARE(QSet<QString>(values.begin(), values.end()).size(), values.size());
        for (const QString &value : values) {
            if (value.startsWith(QLatin1Char('<'))) {
                QVERIFY2(markers.contains(value), (where + ": unknown marker").constData());
                QVERIFY2(values.size() == 1, (where + ": a marker must stand alone").constData());
            }
        }
    }

    for (int i = 0; i < m_db.tagCount(); ++i) {
        const TagDatabase::Tag &tag = *m_db.tag(i);
        for (const char *attribute : closedAttributes) {
            const QString name = QLatin1String(attribute);
            if (tag.attributes.contains(name)) {
                QVERIFY2(!m_db.values(name, tag.element).isEmpty(),
                    qPrintable(tag.element + QStringLiteral(" has no values for ") + name));
            }
        }
    }
}

void TestVocabulary::lookups()
{
    const QStringList leftCenterRight { QStringLiteral("left"), QStringLiteral("center"),
        QStringLiteral("right") };
    QCOMPARE(m_db.values(QStringLiteral("ALIGN"), QStringLiteral("TABLE")), leftCenterRight);
    QCOMPARE(m_db.values(QStringLiteral("align"), QStringLiteral("table")), leftCenterRight);
    QCOMPARE(
        m_db.values(QStringLiteral("COLOR"), QStringLiteral("FONT")).value(0), TagDatabase::colorsMarker());
    QCOMPARE(
        m_db.values(QStringLiteral("FACE"), QStringLiteral("FONT")), QStringList(TagDatabase::fontsMarker()));
    QCOMPARE(
        m_db.values(QStringLiteral("CLASS"), QStringLiteral("P")), QStringList(TagDatabase::stylesMarker()));
    QCOMPARE(m_db.values(QStringLiteral("BGCOLOR"), QStringLiteral("TD")),
        QStringList(TagDatabase::colorsMarker()));
    QVERIFY(m_db.values(QStringLiteral("TARGET"), QStringLiteral("A")).contains(QStringLiteral("_blank")));
    // The numbering styles keep their case: "A" and "a" are different lists.
    const QStringList numbering = m_db.values(QStringLiteral("TYPE"), QStringLiteral("OL"));
    QVERIFY(numbering.contains(QStringLiteral("A")) && numbering.contains(QStringLiteral("a")));
    QVERIFY(
        m_db.values(QStringLiteral("TYPE"), QStringLiteral("INPUT")).contains(QStringLiteral("checkbox")));
    // Without the qualified lookup (as the tag editor does for event handlers) only plain rows count.
    QVERIFY(m_db.values(QStringLiteral("ALIGN"), QStringLiteral("TABLE"), false).isEmpty());

    // Rows other features rely on.
    const struct
    {
        const char *element;
        const char *attributes;
    } required[] = {
        { "TABLE", "ALIGN" },
        { "IMG", "SRC ALT WIDTH HEIGHT BORDER ALIGN USEMAP" },
        { "FONT", "COLOR FACE SIZE" },
        { "TD", "NOWRAP ALIGN VALIGN WIDTH BGCOLOR" },
        { "B", "" },
        { "P", "" },
        { "A", "HREF NAME TARGET" },
        { "BODY", "BGCOLOR TEXT LINK VLINK ALINK BACKGROUND" },
    };
    for (const auto &row : required) {
        const TagDatabase::Tag *tag = m_db.find(QLatin1String(row.element));
        QVERIFY2(tag, row.element);
        for (const QString &attribute :
            QString::fromLatin1(row.attributes).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            QVERIFY2(
                tag->attributes.contains(attribute), qPrintable(tag->element + QLatin1Char(' ') + attribute));
    }
}

void TestVocabulary::styleProperties()
{
    const QList<TagDatabase::StyleProperty> &properties = m_db.styleProperties();
    QVERIFY(properties.size() > 50);
    const QSet<QString> kinds { QStringLiteral("<Color>"), QStringLiteral("<Number>"),
        QStringLiteral("<Font>"), QStringLiteral("<URL>") };
    const QRegularExpression name(QStringLiteral("^[a-z][a-z-]*$"));
    QSet<QString> seen;
    for (const TagDatabase::StyleProperty &property : properties) {
        const QByteArray where = property.attribute.toUtf8();
        QVERIFY2(name.match(property.attribute).hasMatch(), where.constData());
        QVERIFY2(!seen.contains(property.attribute), (where + " twice").constData());
        seen.insert(property.attribute);
        QVERIFY2(!property.values.isEmpty(), where.constData());
        QCOMPARE(
            QSet<QString>(property.values.begin(), property.values.end()).size(), property.values.size());
        for (const QString &value : property.values) {
            if (value.startsWith(QLatin1Char('<'))) {
                QVERIFY2(kinds.contains(value), (where + ": unknown kind").constData());
                QVERIFY2(property.values.size() == 1, (where + ": a kind must stand alone").constData());
            }
        }
    }
    for (const char *property : { "color", "font-family", "font-size", "background-image", "text-align" })
        QVERIFY2(seen.contains(QLatin1String(property)), property);
}

void TestVocabulary::tableShapeAndReadOnly()
{
    withTable(QStringLiteral("Tags.DB"), [](QSqlDatabase &db) {
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("SELECT name, type FROM pragma_table_info('Tags')")));
        QStringList shape;
        while (q.next())
            shape.append(q.value(0).toString() + QLatin1Char(' ') + q.value(1).toString());
        QCOMPARE(shape,
            QStringList({ QStringLiteral("Element TEXT"), QStringLiteral("Attributes TEXT"),
                QStringLiteral("Description TEXT"), QStringLiteral("HTMLVersion TEXT"),
                QStringLiteral("Image BLOB") }));
        // The pictures are stored as bytes, not as text that a driver might re-encode.
        QCOMPARE(column(db, QStringLiteral("SELECT DISTINCT typeof(Image) FROM Tags")),
            QStringList(QStringLiteral("blob")));
        QVERIFY(!q.exec(QStringLiteral("UPDATE Tags SET Description = 'x'")));
    });
    for (const char *table : { "Attributes", "CSS" }) {
        const QString name = QLatin1String(table);
        withTable(name == QLatin1String("CSS") ? QStringLiteral("CSS.db") : QStringLiteral("Attributes.DB"),
            [&](QSqlDatabase &db) {
                QCOMPARE(column(db, QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(name)),
                    QStringList({ QStringLiteral("Attribute"), QStringLiteral("Values") }));
                QSqlQuery q(db);
                QVERIFY(!q.exec(
                    QStringLiteral("INSERT INTO %1 (Attribute, \"Values\") VALUES ('X', 'y')").arg(name)));
            });
    }
}

void TestVocabulary::makevocabRejectsMalformedLines_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("message");

    const QByteArray good = "$G = ID CLASS\nP | 2 | text | A paragraph | ALIGN $G\n";
    QTest::newRow("too few fields") << QStringLiteral("tags") << QByteArray(good + "B | 2 | text | Bold\n")
                                    << QStringLiteral("3: expected 5 fields");
    QTest::newRow("small letters") << QStringLiteral("tags")
                                   << QByteArray(good + "b | 2 | text | Bold | ID\n")
                                   << QStringLiteral("3: bad element");
    QTest::newRow("version") << QStringLiteral("tags") << QByteArray(good + "B | 3 | text | Bold | ID\n")
                             << QStringLiteral("3: bad HTML version");
    QTest::newRow("no icon") << QStringLiteral("tags")
                             << QByteArray(good + "B | 2 | nosuchkind | Bold | ID\n")
                             << QStringLiteral("3: no icon");
    QTest::newRow("no description") << QStringLiteral("tags") << QByteArray(good + "B | 2 | text |  | ID\n")
                                    << QStringLiteral("3: no description");
    QTest::newRow("attribute twice") << QStringLiteral("tags")
                                     << QByteArray(good + "B | 2 | text | Bold | CLASS $G\n")
                                     << QStringLiteral("3: B lists CLASS twice");
    QTest::newRow("undefined group") << QStringLiteral("tags")
                                     << QByteArray(good + "B | 2 | text | Bold | $H\n")
                                     << QStringLiteral("3: undefined group");
    QTest::newRow("element twice") << QStringLiteral("tags")
                                   << QByteArray(good + "P | 2 | text | Again | ID\n")
                                   << QStringLiteral("3: UNIQUE");
    QTest::newRow("marker with values")
        << QStringLiteral("attributes") << QByteArray("COLOR | <Colors> | red\n")
        << QStringLiteral("1: a marker must be the only value");
    QTest::newRow("misspelt marker") << QStringLiteral("attributes") << QByteArray("COLOR | <Colours>\n")
                                     << QStringLiteral("1: unknown marker");
    QTest::newRow("bad key") << QStringLiteral("attributes") << QByteArray("ALIGN(table) | left\n")
                             << QStringLiteral("1: bad key");
    QTest::newRow("no values") << QStringLiteral("attributes") << QByteArray("ALIGN\n")
                               << QStringLiteral("1: expected an attribute");
    QTest::newRow("key twice") << QStringLiteral("attributes") << QByteArray("DIR | ltr\nDIR | rtl\n")
                               << QStringLiteral("2: UNIQUE");
    QTest::newRow("css kind") << QStringLiteral("css") << QByteArray("color | <Colors>\n")
                              << QStringLiteral("1: unknown marker");
    QTest::newRow("css name") << QStringLiteral("css") << QByteArray("Color | <Color>\n")
                              << QStringLiteral("1: bad key");
}

void TestVocabulary::makevocabRejectsMalformedLines()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, source);
    QFETCH(QString, message);

    TestEnvironment environment;
    auto run = [&](const QByteArray &text, QString *errors) {
        const QString input = environment.writeFile(QStringLiteral("source.txt"), text);
        QStringList arguments { kind, input, environment.path(QStringLiteral("out.db")) };
        if (kind == QLatin1String("tags"))
            arguments.append(QStringLiteral(TAGLOOM_VOCABULARY_ICONS));
        QProcess process;
        process.start(QStringLiteral(TAGLOOM_MAKEVOCAB), arguments);
        process.waitForFinished();
        *errors = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    };

    // The lines before the faulty one are accepted on their own, so the fault is what fails the run.
    QString errors;
    const QByteArray valid = source.left(source.lastIndexOf('\n', source.size() - 2) + 1);
    if (!valid.isEmpty()) {
        QCOMPARE(run(valid, &errors), 0);
        QVERIFY(QFile::remove(environment.path(QStringLiteral("out.db"))));
    }
    QCOMPARE(run(source, &errors), 1);
    QVERIFY2(errors.contains(QStringLiteral("source.txt:") + message), qPrintable(errors));
    QVERIFY(!QFile::exists(environment.path(QStringLiteral("out.db"))));
}

QTEST_GUILESS_MAIN(TestVocabulary)
#include "tst_vocabulary.moc"
