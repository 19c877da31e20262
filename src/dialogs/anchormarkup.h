// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/tagcommands.h"

#include <QString>
#include <QStringList>

// The named anchors of a page: the names it already has, for refusing a second one of the same name,
// and the tags that wrap a selection in a new one.
namespace AnchorMarkup {

// The names of the "<a name=" anchors in text, in order, letter case ignored. The search starts one
// character into the text, so an anchor standing at its very start is not listed. A name in double or
// single quotes ends at its closing quote, an unquoted one at the first blank; either ends at the tag's
// ">". Empty names are left out.
QStringList anchorNames(const QString &text);

// True when sections holds name, letter case ignored.
bool isDuplicate(const QStringList &sections, const QString &name);

// <A NAME="name"> and </A>: the fixed words in the tag letter case, the name exactly as typed, since a
// link's "#name" must match it.
TagCommands::WrapTags anchorTags(const QString &name, const TagCommands::TagStyle &style);

} // namespace AnchorMarkup
