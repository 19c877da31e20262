// SPDX-License-Identifier: GPL-3.0-or-later
// The base layer: the action table every menu and toolbar is built from, the error guard, the typed
// setting names and the core document.
#include "base/actiontable.h"
#include "base/document.h"
#include "base/errorguard.h"
#include "base/productstrings.h"
#include "base/safefile.h"
#include "base/settingsstore.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <csignal>
#include <stdexcept>
#include <sys/resource.h>

using namespace ActionTable;

namespace {

// Every action a menu of the table holds, with the menu that holds it.
void collect(MenuId id, QHash<int, QString> &placed, QStringList &twice)
{
    for (const MenuEntry &entry : menu(id).entries) {
        if (entry.kind == MenuEntry::Kind::Submenu) {
            collect(entry.submenu, placed, twice);
        } else if (entry.action != ActionId::Count) {
            if (placed.contains(int(entry.action)))
                twice.append(objectName(entry.action));
            placed.insert(int(entry.action), QString::fromUtf16(menu(id).title));
        }
    }
}

} // namespace

class TestBase : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void actionTableHoldsEveryCommandOnce();
    void hintPairsDifferOnlyByTheKey();
    void errorGuardLogsTheFailure();
    void settingNamesReadTheStoredValues();
    void documentsHaveTheirOwnIds();
    void safeWriterKeepsModeLinksAndTheOldFile();
};

void TestBase::actionTableHoldsEveryCommandOnce()
{
    QSet<QString> names;
    QHash<QString, QString> keyOwners;
    for (const ActionRow &row : rows()) {
        const QString name = QString::fromUtf16(row.objectName);
        QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(name));
        names.insert(name);
        // An ambiguous shortcut runs neither command in Qt.
        for (const QKeySequence &key : keys(row.id)) {
            const QString text = key.toString(QKeySequence::PortableText);
            QVERIFY2(
                !keyOwners.contains(text), qPrintable(text + u' ' + name + u' ' + keyOwners.value(text)));
            keyOwners.insert(text, name);
        }
    }

    QHash<int, QString> placed;
    QStringList twice;
    for (int m = 0; m < int(MenuId::Count); ++m) {
        const MenuId id = MenuId(m);
        // Submenus are walked from the menu that holds them.
        const bool top = std::find(menuBar().begin(), menuBar().end(), id) != menuBar().end()
            || id == MenuId::FilePagesPopup || id == MenuId::HTMLPopup || id == MenuId::DateTime
            || id == MenuId::CodePopup;
        if (top)
            collect(id, placed, twice);
    }
    QVERIFY2(twice.isEmpty(), qPrintable(twice.join(u' ')));
    QSet<QString> buttons;
    for (int t = 0; t < int(ToolbarId::Count); ++t) {
        for (const ToolbarEntry &entry : toolbar(ToolbarId(t)).entries) {
            if (entry.kind != ToolbarEntry::Kind::Button)
                continue;
            const QString button = QString::fromUtf16(entry.buttonName);
            QVERIFY2(!buttons.contains(button), qPrintable(button));
            buttons.insert(button);
            placed.insert(int(entry.action), QStringLiteral("toolbar"));
        }
    }
    // Every command can be reached; the colour button's drop-down holds "More Colors" itself.
    for (const ActionRow &row : rows()) {
        if (row.id != ActionId::MoreColors1)
            QVERIFY2(placed.contains(int(row.id)), qPrintable(QString::fromUtf16(row.objectName)));
    }

    QCOMPARE(menuPath(ActionId::Bold), QStringLiteral("&Format"));
    QCOMPARE(menuPath(ActionId::Heading3), QStringLiteral("&Format/&Style"));
    QCOMPARE(menuPath(ActionId::Upper1), QStringLiteral("&Edit/Change &Case"));
    QCOMPARE(menuPath(ActionId::EditinDialog1), QStringLiteral("HTMLPopup"));
    QCOMPARE(menuPath(ActionId::Link), QString());
    QCOMPARE(buttonName(ActionId::Bold), QStringLiteral("BoldButton"));
    QCOMPARE(dropDownOf(ActionId::AutoDateTime1), QStringLiteral("DateTimeButton"));
    QCOMPARE(keys(ActionId::Cut).size(), 2);
}

void TestBase::hintPairsDifferOnlyByTheKey()
{
    int pairs = 0;
    for (const ActionRow &row : rows()) {
        if (!*row.plainHint)
            continue;
        ++pairs;
        const QString full = hint(row.id, true);
        const QString plain = hint(row.id, false);
        const QString tip = full.section(u'|', 0, 0);
        QVERIFY2(!plain.contains(u'('), qPrintable(plain));
        // "New (Ctrl+N)|status" and "New|status": the same tooltip before the key, the same status text.
        QVERIFY2(tip.startsWith(plain.section(u'|', 0, 0) + QStringLiteral(" (")) && tip.endsWith(u')'),
            qPrintable(full));
        QCOMPARE(full.section(u'|', 1), plain.section(u'|', 1));
    }
    // The 21 buttons whose hints the Shortcuts setting switches, in the order of their strings.
    QCOMPARE(pairs, Product::toolbarHintCount);
    QCOMPARE(Product::toolbarHint(0, true), QStringLiteral("New (Ctrl+N)|Create a new HTML File"));
    QCOMPARE(Product::toolbarHint(20, false), QStringLiteral("Line|Insert a line going across the page"));
}

