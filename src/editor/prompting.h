// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/colors.h"
#include "editor/colouring.h"
#include "editor/tagcommands.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class SourceBuffer;
class TagDatabase;

// The pop-up lists offered while a tag is typed, in the order Enter looks for a visible one.
enum class PromptList { None, Tag, Property, Value, Font, Style, Color };

// The switches of the Editor key that shape prompting.
struct PromptingOptions
{
    bool tagCompletion = true; // ">" adds the end tag
    bool tagStructure = true; // the attribute ticker in the status bar
    TagCommands::TagStyle style; // Upper and Names
};

// Prompting while a tag is typed: which list is offered (tag names, the tag's attributes, an
// attribute's values or a colour, font or style list), what has been typed since it opened, and the
// text written when a key ends a name or an item is chosen. The key handler calls keyPress with every
// typed character before the editor inserts it and applies the outcome; the lists are views of
// items() and selection(). One instance serves the main window; it works on whichever page is active.
class Prompting
{
public:
    // The colour class of the character at a position, as the colouring engine sees the text.
    using ClassAt = std::function<Colouring::Class(int position)>;
    // What the colouring engine has open just before a position: one scan from the line's last known
    // state, where asking the class of every character back to a string's start costs its length.
    using StateAt = std::function<Colouring::State(int position)>;
    // The colour dialog of "More Colors...": nothing when the user cancels.
    using ColourQuestion = std::function<std::optional<TColor>()>;

    static constexpr char16_t backspace = 8;
    static QString moreColors() { return QStringLiteral("More Colors..."); }
    // The generic families the font list offers before the installed fonts.
    static QStringList genericFonts();

    explicit Prompting(const TagDatabase &database);

    void setOptions(const PromptingOptions &options) { m_options = options; }
    const PromptingOptions &options() const { return m_options; }

    struct KeyOutcome
    {
        bool swallow = false; // the editor must not insert the key
        bool choose = false; // Enter or Tab with an item selected: call choose() (the key is swallowed)
        bool listOpened = false; // visibleList() has just opened: fill it and place it at the caret
        enum class Ticker { Keep, Start, Stop } ticker = Ticker::Keep;
        QString tickerText; // for Start: the tag and its attributes, without the leading blanks
        int editStart = -1; // the text from editStart to editEnd was written (recolour it)
        int editEnd = -1;
    };
    // key is the typed character: CR for Enter, backspace for Backspace, '\t' for Tab.
    KeyOutcome keyPress(SourceBuffer &buffer, QChar key, const ClassAt &classAt);

    struct ChoiceOutcome
    {
        bool chosen = false; // something was chosen (the list is hidden unless listStays)
        bool listStays = false; // the "/" of the tag list: the list goes on offering names
        int editStart = -1;
        int editEnd = -1;
    };
    // Chooses the selected item of the visible list and writes it over the typed prefix.
    ChoiceOutcome choose(SourceBuffer &buffer, const ColourQuestion &askColour = {});

    PromptList visibleList() const { return m_visible; }
    QStringList items(PromptList list) const;
    // The selected row of the visible list, -1 for none.
    int selection() const { return m_selection; }
    void setSelection(int row);
    // Hides every list; what is being typed is still followed (a click, Escape).
    void hideLists();
    // Forgets the tag being typed as well (another page became active).
    void reset();

    // Items the window supplies: installed font families (after the generic ones) and style classes.
    void setFontFamilies(const QStringList &families) { m_fontFamilies = families; }
    void setStyleNames(const QStringList &names) { m_styleNames = names; }

    // Whether text typed at caret is written inside a tag: after a tag's "<" and its name, attributes,
    // closed strings or hex codes, but not after its ">" nor inside a string still open.
    static bool insideTag(
        const SourceBuffer &buffer, int caret, const ClassAt &classAt, const StateAt &stateAt = {});
    // Used by keyPress where given; without it a string is walked back character by character.
    void setStateAt(const StateAt &stateAt) { m_stateAt = stateAt; }
    // One tick of the structure ticker: the first character moves to the end.
    static QString tickerStep(const QString &text);

    // The prompting state, for the window and for tests.
    bool tagNamePrompting() const { return m_tagName; }
    bool attributePrompting() const { return m_attribute; }
    bool valuePrompting() const { return m_value; }
    bool closingTagMark() const { return m_closingTagMark; }
    const QString &prefix() const { return m_prefix; }
    int tagStart() const { return m_tagStart; }
    // Where the tag being typed ends at the latest: the next "<" after its own, or the end of the text.
    int tagBound(const SourceBuffer &buffer) const;
    const QString &valueKind() const { return m_valueKind; }
    int promptedTag() const { return m_promptedTag; }
    const QStringList &propertyList() const { return m_propertyList; }
    const QStringList &valueList() const { return m_valueList; }

private:
    void open(PromptList list);
    // The list that offers the current value list: colours, fonts, styles or the values themselves.
    PromptList valueListKind() const;
    bool caretInTag(const SourceBuffer &buffer, int caret, const ClassAt &classAt) const;
    int matchingRow(const QStringList &items) const;
    QString promptedTagName() const;
    QString nameAtTagStart(const SourceBuffer &buffer, int caret) const;
    // Writes text over the typed prefix when the text before the caret is that prefix; otherwise at the
    // caret (a choice) or not at all (re-casing what was typed). Returns whether it wrote.
    enum class Placement { AtCaret, OverPrefixOnly };
    bool replacePrefix(
        SourceBuffer &buffer, const QString &text, Placement placement, int &editStart, int &editEnd) const;
    QString cased(const QString &text) const { return TagCommands::cased(text, m_options.style); }
    QString colourText(TColor colour, const QString &name) const;
    void endTag();

    const TagDatabase &m_database;
    PromptingOptions m_options;

    bool m_tagName = false;
    bool m_attribute = false;
    bool m_value = false;
    bool m_closingTagMark = false;
    QString m_prefix;
    int m_tagStart = -1;
    QString m_valueKind;
    int m_promptedTag = -1;
    QStringList m_propertyList; // sorted
    QStringList m_valueList;
    StateAt m_stateAt;

    PromptList m_visible = PromptList::None;
    int m_selection = -1;
    QStringList m_fontFamilies;
    QStringList m_styleNames;
};
