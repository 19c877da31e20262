// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsstore.h"

#include "programfolder.h"
#include "safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

using Defaults = QHash<QString, QVariant>;

// Colour values are 0x00BBGGRR.
const Defaults &userDefaults()
{
    static const Defaults defaults = {
        { QStringLiteral("Position/Top"), 0 },
        { QStringLiteral("Position/Left"), 0 },
        { QStringLiteral("Position/Width"), 1024 },
        { QStringLiteral("Position/Height"), 768 },
        { QStringLiteral("Position/Maximised"), true },
        { QStringLiteral("Position/IEVisible"), false },
        { QStringLiteral("Position/IEHeight"), 154 },
        { QStringLiteral("Toolbars/State"), QByteArray() },
        { QStringLiteral("Editor/Word Wrap"), true },
        { QStringLiteral("Editor/Name"), QStringLiteral("DejaVu Sans Mono") },
        { QStringLiteral("Editor/Size"), 10 },
        { QStringLiteral("Editor/Names"), true },
        { QStringLiteral("Editor/Upper"), false },
        { QStringLiteral("Editor/Use Doc Settings"), false },
        { QStringLiteral("Editor/OnReturn"), QString() },
        { QStringLiteral("Editor/Use Prompting"), true },
        { QStringLiteral("Editor/Tag Completion"), true },
        { QStringLiteral("Editor/Tag Structure"), true },
        { QStringLiteral("Editor/Tag Edit"), true },
        { QStringLiteral("Editor/Tag Info"), true },
        { QStringLiteral("Editor/Update Preview"), false },
        { QStringLiteral("Editor/Logical Fonts"), false },
        { QStringLiteral("Editor/Shortcuts"), true },
        { QStringLiteral("Colors/Back Color"), 0xFFFFFF },
        { QStringLiteral("Colors/Text Color"), 0x000000 },
        { QStringLiteral("Colors/Tag Color"), 0x800000 },
        { QStringLiteral("Colors/Char Color"), 0x800080 },
        { QStringLiteral("Colors/String Color"), 0x0000C0 },
        { QStringLiteral("Colors/Hex Color"), 0x008080 },
        { QStringLiteral("Colors/Comment Color"), 0x808080 },
        { QStringLiteral("Colors/Formatting"), true },
        { QStringLiteral("Template/Template"), QStringLiteral("CreateNewTemplate") },
        { QStringLiteral("Tools/Browser"), QString() },
        { QStringLiteral("Tools/ImageEditor"), QString() },
        { QStringLiteral("Recent/File1"), QString() },
        { QStringLiteral("Recent/File2"), QString() },
        { QStringLiteral("Recent/File3"), QString() },
        { QStringLiteral("Recent/File4"), QString() },
        { QStringLiteral("Recent/SiteFile1"), QString() },
        { QStringLiteral("Recent/SiteFile2"), QString() },
        { QStringLiteral("Recent/SiteFile3"), QString() },
        { QStringLiteral("Recent/SiteFile4"), QString() },
        { QStringLiteral("ShowTips"), false },
    };
    return defaults;
}

QString userName()
{
    QString name = qEnvironmentVariable("USER");
    return name.isEmpty() ? QStringLiteral("Tagloom user") : name;
}

} // namespace

SettingsStore::SettingsStore(const QString &userFile, const QString &machineFile)
    : m_userFile(userFile)
    , m_machineFile(machineFile)
{ }

SettingsStore::~SettingsStore() = default;

SettingsStore SettingsStore::standard()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return SettingsStore(config + QStringLiteral("/Tagloom/Tagloom 99.ini"),
        ProgramFolder::path() + QStringLiteral("/machine.ini"));
}

QString SettingsStore::path(const QString &key, const QString &name)
{
    return key.isEmpty() ? name : key + u'/' + name;
}

std::unique_ptr<QSettings> SettingsStore::open(Root root) const
{
    return std::make_unique<QSettings>(root == Root::User ? m_userFile : m_machineFile, QSettings::IniFormat);
}

bool SettingsStore::hasValue(const QString &key, const QString &name, Root root) const
{
    return open(root)->contains(path(key, name));
}

QVariant SettingsStore::read(const QString &key, const QString &name, Root root) const
{
    const QVariant stored = open(root)->value(path(key, name));
    return stored.isValid() ? stored : defaultValue(key, name, root);
}

QString SettingsStore::readString(const QString &key, const QString &name, Root root) const
{
    return read(key, name, root).toString();
}

int SettingsStore::readInteger(const QString &key, const QString &name, Root root) const
{
    bool ok = false;
    const int value = read(key, name, root).toInt(&ok);
    return ok ? value : defaultValue(key, name, root).toInt();
}

