// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/actiontable.h"
#include "editor/colors.h"

#include <QDateTime>
#include <QKeyCombination>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

class QImage;
class SourceBuffer;

// The commands of the Format, Insert and Edit menus and the formatting toolbar that write markup into a
// page: wrapping the selection in tags, colours, fonts, sizes, styles, date and time, smileys, the page
// skeleton, stripping tags and changing case. Each works on a SourceBuffer and plain values and says what
// the window must do next; the window records the undo step first, holds EditorBusy around the edit and
// then applies the EditResult (colouring, modified mark, view and focus).
namespace TagCommands {

// The editor settings that shape written markup: Upper (tag letter case), Names (colour names) and
// Logical Fonts (STRONG and EM for bold and italic).
struct TagStyle
{
    bool upper = false;
    bool names = true;
    bool logicalFonts = false;
};

// text in the tag letter case, converted with the user's locale rules.
QString cased(const QString &text, const TagStyle &style);

// A start and an end tag exactly as they are written (letter case already applied). end may be empty.
struct WrapTags
{
    QString start;
    QString end;
};

// What the window does after a command edited the buffer.
struct EditResult
{
    bool changed = false; // the text changed: mark the page modified
    int recolourStart = -1; // the range to pass to FormatTags when colouring is on; -1 for none
    int recolourEnd = -1;
    bool keepFirstVisibleLine = false; // scroll back to the first visible line from before the edit
    bool focusEditor = false; // give the editor the keyboard focus when it is visible

    bool recolours() const { return recolourStart >= 0 && recolourEnd > recolourStart; }
};

// InsertFormatTag: wraps the selection in tags. With an end tag the whole new element ends up selected;
// without one the caret stands after the formerly selected text, which stays in place after the tag.
EditResult insertFormatTag(SourceBuffer &buffer, const WrapTags &tags);
// The same with start and end converted to the tag letter case first.
EditResult insertFormatTag(
    SourceBuffer &buffer, const QString &start, const QString &end, const TagStyle &style);

// ---- The command table -------------------------------------------------------------------------------

enum class CommandKind {
    Wrap, // record undoStep, then insertFormatTag(buffer, command.tags(style))
    Special, // has its own function below (colour dialog, date and time, Standard Tags, ...)
    Later, // opens a dialog that does not exist yet: show the menu item disabled
};

// One menu command and the markup it writes. Its action's row in the action table gives the names, the
// caption and the keys, copied here: menu is its place in the menu bar as "&Format/&Style", or
// "HTMLPopup" for the editor's context menu (empty: only on a toolbar or drop-down); dropDown names the
// toolbar drop-down button whose menu holds the item; button names the toolbar button that runs it.
struct TagCommand
{
    ActionId action = ActionId::Count;
    QString objectName;
    QString caption;
    QString menu;
    QString dropDown;
    QString button;
    QKeyCombination shortcut; // Qt::Key_unknown: none
    QString undoStep; // empty: the command records no step
    CommandKind kind = CommandKind::Wrap;
    QString start; // upper-case form; converted when written
    QString end;
    QString logicalStart; // used instead with Logical Fonts, when not empty
    QString logicalEnd;

