// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/colouring.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class Hunspell;
class SourceBuffer;

namespace Spelling {

// A word of a text: where it starts (a SourceBuffer position) and its letters.
struct Word
{
    int start = 0;
    QString text;
    int end() const { return start + int(text.size()); }
};

// The words of a page that a reader sees as prose: letters, with apostrophes inside a word ("don't"),
// lying wholly in text coloured as plain text, so markup, attribute values, strings, entities and
// comments are passed over exactly where the editor shows them in another colour. A run of letters that
// touches a digit or an underscore ("h1", "x_2") is a code or a name, not a word, and is passed over, as
// is a word of two or more capitals ("HTML", "CSS"), which in pages is nearly always an abbreviation.
// The scanner keeps its own copy of the text and follows the replacements made through it.
class WordScanner
{
public:
    explicit WordScanner(const QString &text);

    const QString &text() const { return m_text; }
    // The first word starting at or after position, or nothing at the end of the text.
    std::optional<Word> next(int position);
    // Replaces length characters at start, keeping the colours of the rest in step.
    void replace(int start, int length, const QString &with);

private:
    const Colouring::Class *lineClasses(qsizetype position, qsizetype *lineEnd);

    QString m_text;
    Colouring::Engine<char16_t> m_engine;
    std::vector<Colouring::Class> m_cached; // the classes of m_cachedFrom .. m_cachedTo
    qsizetype m_cachedFrom = 0;
    qsizetype m_cachedTo = 0;
};

// The words of a whole text, for tests and one-off use.
QList<Word> wordsOf(const QString &text);

// A Hunspell dictionary: its name ("en_US") and the two files.
struct Dictionary
{
    QString name;
    QString affixFile;
    QString wordFile;
};

// The folders searched for dictionaries by default.
QStringList standardDictionaryFolders();
// Every dictionary in the folders (a name.aff beside a name.dic), sorted by name, the first folder's
// winning when two hold the same name.
QList<Dictionary> installedDictionaries(const QStringList &folders);
// The dictionary for a locale name such as "de_AT": that one, else one of its language (the plain
// language name first, then the first by name), else en_US, else the first installed; nothing when none
// is installed.
std::optional<Dictionary> chooseDictionary(const QList<Dictionary> &installed, const QString &localeName);

// The personal word list beside the user's settings file.
QString personalWordListPath(const QString &settingsFile);

} // namespace Spelling

// Decides whether words are spelt right: a Hunspell dictionary, the user's personal word list (a UTF-8
// file of one word a line, read at start and appended by add) and the words ignored for the rest of the
// session. Words are converted to the dictionary's own encoding, which may be an ISO 8859 one; a word the
// encoding cannot hold is not in that dictionary. Owned by the spelling commands for the program's run.
class SpellChecker
{
public:
    ~SpellChecker();

    // Opens the dictionary and reads the personal list (a missing list is an empty one). On failure
    // returns nothing and sets error to a message for the user.
    static std::unique_ptr<SpellChecker> open(
        const Spelling::Dictionary &dictionary, const QString &personalListPath, QString *error);
    // The dictionary chosen for the locale from the folders; see Spelling::chooseDictionary.
    static std::unique_ptr<SpellChecker> openFor(const QStringList &folders, const QString &localeName,
        const QString &personalListPath, QString *error);

    const Spelling::Dictionary &dictionary() const { return m_dictionary; }
    QString personalListPath() const { return m_personalPath; }
    QString encoding() const { return m_encoding; }

    bool isCorrect(const QString &word) const;
    QStringList suggestions(const QString &word) const;

    // Adds a word to the personal list, in memory and at the end of its file. Returns false with error
    // set when the file could not be written; the word is accepted for this session all the same.
    bool add(const QString &word, QString *error = nullptr);
    // Accepts a word until the program ends.
    void ignoreAll(const QString &word);
    QStringList personalWords() const { return m_personalOrder; }

private:
    SpellChecker() = default;
    std::optional<std::string> encode(const QString &word) const;
    QString decode(const std::string &word) const;
    void addToDictionary(const QString &word);

    Spelling::Dictionary m_dictionary;
    std::unique_ptr<Hunspell> m_hunspell;
    QString m_encoding; // as the dictionary names it
    QByteArray m_codec; // the name the converters know it by
    bool m_utf8 = false;
    QString m_personalPath;
    QSet<QString> m_personal;
    QStringList m_personalOrder;
    QSet<QString> m_ignored;
    mutable QHash<QString, bool> m_known; // the dictionary's answers, asked once per word
};

namespace Spelling {

// What the check shows the user about a misspelt word.
struct Question
{
    Word word;
    QString line; // the word's line, without its break
    int wordInLine = 0; // where the word starts in line
    QStringList suggestions;
};

enum class Action { Change, ChangeAll, Ignore, IgnoreAll, Add, Cancel };

struct Answer
{
    Action action = Action::Cancel;
    QString replacement; // for Change and Change All
};

// Where the check gets the user's answer for each misspelt word: the spelling dialog in the program,
// a script in tests.
class Answers
{
public:
    virtual ~Answers() = default;
    virtual Answer ask(const Question &question) = 0;
};

// The calls the check makes into the program around it.
struct CheckHooks
{
    // Once, before the first change to the text (the undo step is recorded here).
    std::function<void()> beforeFirstChange;
    // After a misspelt word was selected and before the question is asked (to scroll it into view).
    std::function<void(const Word &)> showWord;
    // When Add could not write the personal list.
    std::function<void(const QString &word, const QString &error)> addFailed;
};

struct CheckResult
{
    int replacements = 0; // words whose text was changed
    bool cancelled = false;
};

// Checks the words of the buffer's text from its start, selects each misspelt one and asks about it.
// Change and Change All write into the buffer at once (Change All also every later occurrence of the
// same letters in plain text); Cancel stops the check and keeps the changes made so far. The caret ends
// where it was, moved along by the changes before it.
CheckResult checkSpelling(
    SourceBuffer &buffer, SpellChecker &checker, Answers &answers, const CheckHooks &hooks = {});

} // namespace Spelling