bool SettingsStore::readBool(const QString &key, const QString &name, Root root) const
{
    const QVariant value = read(key, name, root);
    const QString text = value.toString().trimmed().toLower();
    if (text == u"true")
        return true;
    if (text == u"false")
        return false;
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? number != 0 : defaultValue(key, name, root).toBool();
}

namespace {

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.typeId() == QMetaType::QByteArray || b.typeId() == QMetaType::QByteArray)
        return a.toByteArray() == b.toByteArray();
    if (a.typeId() == QMetaType::QStringList || b.typeId() == QMetaType::QStringList)
        return a.toStringList() == b.toStringList();
    return a.toString() == b.toString();
}

} // namespace

// The change is made in a private copy, which is read back whole before the safe writer puts it in place
// of the file: QSettings writes through a buffered save file, and a write cut short there (a full disk)
// would replace the file with the part that fitted.
bool SettingsStore::change(Root root, const std::function<void(QSettings &)> &apply)
{
    const QString file = root == Root::User ? m_userFile : m_machineFile;
    const auto failed = [&](const QString &reason) {
        qWarning("The settings file %s was not written: %s", qPrintable(QDir::toNativeSeparators(file)),
            qPrintable(reason));
        return false;
    };
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return failed(scratch.errorString());
    const QString copy = scratch.filePath(QStringLiteral("settings.ini"));
    if (QFileInfo::exists(file) && !QFile::copy(file, copy))
        return failed(QStringLiteral("it could not be read"));
    QHash<QString, QVariant> expected;
    {
        QSettings settings(copy, QSettings::IniFormat);
        apply(settings);
        for (const QString &name : settings.allKeys())
            expected.insert(name, settings.value(name));
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return failed(QStringLiteral("its new content could not be made"));
    }
    const QSettings check(copy, QSettings::IniFormat);
    const QStringList names = check.allKeys();
    if (names.size() != expected.size())
        return failed(QStringLiteral("its new content could not be made"));
    for (const QString &name : names) {
        if (!sameValue(check.value(name), expected.value(name)))
            return failed(QStringLiteral("its new content could not be made"));
    }
    QFile made(copy);
    if (!made.open(QIODevice::ReadOnly))
        return failed(made.errorString());
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return failed(QStringLiteral("its folder could not be created"));
    const SafeFile::Result written = SafeFile::write(file, made.readAll());
    return written.ok || failed(written.reason);
}

void SettingsStore::write(const QString &key, const QString &name, const QVariant &value, Root root)
{
    change(root, [&](QSettings &settings) { settings.setValue(path(key, name), value); });
}

void SettingsStore::writeString(const QString &key, const QString &name, const QString &value)
{
    write(key, name, value);
}

void SettingsStore::writeInteger(const QString &key, const QString &name, int value)
{
    write(key, name, value);
}

void SettingsStore::writeBool(const QString &key, const QString &name, bool value)
{
    write(key, name, value ? 1 : 0);
}

QVariant SettingsStore::defaultValue(const QString &key, const QString &name, Root root)
{
    if (root == Root::Machine) {
        if (name == u"Name")
            return userName();
        if (name == u"TempDir")
            return QDir::tempPath();
        return {};
    }
    return userDefaults().value(path(key, name));
}

bool SettingsStore::isFirstStart() const
{
    return !hasValue(Keys::Position, QStringLiteral("Top"));
}

void SettingsStore::writeFirstStartDefaults(QSize screen)
{
    change(Root::User, [&](QSettings &settings) {
        settings.beginGroup(Keys::Position);
        settings.setValue(QStringLiteral("Top"), 0);
        settings.setValue(QStringLiteral("Left"), 0);
        settings.setValue(QStringLiteral("Width"), screen.width());
        settings.setValue(QStringLiteral("Height"), screen.height());
        settings.setValue(QStringLiteral("Maximised"), 1);
        settings.setValue(QStringLiteral("IEHeight"), qRound(screen.height() * 0.2));
        settings.endGroup();
    });
}

QVariant SettingsStore::read(const SettingName &setting) const
{
    return read(*setting.key, setting.valueName(), setting.root);
}

QString SettingsStore::readString(const SettingName &setting) const
{
    return readString(*setting.key, setting.valueName(), setting.root);
}

int SettingsStore::readInteger(const SettingName &setting) const
{
    return readInteger(*setting.key, setting.valueName(), setting.root);
}

bool SettingsStore::readBool(const SettingName &setting) const
{
    return readBool(*setting.key, setting.valueName(), setting.root);
}

bool SettingsStore::hasValue(const SettingName &setting) const
{
    return hasValue(*setting.key, setting.valueName(), setting.root);
}

void SettingsStore::write(const SettingName &setting, const QVariant &value)
{
    write(*setting.key, setting.valueName(), value, setting.root);
}