void TestBase::errorGuardLogsTheFailure()
{
    ScriptedPrompter prompter;
    EditorBusy busy;
    bool reached = false;
    QTest::ignoreMessage(
        QtWarningMsg, QRegularExpression(QStringLiteral("error code 7: the disk is on fire")));
    const bool ran = runGuarded(prompter, busy, 7, [&] {
        const EditorBusy::Hold hold(busy);
        QVERIFY(busy.isSet());
        throw std::runtime_error("the disk is on fire");
        reached = true;
    });
    QVERIFY(!ran);
    QVERIFY(!reached);
    QVERIFY(!busy.isSet());
    QCOMPARE(prompter.texts(), QStringList { errorCodeMessage(7) });

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("error code 8: .*not a standard")));
    QVERIFY(!runGuarded(prompter, busy, 8, [] { throw 42; }));
    QVERIFY(runGuarded(prompter, busy, 9, [] {}));
    QCOMPARE(prompter.texts().size(), 2);
}

void TestBase::settingNamesReadTheStoredValues()
{
    TestEnvironment env;
    SettingsStore settings = env.settings();
    // A typed name and the key and name it stands for reach the same value.
    QCOMPARE(settings.readBool(Settings::WordWrap), true);
    settings.writeBool(Settings::WordWrap, false);
    QCOMPARE(settings.readBool(Keys::Editor, QStringLiteral("Word Wrap")), false);
    settings.writeString(Keys::Editor, QStringLiteral("Name"), QStringLiteral("Mono"));
    QCOMPARE(settings.readString(Settings::FontName), QStringLiteral("Mono"));
    settings.write(Settings::UserName, QStringLiteral("Ann"));
    QCOMPARE(settings.readString(Keys::Machine, QStringLiteral("Name"), SettingsStore::Root::Machine),
        QStringLiteral("Ann"));
    QVERIFY(!settings.hasValue(Keys::Machine, QStringLiteral("Name")));
    QVERIFY(!settings.hasValue(Settings::IEHeight));
    QCOMPARE(settings.readInteger(Settings::IEHeight),
        SettingsStore::defaultValue(Keys::Position, QStringLiteral("IEHeight")).toInt());
}

void TestBase::documentsHaveTheirOwnIds()
{
    Document first;
    Document second;
    QVERIFY(first.id() != second.id());
    QVERIFY(first.isUntitled());
    QCOMPARE(first.displayName(), Product::notSaved());
    QCOMPARE(first.folder(), QString());
    first.setPath(QStringLiteral("/sites/club/index.html"));
    QVERIFY(!first.isUntitled());
    QCOMPARE(first.displayName(), QStringLiteral("/sites/club/index.html"));
    QCOMPARE(first.folder(), QStringLiteral("/sites/club"));
    // A file really named "Not Saved" is a file like any other.
    second.setPath(QStringLiteral("/tmp/Not Saved"));
    QVERIFY(!second.isUntitled());
}

void TestBase::safeWriterKeepsModeLinksAndTheOldFile()
{
    TestEnvironment env;
    // A new file, an old file replaced: its mode stays.
    const QString path = env.path(u"site.site"_qs);
    QVERIFY(SafeFile::write(path, "first").ok);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    QVERIFY(SafeFile::write(path, "second").ok);
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("second"));
    QCOMPARE(QFileInfo(path).permissions() & 0x0777,
        QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup);
    // Or the mode asked for.
    QVERIFY(SafeFile::write(path, "third", QFileDevice::ReadOwner | QFileDevice::WriteOwner).ok);
    QCOMPARE(QFileInfo(path).permissions() & 0x0777, QFileDevice::ReadUser | QFileDevice::WriteUser);

    // A link keeps pointing at its file, which gets the bytes.
    const QString link = env.path(u"link.site"_qs);
    QVERIFY(QFile::link(path, link));
    QVERIFY(SafeFile::write(link, "through the link").ok);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("through the link"));

    // A write that stops short fails with a reason and leaves the old file whole.
    rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 100;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SafeFile::Result full = SafeFile::write(path, QByteArray(500, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY(!full.ok);
    QVERIFY(!full.reason.isEmpty());
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("through the link"));
    QCOMPARE(QDir(env.path(QString())).entryList(QDir::Files | QDir::System),
        QStringList({ u"link.site"_qs, u"site.site"_qs }));

    // A folder that does not exist.
    QVERIFY(!SafeFile::write(env.path(u"no/such/file"_qs), "x").ok);
}

QTEST_GUILESS_MAIN(TestBase)
#include "tst_base.moc"
