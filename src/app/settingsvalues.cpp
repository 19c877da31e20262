// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsvalues.h"

#include "base/settingsstore.h"

namespace {

const SettingName *colourSetting(SettingsValues::Element element)
{
    switch (element) {
    case SettingsValues::Background:
        return &Settings::BackColor;
    case SettingsValues::Character:
        return &Settings::CharColor;
    case SettingsValues::Comment:
        return &Settings::CommentColor;
    case SettingsValues::Hex:
        return &Settings::HexColor;
    case SettingsValues::String:
        return &Settings::StringColor;
    case SettingsValues::Tag:
        return &Settings::TagColor;
    case SettingsValues::Text:
    default:
        return &Settings::TextColor;
    }
}

// The item texts and the values they stand for.
const QString tagPrompting = QStringLiteral("Tag Prompting");
const QString tagCompletion = QStringLiteral("Tag Completion");
const QString tagStructure = QStringLiteral("Tag Structure");
const QString tagEditing = QStringLiteral("Automatic Tag Editing");
const QString tagInformation = QStringLiteral("Automatic Tag Information");
const QString logicalFonts = QStringLiteral("Use Logical Font Tags");
const QString updatePreview = QStringLiteral("Update Preview");
const QString insertBr = QStringLiteral("Insert <br> Tag");
const QString insertP = QStringLiteral("Insert <p> Tag");
const QString insertNothing = QStringLiteral("Don't Insert a Tag");
const QString upperCase = QStringLiteral("Insert Tags in Upper Case");
const QString lowerCase = QStringLiteral("Insert Tags in Lower Case");
const QString colourNames = QStringLiteral("Use Colour Names");
const QString colourCodes = QStringLiteral("Use Colour Hex Codes");
const QString shortcuts = QStringLiteral("Show Keyboard Shortcuts in Help Hints");
const QString internalPreview = QStringLiteral("Use Internal Preview");

} // namespace

QString SettingsValues::elementName(Element element)
{
    static const char16_t *const names[]
        = { u"Background", u"Character", u"Comment", u"Hex", u"String", u"Tag", u"Text" };
    return QString::fromUtf16(names[element]);
}

SettingsValues SettingsValues::read(const SettingsStore &store)
{
    SettingsValues v;
    for (int e = 0; e < ElementCount; ++e)
        v.colours[e] = TColor(store.readInteger(*colourSetting(Element(e))));
    v.formatting = store.readBool(Settings::Formatting);
    v.templateText = store.readString(Settings::Template);
    v.names = store.readBool(Settings::Names);
    v.upper = store.readBool(Settings::Upper);
    v.fontName = store.readString(Settings::FontName);
    v.fontSize = store.readInteger(Settings::FontSize);
    v.useDocSettings = store.readBool(Settings::UseDocSettings);
    v.onReturn = store.readString(Settings::OnReturn);
    v.usePrompting = store.readBool(Settings::UsePrompting);
    v.tagCompletion = store.readBool(Settings::TagCompletion);
    v.tagStructure = store.readBool(Settings::TagStructure);
    v.tagEdit = store.readBool(Settings::TagEdit);
    v.tagInfo = store.readBool(Settings::TagInfo);
    v.updatePreview = store.readBool(Settings::UpdatePreview);
    v.logicalFonts = store.readBool(Settings::LogicalFonts);
    v.shortcuts = store.readBool(Settings::Shortcuts);
    v.ieVisible = store.readBool(Settings::IEVisible);
    v.browser = store.readString(Settings::Browser);
    v.imageEditor = store.readString(Settings::ImageEditor);
    return v;
}

void SettingsValues::write(SettingsStore &store) const
{
    for (Element e : { Background, Text, Tag, Character, String, Hex, Comment })
        store.write(*colourSetting(e), int(colours[e]));
    store.writeBool(Settings::Formatting, formatting);
    store.write(Settings::Template, templateText);
    store.writeBool(Settings::Names, names);
    store.writeBool(Settings::Upper, upper);
    store.write(Settings::FontSize, fontSize);
    store.write(Settings::FontName, fontName);
    store.writeBool(Settings::UseDocSettings, useDocSettings);
    store.write(Settings::OnReturn, onReturn);
    store.writeBool(Settings::UsePrompting, usePrompting);
    store.writeBool(Settings::TagCompletion, tagCompletion);
    store.writeBool(Settings::TagStructure, tagStructure);
    store.writeBool(Settings::TagEdit, tagEdit);
    store.writeBool(Settings::TagInfo, tagInfo);
    store.writeBool(Settings::UpdatePreview, updatePreview);
    store.writeBool(Settings::LogicalFonts, logicalFonts);
    store.writeBool(Settings::Shortcuts, shortcuts);
    store.writeBool(Settings::IEVisible, ieVisible);
    store.write(Settings::Browser, browser);
    store.write(Settings::ImageEditor, imageEditor);
}

