// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

using TColor = quint32;

// Wizard files: an HTML page in "Wizards", named after the tag it edits, whose title and <input> elements
// describe a dialog. This is the part without widgets: reading the file, splitting the edited tag into its
// attributes, pre-filling the inputs from them and writing the new start tag.
namespace Wizard {

enum class Kind { Text, File, Number, Select, Color, Hidden, Other };

struct Input
{
    QString name;
    QString type; // as written
    QString value; // a hidden input's fixed value
    QStringList options; // a select input's choices
    bool newColumn = false; // a <br> before it starts a new column of controls

    Kind kind() const;
    bool hasLabel() const { return kind() != Kind::Hidden; }
    bool hasControl() const { return kind() != Kind::Hidden && kind() != Kind::Other; }
};

struct Form
{
    QString title;
    QList<Input> inputs;
};

Form parse(const QString &text);
// Nothing, with the reason, when the file cannot be read.
std::optional<Form> load(const QString &path, QString *reason = nullptr);

// The wizard file for a tag name in the folder, ".html" before ".htm"; empty when there is none or when
// the name holds anything but letters, digits and "-", so no name can reach outside the folder.
QString fileFor(const QString &wizardsFolder, const QString &tagName);
// The tag a wizard file writes: its file name without folder and last extension.
QString tagNameOf(const QString &wizardPath);

// The attributes of a selected start tag as written, one token each ("name=value", quotes kept); blanks
// inside quotes stay within their token.
QStringList tagAttributes(const QString &selectedTag);
// A value with one pair of enclosing quotes removed.
QString unquote(const QString &value);

// One run of a wizard over an edited tag: the value list (one entry per input that has one) and the
// attributes the wizard does not handle.
struct Entry
{
    int input; // index in Form::inputs
    QString name;
    QString value;
};
struct Run
{
    QList<Entry> entries;
    QStringList leftover;
    // Set when an attribute's value cannot go into its control (a number input given "50%").
    QString problem;
};
// colourNames: colours are written as names (the Names setting), so an empty colour is "Black".
Run prepare(const Form &form, const QString &selectedTag, bool colourNames);

// A colour as a wizard writes it: its name when names are asked for and it has one, else "#RRGGBB".
QString colourText(TColor colour, bool colourNames);

// "<" + tag name, each entry as name="value" and each leftover attribute with its value quoted, ">".
QString buildTag(const QString &tagName, const QList<Entry> &entries, const QStringList &leftover);

} // namespace Wizard
