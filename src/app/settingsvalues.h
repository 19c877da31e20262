// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/colors.h"

#include <QList>
#include <QString>

#include <array>

class SettingsStore;

// The program-wide options the settings dialog edits, read from the store when it opens and written
// back, in a fixed order, when it finishes.
struct SettingsValues
{
    // The colour elements as the dialog lists them.
    enum Element { Background, Character, Comment, Hex, String, Tag, Text, ElementCount };
    std::array<TColor, ElementCount> colours {};
    bool formatting = true;
    QString templateText;
    bool names = true;
    bool upper = false;
    QString fontName;
    int fontSize = 10;
    bool useDocSettings = false;
    QString onReturn; // "<br>", "<p>" or empty
    bool usePrompting = true;
    bool tagCompletion = true;
    bool tagStructure = true;
    bool tagEdit = true;
    bool tagInfo = true;
    bool updatePreview = false;
    bool logicalFonts = false;
    bool shortcuts = true;
    bool ieVisible = false;
    QString browser;
    QString imageEditor;

    static QString elementName(Element element);
    static SettingsValues read(const SettingsStore &store);
    // Colors, Template, Editor, IEVisible, then Tools.
    void write(SettingsStore &store) const;
};

// The Advanced page's tree of switches. Each item's state number is also its picture: a check item is 4
// (on) or 5 (off); the one-of-many sets are 6/7 and 8/9, and a click switches off only the siblings of
// its own number, so two sets can share one group.
class SwitchTree
{
public:
    enum State { CheckOn = 4, CheckOff = 5, GroupAOn = 6, GroupAOff = 7, GroupBOn = 8, GroupBOff = 9 };
    struct Item
    {
        QString group; // empty for a group item itself
        QString text;
        int state = 0; // 0 for a group item
    };

    SwitchTree();

    const QList<Item> &items() const { return m_items; }
    int indexOf(const QString &text) const;
    bool isOn(const QString &text) const;
    // What a click on the item does: a check item flips, an off one-of-many item comes on and its
    // siblings of the same set go off; a group item or an item already on stays as it is.
    void click(int index);

    void load(const SettingsValues &values);
    void store(SettingsValues &values) const;

private:
    void setCheck(const QString &text, bool on);
    void choose(const QString &text);

    QList<Item> m_items;
};