SwitchTree::SwitchTree()
{
    const auto group = [this](const QString &name) { m_items.append({ QString(), name, 0 }); };
    const auto item = [this](const QString &text, int state) {
        // Items belong to the group item above them.
        QString owner;
        for (auto it = m_items.crbegin(); it != m_items.crend(); ++it) {
            if (it->group.isEmpty()) {
                owner = it->text;
                break;
            }
        }
        m_items.append({ owner, text, state });
    };
    group(QStringLiteral("Tag Helpers"));
    for (const QString &text : { tagPrompting, tagCompletion, tagStructure, tagEditing, tagInformation })
        item(text, CheckOff);
    group(QStringLiteral("Font Tags"));
    item(logicalFonts, CheckOff);
    group(QStringLiteral("When Return is Pressed"));
    item(updatePreview, CheckOff);
    for (const QString &text : { insertBr, insertP, insertNothing })
        item(text, GroupAOff);
    group(QStringLiteral("Editor"));
    item(upperCase, GroupAOff);
    item(lowerCase, GroupAOff);
    item(colourNames, GroupBOff);
    item(colourCodes, GroupBOff);
    item(shortcuts, CheckOff);
    group(QStringLiteral("Internal Preview"));
    item(internalPreview, CheckOff);
}

int SwitchTree::indexOf(const QString &text) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items.at(i).text == text)
            return i;
    }
    return -1;
}

bool SwitchTree::isOn(const QString &text) const
{
    const int i = indexOf(text);
    if (i < 0)
        return false;
    const int state = m_items.at(i).state;
    return state == CheckOn || state == GroupAOn || state == GroupBOn;
}

void SwitchTree::click(int index)
{
    if (index < 0 || index >= m_items.size() || m_items.at(index).group.isEmpty())
        return;
    Item &clicked = m_items[index];
    switch (clicked.state) {
    case CheckOn:
    case CheckOff:
        clicked.state = clicked.state == CheckOn ? CheckOff : CheckOn;
        break;
    case GroupAOff:
    case GroupBOff: {
        const int on = clicked.state - 1;
        for (Item &sibling : m_items) {
            if (sibling.group == clicked.group && sibling.state == on)
                sibling.state = clicked.state;
        }
        clicked.state = on;
        break;
    }
    default:
        break;
    }
}

void SwitchTree::setCheck(const QString &text, bool on)
{
    const int i = indexOf(text);
    if (i >= 0)
        m_items[i].state = on ? CheckOn : CheckOff;
}

void SwitchTree::choose(const QString &text)
{
    const int i = indexOf(text);
    if (i >= 0 && !isOn(text))
        click(i);
}

void SwitchTree::load(const SettingsValues &values)
{
    choose(values.names ? colourNames : colourCodes);
    choose(values.upper ? upperCase : lowerCase);
    const QString onReturn = values.onReturn.toLower();
    choose(onReturn == u"<br>" ? insertBr : onReturn == u"<p>" ? insertP : insertNothing);
    setCheck(tagPrompting, values.usePrompting);
    setCheck(tagCompletion, values.tagCompletion);
    setCheck(tagStructure, values.tagStructure);
    setCheck(tagEditing, values.tagEdit);
    setCheck(tagInformation, values.tagInfo);
    setCheck(logicalFonts, values.logicalFonts);
    setCheck(updatePreview, values.updatePreview);
    setCheck(shortcuts, values.shortcuts);
    setCheck(internalPreview, values.ieVisible);
}

void SwitchTree::store(SettingsValues &values) const
{
    values.names = isOn(colourNames);
    values.upper = isOn(upperCase);
    values.onReturn = isOn(insertBr) ? QStringLiteral("<br>")
        : isOn(insertP)              ? QStringLiteral("<p>")
                                     : QString();
    values.usePrompting = isOn(tagPrompting);
    values.tagCompletion = isOn(tagCompletion);
    values.tagStructure = isOn(tagStructure);
    values.tagEdit = isOn(tagEditing);
    values.tagInfo = isOn(tagInformation);
    values.logicalFonts = isOn(logicalFonts);
    values.updatePreview = isOn(updatePreview);
    values.shortcuts = isOn(shortcuts);
    values.ieVisible = isOn(internalPreview);
}
