// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Removes all markup: every tag through its ">", and every "<!" through the next "->", so a comment goes
// with its text (a declaration such as "<!DOCTYPE" also runs to the next "->"). A "<" never closed before
// the end of the text is kept with what follows it, so nothing the scan cannot account for is lost.
QString stripTags(const QString &text);