    bool hasShortcut() const { return shortcut.key() != Qt::Key_unknown; }
    // The tags this command writes under style.
    WrapTags tags(const TagStyle &style) const;
};

const QList<TagCommand> &tagCommands();
// The command of that action, or null.
const TagCommand *findCommand(ActionId action);

// ---- Colours -----------------------------------------------------------------------------------------

// The colour as an attribute value: its name in double quotes when Names is set and it has one, otherwise
// its hex code without quotes. Not case-converted.
QString colourValue(TColor colour, const TagStyle &style);
// <FONT COLOR=colour> and </FONT>, cased. Undo step "Colour".
WrapTags colourTags(TColor colour, const TagStyle &style);

struct NamedColourItem
{
    QString objectName;
    QString caption;
    TColor colour;
};
// The sixteen items of the colour drop-down in menu order; "&More Colors" follows them.
const QList<NamedColourItem> &colourMenu();
QString moreColoursCaption();
// The colour the colour button writes before any other has been chosen: red.
inline constexpr TColor initialLastUsedColour = 0x0000FF;

// Draws the colour button's swatch into image: the bottom quarter of the picture (rows 12 to 15 of a 16 by
// 16 one, scaled for other sizes) is filled with colour, and outlined in black when colour equals the
// toolbar's face colour, which would otherwise hide it.
void paintColourSwatch(QImage &image, TColor colour, TColor buttonFace);

// ---- Font name, font size and style boxes of the formatting toolbar ---------------------------------
// Each box records its undo step ("Font", "Size", "Style") before looking at the chosen item, so an item
// that writes nothing still records a step.

QString defaultFontItem(); // "[Default Font]"
QString defaultSizeItem(); // "[Default Size]"
// "[Default Font]", the five generic families, then screenFonts.
QStringList fontNameItems(const QStringList &screenFonts);
// "[Default Size]", then "1" to "7".
QStringList fontSizeItems();
// The seven fixed style items: "Heading 1" to "Heading 6" and "Body Text"; style classes follow them.
QStringList fixedStyleItems();
inline constexpr int fixedStyleCount = 7;

// <FONT FACE="name">, </FONT>; nothing for "[Default Font]" or an empty name.
std::optional<WrapTags> fontNameTags(const QString &item, const TagStyle &style);
// <FONT SIZE=n>, </FONT> for the items "1" to "7"; nothing for any other item.
std::optional<WrapTags> fontSizeTags(const QString &item, const TagStyle &style);
// By position in the style box: a heading, BODY for "Body Text", or <SPAN CLASS="item"> for a style class;
// nothing for no item (index < 0) or an empty class name. The class name keeps its letter case, since a
// style rule's class selector must match it exactly.
std::optional<WrapTags> styleTags(int index, const QString &item, const TagStyle &style);

// ---- Date and time -------------------------------------------------------------------------------------

// The kind the date/time button inserts: the last one chosen from its drop-down.
enum class DateTimeMode { Static = 0, Script = 1 };

// The date in the locale's short format, a space, and the time in its long format (with seconds, without
// the time zone).
QString staticDateTime(const QDateTime &when, const QLocale &locale);
// The five lines of the script that writes the page's last change date, joined by CR LF.
QString dateTimeScript(const TagStyle &style);
// Replaces the selection by the static text or the script. Undo step "Time".
EditResult insertDateTime(SourceBuffer &buffer, DateTimeMode mode, const QDateTime &when,
    const QLocale &locale, const TagStyle &style);

// ---- Smileys -------------------------------------------------------------------------------------------

struct SmileyGroup
{
    QString caption;
    QStringList items; // menu captions, the smiley after the last space
};
// The drop-down's three submenus, "Standard", "Emotions" and "People", with 29 smileys in all.
const QList<SmileyGroup> &smileyMenu();
// What a smiley caption inserts: the part after its last space, less its last character when the one
// before it is "&" (a caption shows "&&" as one "&").
QString smileyText(const QString &caption);
// The caption the smiley button takes when a smiley is chosen from the drop-down.
QString smileyButtonCaption(const QString &menuCaption);
// Replaces the selection by smileyText(caption); nothing changes for a caption that gives no text (the
// button before any smiley was chosen). The button records "Smiley" first; the drop-down records nothing.
EditResult insertSmiley(SourceBuffer &buffer, const QString &caption);

// ---- Standard Tags, Strip Tags, Change Case, Base Font -------------------------------------------------

// Completes the page skeleton (HTML, HEAD, TITLE, BODY and their end tags), leaving the caret where it
// was in the old text. Undo step "Standard Tags". Afterwards the window recolours the whole text, shows
// standardTagsMessage() in an information box captioned with the product caption, and refreshes the
// document controls as on a page change.
EditResult standardTags(SourceBuffer &buffer, const TagStyle &style);
QString standardTagsMessage();

// The yes/no warning asked before Strip Tags; anything but Yes ends the command.
QString stripTagsQuestion();
// Removes all markup (undo step "Strip Tags"). The page has no BODY or TITLE afterwards: the window
// disables stripTagsDisabledControls().
EditResult stripAllTags(SourceBuffer &buffer);
// The object names of the title box and the controls that need a BODY tag.
QStringList stripTagsDisabledControls();

enum class LetterCase { Upper, Lower };
// Replaces the selection by its upper- or lower-case form and keeps it selected. Undo step "Change Case".
EditResult changeCase(SourceBuffer &buffer, LetterCase letterCase, const QLocale &locale = QLocale());

// The text part of Base Font: selects the first BASEFONT tag, or inserts CR LF and <BASEFONT> after the
// BODY start tag and selects the new tag. Nothing happens on a page without a BODY tag (nullopt): there
// is nothing to edit then. On success the window opens Edit in Wizard on the selection.
std::optional<EditResult> selectBaseFont(SourceBuffer &buffer, const TagStyle &style);

// ---- State the main window keeps for these commands (not stored in the settings) ----------------------

struct FormattingState
{
    TColor lastColour = initialLastUsedColour;
    DateTimeMode dateTimeMode = DateTimeMode::Static;
    QString smileyCaption; // the smiley button's caption; empty until a smiley is chosen
};

} // namespace TagCommands
