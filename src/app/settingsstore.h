// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>
#include <QVariant>

#include <memory>

class QSettings;

// Registry-shaped settings: keys such as "Position" or "Editor" holding named values. User keys live in an
// INI file under the XDG config folder, the two machine values in an INI file beside the program. Each
// access opens, reads or writes and closes the file, so no value is cached here; a missing value yields
// its default, so reading never fails.
class SettingsStore
{
public:
    enum class Root { User, Machine };

    SettingsStore(const QString &userFile, const QString &machineFile);
    ~SettingsStore();

    // The user file under $XDG_CONFIG_HOME and the machine file in the program folder.
    static SettingsStore standard();

    QString userFile() const { return m_userFile; }
    QString machineFile() const { return m_machineFile; }

    bool hasValue(const QString &key, const QString &name, Root root = Root::User) const;
    QVariant read(const QString &key, const QString &name, Root root = Root::User) const;
    QString readString(const QString &key, const QString &name, Root root = Root::User) const;
    int readInteger(const QString &key, const QString &name, Root root = Root::User) const;
    bool readBool(const QString &key, const QString &name, Root root = Root::User) const;

    void write(const QString &key, const QString &name, const QVariant &value, Root root = Root::User);
    void writeString(const QString &key, const QString &name, const QString &value);
    void writeInteger(const QString &key, const QString &name, int value);
    // Stored as 0 or 1, as the registry kept booleans.
    void writeBool(const QString &key, const QString &name, bool value);

    // The value used when none is stored; an invalid QVariant for a name nobody reads.
    static QVariant defaultValue(const QString &key, const QString &name, Root root = Root::User);

    // The first start is recognised by a window position never written.
    bool isFirstStart() const;
    // Writes the window defaults of a first start: at 0, 0, the screen's size, maximised, the preview a
    // fifth of the screen high.
    void writeFirstStartDefaults(QSize screen);

private:
    std::unique_ptr<QSettings> open(Root root) const;
    static QString path(const QString &key, const QString &name);

    QString m_userFile;
    QString m_machineFile;
};

// The key names, so a typo cannot create a second key.
namespace Keys {
inline const QString Product; // values stored on the product key itself, such as ShowTips
inline const QString Position = QStringLiteral("Position");
inline const QString Toolbars = QStringLiteral("Toolbars");
inline const QString Editor = QStringLiteral("Editor");
inline const QString Colors = QStringLiteral("Colors");
inline const QString Template = QStringLiteral("Template");
inline const QString Tools = QStringLiteral("Tools");
inline const QString Recent = QStringLiteral("Recent");
inline const QString Machine = QStringLiteral("Software/Quorvane/Tagloom 99/4");
} // namespace Keys
