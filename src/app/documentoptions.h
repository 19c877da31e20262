// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/colors.h"

#include <QString>

#include <optional>

class SourceBuffer;

// What the Document Options wizard shows and writes: the BODY tag's attributes and the background sound,
// read from a page without changing it and written back as markup.
struct DocumentOptions
{
    QString background; // as the page has it, less a leading "file://"
    bool fixed = false;
    int leftMargin = 0;
    int topMargin = 0;
    TColor bgColor = 0xFFFFFF;
    TColor text = 0x000000;
    TColor link = 0xFF0000; // blue, as TColor is 0x00BBGGRR
    TColor vlink = 0x0000FF;
    TColor alink = 0xFF00FF;
    QString soundName; // the BGSOUND's SRC, without quotes; empty when there is none
    bool infinite = true;
    int repeat = 1;

    // Reads the page without adding anything; a value that is not a number leaves its default.
    static DocumentOptions read(const SourceBuffer &buffer);
};

namespace DocumentOptionsMarkup {

enum class Case { Lower, Upper };

// A "<BGSOUND" tag (any case) with its ">"; nothing when there is none or it is never closed.
struct SoundTag
{
    int start = -1;
    int end = -1; // of ">"
    bool unclosed = false;
};
SoundTag findSoundTag(const SourceBuffer &buffer);

// name (with its "=") inside tag text: the value's start and end, quotes included; nothing when absent.
struct ValueSpan
{
    qsizetype start = -1;
    qsizetype end = -1;
};
std::optional<ValueSpan> findValue(const QString &tag, const QString &name);
// The value without its quotes.
QString valueOf(const QString &tag, const QString &name);

// SetBodyFunction with a value written as given: a file name keeps its letter case. The attribute is
// added when missing. False when the page has no BODY tag that can be changed.
bool setBodyValue(SourceBuffer &buffer, const QString &name, const QString &value, Case letterCase);

// Writes the sound: a tag right after the BODY tag when the page has none, then its SRC (quoted, as
// given) and LOOP ("INFINITE" or the count). A "<BGSOUND" never closed is left alone; returns whether
// the page changed.
bool writeSound(SourceBuffer &buffer, const QString &source, const QString &loop, Case letterCase);

} // namespace DocumentOptionsMarkup
