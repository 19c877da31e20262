// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

#include <optional>

class SourceBuffer;
class TagDatabase;

// The current-tag editor's logic: reading a start tag into one row per attribute the tag table lists,
// the value handling of its boxes, and writing the rows back into the same tag. It also holds the walks
// the editor's click handler makes to find the tag under the caret. Everything here works on a
// SourceBuffer and plain values; the side panel page and its commands only show and gather.
namespace CurrentTag {

// One attribute as it stands in a tag: NAME, NAME=VALUE or NAME="VALUE" (quotes kept in value).
struct Attribute
{
    QString name;
    QString value; // empty for a bare attribute
    bool hasValue = false;
    QString written; // the attribute's own text in the tag, kept as it is when the editor has no row for it
};

// Splits the text after a tag's name into its attributes. A value runs to the next blank unless it is
// quoted, when it runs to the matching quote (an unclosed one to the end). Blanks around "=" and line
// breaks between attributes are allowed.
QList<Attribute> splitAttributes(QStringView text);

// The name in a tag's text "<NAME ...>": from after "<" to the first blank or ">", or a "/" that closes
// an empty element ("<BR/>" is BR).
QString tagName(QStringView tagText);

struct Row
{
    QString attribute; // as the tag table lists it
    QString value; // as it is written into the tag, quotes included; empty leaves the attribute out
};

// A tag loaded into the editor. It remembers where it was and its text, so Apply can make sure it writes
// into that same tag.
struct LoadedTag
{
    quint64 pageId = 0; // the page it came from, as the caller names pages
    int start = -1; // where its "<" stands
    QString text; // the whole tag, "<" to ">"
    QString name; // as written
    int record = -1; // in the tag table; -1 when the table does not know the tag
    QList<Row> rows;

    bool isLoaded() const { return start >= 0; }
};

enum class SelectionCheck { Empty, WholeTag, NotWholeTag, ClosingTag };

// Whether a selection is one whole tag: "<" ... ">" (a CR LF may follow it) with no other "<" or ">"
// outside quoted values and no quote left open. A whole tag whose second character is "/" is a closing
// tag.
SelectionCheck checkSelection(QStringView selected);
// The test of the context menu's "&Edit Tag": a whole tag that is not a closing one.
bool isWholeStartTag(QStringView selected);

QString warningCaption();
QString notWholeTagMessage();
QString closingTagMessage();
// Apply found something else where the loaded tag stood.
QString tagMovedMessage();
// Apply found the loaded tag's page closed.
QString pageClosedMessage();
// The rewritten tag would no longer read as one tag (its other attributes are too malformed).
QString tagWouldBreakMessage();

// Reads the tag text standing at start into rows: one per attribute of the table's record, in the
// table's order, each with the value the tag gives it (the first time it gives one; True for a bare
// attribute) or empty. A tag the table does not know gets no rows.
LoadedTag loadTag(const QString &tagText, int start, const TagDatabase &database);

struct LoadResult
{
    SelectionCheck check = SelectionCheck::Empty;
    LoadedTag tag; // loaded when check is WholeTag
};
// Loads the selected tag. A CR LF selected after the ">" is dropped from the selection.
LoadResult loadSelection(SourceBuffer &buffer, const TagDatabase &database);

// The attribute text Apply writes after the tag's name: " NAME=VALUE" for every row with a value, in the
// letter case asked for. A value of an attribute that names a file, an address or an identifier (Src,
// Href, LowSrc, Url, Background, DynSrc, UseMap, Content, Name, Id, Class) keeps its case.
QString attributeText(const QList<Row> &rows, bool upper);

// The tag as Apply writes it: the name as it was, the rows' attributes, then the attributes the tag
// carries that have no row, unchanged.
QString rewrittenTag(const LoadedTag &tag, bool upper);

enum class ApplyStatus { Applied, NothingToApply, TagMoved, WouldBreak };
struct ApplyResult
{
    ApplyStatus status = ApplyStatus::NothingToApply;
    int start = 0; // the rewritten tag, for recolouring
    int end = 0;
};
// Whether Apply can write tag into buffer: it has rows, and the text at its place is still the text it
// was loaded from.
ApplyStatus checkApply(const SourceBuffer &buffer, const LoadedTag &tag);
// WouldBreak when the tag rewritten in that letter case would no longer read as one whole tag, which a
// tag malformed enough around its other attributes can cause; Applied otherwise.
ApplyStatus checkRewrite(const LoadedTag &tag, bool upper);
// Rewrites the tag and puts the caret after its ">". The tag stays loaded with its new text, so it can
// be changed and applied again. A rewrite that checkRewrite refuses changes nothing.
ApplyResult applyTag(SourceBuffer &buffer, LoadedTag &tag, bool upper);

// ---- Values of a row ---------------------------------------------------------------------------------

// A row's value with its double quotes taken off for editing; quoted tells whether there were any.
struct EditValue
{
    QString text;
    bool quoted = false;
};
EditValue unquoted(const QString &value);
// The value wrapped in double quotes again when it was quoted.
QString requoted(const EditValue &value);
// Adds a double quote at the start and at the end where one is missing; empty text stays empty.
QString quotedText(const QString &text);

enum class ValueKind { List, Colors, Fonts, Styles };
// The kind of box an attribute's values call for, from their first line.
ValueKind valueKind(const QStringList &values);
// The values offered for attribute of tag. Event handlers ("on...") are looked up by name only.
QStringList attributeValues(const TagDatabase &database, const QString &attribute, const QString &tag);
// What the colour box shows for a value: the colour's name, or its hex code when it has none.
QString colourBoxText(const QString &value);
// The value a colour box's text gives: the name in double quotes with names on and a named colour,
// else the hex code.
QString colourValue(const QString &boxText, bool names);

// ---- Walks of the click handler ------------------------------------------------------------------------

struct Span
{
    int start = 0;
    int length = 0;
};
// The start tag the caret stands in: back from the character before the caret to the nearest "<" or
// ">", forward from the caret to the nearest "<" or ">". Nothing unless they are a "<" not followed by
// "/" and a ">".
std::optional<Span> startTagAround(const SourceBuffer &buffer, int caret);

struct NameAt
{
    QString name;
    bool closing = false;
};
// The name of the tag the caret stands in (from the character at the caret back to the nearest "<"),
// when a blank or ">" ends it.
std::optional<NameAt> tagNameAt(const SourceBuffer &buffer, int caret);
// The tooltip for a tag: its description, then " (Closing Tag)" for a closing one; empty for a tag the
// table does not know.
QString tagTooltip(const TagDatabase &database, const NameAt &at);

// ---- Edit in Wizard --------------------------------------------------------------------------------------

// The tag name of a selected start tag: from its second character to the first blank, or to its last
// character.
QString wizardTagName(QStringView selected);
// Whether a whole start tag can be edited in a wizard: IMG, BODY, META, MARQUEE, FONT and BASEFONT
// always, others when a wizard file NAME.html or NAME.htm is in wizardsFolder. Only names made of
// letters, digits, "_" and "-" are looked for, so a selection never names a path.
bool hasWizard(QStringView selected, const QString &wizardsFolder);

} // namespace CurrentTag
