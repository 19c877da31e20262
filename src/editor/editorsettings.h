// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/colors.h"
#include "editor/tagcommands.h"

#include <QString>

class SettingsStore;

// The colours and switches the settings load copies from the Colors and Editor keys.
struct ColourSet
{
    TColor backColor = 0xFFFFFF;
    TColor textColor = 0x000000;
    TColor tagColor = 0x800000;
    TColor commentColor = 0x808080;
    TColor charColor = 0x800080;
    TColor stringColor = 0x0000C0;
    TColor hexColor = 0x008080;
    bool formatting = true;
    // Text and background from the page's BODY tag ("TEXT=", "BGCOLOR=") instead of textColor/backColor.
    bool useDocSettings = false;
};

// The colours and switches copied from the Colors and Editor keys by the settings load.
struct EditorSettings
{
    ColourSet colours; // with the Formatting and Use Doc Settings switches
    bool names = true;
    bool upper = false;
    QString fontName;
    int fontSize = 10;
    QString onReturn; // in the letter case Upper gives
    bool usePrompting = true;
    bool tagCompletion = true;
    bool tagStructure = true;
    bool tagEdit = true;
    bool tagInfo = true;
    bool updatePreview = false;
    bool logicalFonts = false;
    bool shortcuts = true;

    // The switches that shape written markup.
    TagCommands::TagStyle tagStyle() const { return { upper, names, logicalFonts }; }

    static EditorSettings read(const SettingsStore &store);
};
