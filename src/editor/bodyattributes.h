// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class SourceBuffer;

// Reading and changing attributes of the document's BODY start tag. An attribute is given with its "="
// ("BGCOLOR=") and matched only as a whole name outside quoted values, so "LINK=" never finds "VLINK=".
namespace BodyAttributes {

enum class Case { Lower, Upper };

// The BODY start tag: "<BODY" after the first character of the text, closed by ">". A page whose text
// starts with "<BODY" counts as having none.
struct BodyTag
{
    int start = -1; // of "<BODY"
    int end = -1; // of its ">"

    bool present() const { return start >= 0; }
};
BodyTag findBodyTag(const SourceBuffer &buffer);

// The object names of the controls that work on the BODY tag: the Document Options menu item and its two
// toolbar buttons, the background colour box and the Base Font menu item. The window enables them after
// a read exactly when Reading::bodyPresent is set.
QStringList bodyDependentControls();

struct Reading
{
    bool bodyPresent = false; // a "<BODY" after the first character, closed by ">"
    bool added = false; // the attribute was missing and has been written with the default
    QString value; // without its quotes (double or single); the default when absent
};

// The attribute's value; a missing attribute is added right after "<BODY" with the default, which is
// returned; a caret or selection after the insertion moves with it. Without a BODY tag, or in a tag with a
// quote that is never closed, nothing changes and the default is returned.
// quoteAdded writes an added value in double quotes, as an XHTML page needs.
Reading read(SourceBuffer &buffer, const QString &name, const QString &defaultValue, Case letterCase,
    bool quoteAdded = false);

// The attribute's value as read() finds it, without adding a missing one: the default then.
Reading peek(const SourceBuffer &buffer, const QString &name, const QString &defaultValue);

// SetBodyFunction: replaces the attribute's value (a quoted value with both its quotes) by value,
// case-converted, or adds the attribute after "<BODY" when it is missing. A tag without ">" or with any
// quote that is never closed is left unchanged; returns whether the text changed.
bool write(SourceBuffer &buffer, const QString &name, const QString &value, Case letterCase);

} // namespace BodyAttributes
