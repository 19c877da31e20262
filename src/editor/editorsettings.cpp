// SPDX-License-Identifier: GPL-3.0-or-later
#include "editorsettings.h"

#include "base/settingsstore.h"

EditorSettings EditorSettings::read(const SettingsStore &store)
{
    EditorSettings s;
    const auto colour = [&store](const SettingName &name) { return TColor(store.readInteger(name)); };
    s.colours.backColor = colour(Settings::BackColor);
    s.colours.textColor = colour(Settings::TextColor);
    s.colours.tagColor = colour(Settings::TagColor);
    s.colours.charColor = colour(Settings::CharColor);
    s.colours.stringColor = colour(Settings::StringColor);
    s.colours.hexColor = colour(Settings::HexColor);
    s.colours.commentColor = colour(Settings::CommentColor);
    s.colours.formatting = store.readBool(Settings::Formatting);

    s.names = store.readBool(Settings::Names);
    s.upper = store.readBool(Settings::Upper);
    s.fontName = store.readString(Settings::FontName);
    s.fontSize = store.readInteger(Settings::FontSize);
    s.colours.useDocSettings = store.readBool(Settings::UseDocSettings);
    const QString onReturn = store.readString(Settings::OnReturn);
    s.onReturn = s.upper ? onReturn.toUpper() : onReturn.toLower();
    s.usePrompting = store.readBool(Settings::UsePrompting);
    s.tagCompletion = store.readBool(Settings::TagCompletion);
    s.tagStructure = store.readBool(Settings::TagStructure);
    s.tagEdit = store.readBool(Settings::TagEdit);
    s.tagInfo = store.readBool(Settings::TagInfo);
    s.updatePreview = store.readBool(Settings::UpdatePreview);
    s.logicalFonts = store.readBool(Settings::LogicalFonts);
    s.shortcuts = store.readBool(Settings::Shortcuts);
    return s;
}
