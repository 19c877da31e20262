// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

class QSettings;
struct SettingName;

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

    // The same for a value named by one of the constants below.
    QVariant read(const SettingName &setting) const;
    QString readString(const SettingName &setting) const;
    int readInteger(const SettingName &setting) const;
    bool readBool(const SettingName &setting) const;
    bool hasValue(const SettingName &setting) const;
    void write(const SettingName &setting, const QVariant &value);
    void writeBool(const SettingName &setting, bool value) { write(setting, value ? 1 : 0); }

    // The value used when none is stored; an invalid QVariant for a name nobody reads.
    static QVariant defaultValue(const QString &key, const QString &name, Root root = Root::User);

    // The first start is recognised by a window position never written.
    bool isFirstStart() const;
    // Writes the window defaults of a first start: at 0, 0, the screen's size, maximised, the preview a
    // fifth of the screen high.
    void writeFirstStartDefaults(QSize screen);

private:
    std::unique_ptr<QSettings> open(Root root) const;
    // Applies a change to the file of root; false (and a warning in the log) when it could not be written,
    // the file then left as it was.
    bool change(Root root, const std::function<void(QSettings &)> &apply);
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

// One value of the store: its key, its name and the root it lives under. Code names values by these
// constants, so a misspelt name is a build error rather than a second value.
struct SettingName
{
    const QString *key;
    const char16_t *name;
    SettingsStore::Root root = SettingsStore::Root::User;

    QString valueName() const { return QString::fromUtf16(name); }
};

namespace Settings {
using Root = SettingsStore::Root;
inline constexpr SettingName Maximised { &Keys::Position, u"Maximised" };
inline constexpr SettingName Top { &Keys::Position, u"Top" };
inline constexpr SettingName Left { &Keys::Position, u"Left" };
inline constexpr SettingName Height { &Keys::Position, u"Height" };
inline constexpr SettingName Width { &Keys::Position, u"Width" };
inline constexpr SettingName IEVisible { &Keys::Position, u"IEVisible" };
inline constexpr SettingName IEHeight { &Keys::Position, u"IEHeight" };
inline constexpr SettingName ToolbarState { &Keys::Toolbars, u"State" };
inline constexpr SettingName WordWrap { &Keys::Editor, u"Word Wrap" };
inline constexpr SettingName FontName { &Keys::Editor, u"Name" };
inline constexpr SettingName FontSize { &Keys::Editor, u"Size" };
inline constexpr SettingName Names { &Keys::Editor, u"Names" };
inline constexpr SettingName Upper { &Keys::Editor, u"Upper" };
inline constexpr SettingName UseDocSettings { &Keys::Editor, u"Use Doc Settings" };
inline constexpr SettingName OnReturn { &Keys::Editor, u"OnReturn" };
inline constexpr SettingName UsePrompting { &Keys::Editor, u"Use Prompting" };
inline constexpr SettingName TagCompletion { &Keys::Editor, u"Tag Completion" };
inline constexpr SettingName TagStructure { &Keys::Editor, u"Tag Structure" };
inline constexpr SettingName TagEdit { &Keys::Editor, u"Tag Edit" };
inline constexpr SettingName TagInfo { &Keys::Editor, u"Tag Info" };
inline constexpr SettingName UpdatePreview { &Keys::Editor, u"Update Preview" };
inline constexpr SettingName LogicalFonts { &Keys::Editor, u"Logical Fonts" };
inline constexpr SettingName Shortcuts { &Keys::Editor, u"Shortcuts" };
inline constexpr SettingName BackColor { &Keys::Colors, u"Back Color" };
inline constexpr SettingName TextColor { &Keys::Colors, u"Text Color" };
inline constexpr SettingName TagColor { &Keys::Colors, u"Tag Color" };
inline constexpr SettingName CharColor { &Keys::Colors, u"Char Color" };
inline constexpr SettingName StringColor { &Keys::Colors, u"String Color" };
inline constexpr SettingName HexColor { &Keys::Colors, u"Hex Color" };
inline constexpr SettingName CommentColor { &Keys::Colors, u"Comment Color" };
inline constexpr SettingName Formatting { &Keys::Colors, u"Formatting" };
inline constexpr SettingName Template { &Keys::Template, u"Template" };
inline constexpr SettingName Browser { &Keys::Tools, u"Browser" };
inline constexpr SettingName ImageEditor { &Keys::Tools, u"ImageEditor" };
inline constexpr SettingName ShowTips { &Keys::Product, u"ShowTips" };
inline constexpr SettingName UserName { &Keys::Machine, u"Name", Root::Machine };
inline constexpr SettingName TempDir { &Keys::Machine, u"TempDir", Root::Machine };
} // namespace Settings
