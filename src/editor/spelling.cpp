// SPDX-License-Identifier: GPL-3.0-or-later
#include "spelling.h"

#include "base/safefile.h"
#include "editor/sourcebuffer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <hunspell.hxx>

#include <algorithm>

namespace Spelling {

namespace {

constexpr char16_t rightQuote = u'\u2019';

bool isApostrophe(QChar c)
{
    return c == u'\'' || c == rightQuote;
}

// The code point at i and how many code units it takes.
char32_t codePointAt(QStringView text, qsizetype i, int *units)
{
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        *units = 2;
        return QChar::surrogateToUcs4(c, text[i + 1]);
    }
    *units = 1;
    return c.unicode();
}

bool isWordLetter(char32_t c)
{
    // Combining marks belong to the letter before them ("e" and U+0301 make one letter).
    return QChar::isLetter(c) || QChar::isMark(c);
}

bool isPartOfToken(char32_t c)
{
    return isWordLetter(c) || QChar::isDigit(c) || c == U'_' || c == U'\'' || c == char32_t(rightQuote);
}

// A word of two or more letters, none of them small: an abbreviation such as "HTML".
bool isAllCapitals(QStringView word)
{
    int capitals = 0;
    for (qsizetype i = 0; i < word.size();) {
        int units = 1;
        const char32_t c = codePointAt(word, i, &units);
        if (QChar::isLower(c))
            return false;
        if (QChar::isUpper(c) || QChar::isTitleCase(c))
            ++capitals;
        i += units;
    }
    return capitals >= 2;
}

} // namespace

WordScanner::WordScanner(const QString &text)
    : m_text(text)
{
    m_engine.reset(Colouring::StringSource(m_text));
}

const Colouring::Class *WordScanner::lineClasses(qsizetype position, qsizetype *lineEnd)
{
    // The classes are kept from position to the end of its line, since the next word is looked for
    // further along the same line: a long line of minified markup is scanned once, not once a word.
    if (position < m_cachedFrom || position >= m_cachedTo) {
        m_cachedFrom = position;
        m_cachedTo = m_engine.lineEnd(m_engine.lineAt(position));
        m_cached.resize(size_t(m_cachedTo - m_cachedFrom));
        m_engine.classes(Colouring::StringSource(m_text), m_cachedFrom, m_cachedTo, m_cached.data());
    }
    *lineEnd = m_cachedTo;
    return m_cached.data() + (position - m_cachedFrom);
}

std::optional<Word> WordScanner::next(int position)
{
    const QStringView text(m_text);
    qsizetype at = std::max(position, 0);
    while (at < text.size()) {
        qsizetype lineEnd = 0;
        const Colouring::Class *classes = lineClasses(at, &lineEnd);
        // A word never crosses a line break. Position is a word's end or a line's start, never inside a
        // run of letters.
        qsizetype i = at;
        while (i < lineEnd) {
            int units = 1;
            if (!isPartOfToken(codePointAt(text, i, &units))) {
                i += units;
                continue;
            }
            const qsizetype tokenStart = i;
            bool code = false;
            while (i < lineEnd) {
                const char32_t c = codePointAt(text, i, &units);
                if (!isPartOfToken(c))
                    break;
                code = code || QChar::isDigit(c) || c == U'_';
                i += units;
            }
            if (code)
                continue;
            qsizetype first = tokenStart;
            qsizetype last = i;
            while (first < last && isApostrophe(text[first]))
                ++first;
            while (last > first && isApostrophe(text[last - 1]))
                --last;
            if (first == last)
                continue;
            if (!std::all_of(classes + (first - at), classes + (last - at),
                    [](Colouring::Class c) { return c == Colouring::Class::Text; }))
                continue;
            const QStringView word = text.sliced(first, last - first);
            if (isAllCapitals(word))
                continue;
            return Word { int(first), word.toString() };
        }
        at = lineEnd;
    }
    return std::nullopt;
}

void WordScanner::replace(int start, int length, const QString &with)
{
    m_text.replace(start, length, with);
    m_engine.edit(Colouring::StringSource(m_text), start, length, with.size());
    // A replacement without markup characters or blanks, put where a plain-text word stood, is plain text
    // and leaves every other colour as it was; anything else is coloured afresh.
    const bool plain = std::none_of(with.begin(), with.end(),
        [](QChar c) { return c.unicode() < 128 && QStringView(u"<>&;\"# \t\r\n").contains(c); });
    if (plain && start >= m_cachedFrom && start + length <= m_cachedTo) {
        const auto at = m_cached.begin() + (start - m_cachedFrom);
        m_cached.erase(at, at + length);
        m_cached.insert(
            m_cached.begin() + (start - m_cachedFrom), size_t(with.size()), Colouring::Class::Text);
        m_cachedTo += with.size() - length;
    } else {
        m_cachedFrom = m_cachedTo = 0;
    }
}

QList<Word> wordsOf(const QString &text)
{
    QList<Word> words;
    WordScanner scanner(text);
    int position = 0;
    while (const std::optional<Word> word = scanner.next(position)) {
        words.append(*word);
        position = word->end();
    }
    return words;
}

QStringList standardDictionaryFolders()
{
    // DICPATH is where Hunspell's own tools look first; honour it the same way.
    QStringList folders = qEnvironmentVariable("DICPATH").split(u':', Qt::SkipEmptyParts);
    folders.append(QStringLiteral("/usr/share/hunspell"));
    return folders;
}

QList<Dictionary> installedDictionaries(const QStringList &folders)
{
    QList<Dictionary> found;
    QSet<QString> names;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        const QStringList affixes = dir.entryList({ QStringLiteral("*.aff") }, QDir::Files | QDir::Readable);
        for (const QString &affix : affixes) {
            const QString name = affix.chopped(4);
            const QFileInfo words(dir.filePath(name + QStringLiteral(".dic")));
            if (names.contains(name) || !words.isFile() || !words.isReadable())
                continue;
            names.insert(name);
            found.append({ name, dir.filePath(affix), words.filePath() });
        }
    }
    std::sort(
        found.begin(), found.end(), [](const Dictionary &a, const Dictionary &b) { return a.name < b.name; });
    return found;
}

std::optional<Dictionary> chooseDictionary(const QList<Dictionary> &installed, const QString &localeName)
{
    if (installed.isEmpty())
        return std::nullopt;
    const auto named = [&](const QString &name) -> std::optional<Dictionary> {
        for (const Dictionary &dictionary : installed) {
            if (dictionary.name.compare(name, Qt::CaseInsensitive) == 0)
                return dictionary;
        }
        return std::nullopt;
    };
    // "de_AT.UTF-8", "de-AT" and "de_AT@euro" all name the same dictionary.
    QString locale = localeName.section(u'.', 0, 0).section(u'@', 0, 0);
    locale.replace(u'-', u'_');
    const QString language = locale.section(u'_', 0, 0);
    if (!locale.isEmpty() && locale != u"C" && locale != u"POSIX") {
        if (std::optional<Dictionary> exact = named(locale))
            return exact;
        if (std::optional<Dictionary> plain = named(language))
            return plain;
        for (const Dictionary &dictionary : installed) {
            if (dictionary.name.startsWith(language + u'_', Qt::CaseInsensitive))
                return dictionary;
        }
    }
    if (std::optional<Dictionary> english = named(QStringLiteral("en_US")))
        return english;
    return installed.constFirst();
}

QString personalWordListPath(const QString &settingsFile)
{
    return QFileInfo(settingsFile).absoluteDir().filePath(QStringLiteral("Personal Words.txt"));
}

} // namespace Spelling

namespace {

// The name Qt's converters know a Hunspell encoding by ("ISO8859-2" is ICU's "ISO-8859-2").
QByteArray converterName(const QString &hunspellName)
{
    QString name = hunspellName.trimmed();
    if (name.isEmpty())
        return QByteArrayLiteral("ISO-8859-1"); // Hunspell's own default when SET is missing
    if (name.startsWith(QStringLiteral("ISO8859"), Qt::CaseInsensitive))
        name = QStringLiteral("ISO-8859") + name.mid(7);
    else if (name.compare(QStringLiteral("microsoft-cp1251"), Qt::CaseInsensitive) == 0)
        name = QStringLiteral("windows-1251");
    else if (name.startsWith(QStringLiteral("TIS620"), Qt::CaseInsensitive))
        name = QStringLiteral("TIS-620");
    return name.toLatin1();
}

bool listed(const QSet<QString> &words, const QString &word)
{
    if (words.contains(word))
        return true;
    // A listed small word may begin a sentence or stand in capitals.
    const QString lower = word.toLower();
    if (lower == word)
        return false;
    if (word == word.toUpper() && words.contains(lower))
        return true;
    return word.sliced(1) == lower.sliced(1) && words.contains(lower);
}

QString withStraightApostrophes(QString word)
{
    return word.replace(QChar(u'\u2019'), QChar(u'\''));
}

} // namespace

SpellChecker::~SpellChecker() = default;

std::unique_ptr<SpellChecker> SpellChecker::openFor(
    const QStringList &folders, const QString &localeName, const QString &personalListPath, QString *error)
{
    const std::optional<Spelling::Dictionary> dictionary
        = Spelling::chooseDictionary(Spelling::installedDictionaries(folders), localeName);
    if (!dictionary) {
        if (error) {
            *error
                = QStringLiteral("No spelling dictionary is installed, so the spelling cannot be checked.\n\n"
                                 "Install a Hunspell dictionary (for example the package hunspell-en-us) "
                                 "into %1.")
                      .arg(folders.join(QStringLiteral(" or ")));
        }
        return nullptr;
    }
    return open(*dictionary, personalListPath, error);
}

std::unique_ptr<SpellChecker> SpellChecker::open(
    const Spelling::Dictionary &dictionary, const QString &personalListPath, QString *error)
{
    for (const QString &file : { dictionary.affixFile, dictionary.wordFile }) {
        const QFileInfo info(file);
        if (!info.isFile() || !info.isReadable()) {
            if (error)
                *error = QStringLiteral("The spelling dictionary file %1 cannot be read.").arg(file);
            return nullptr;
        }
    }
    std::unique_ptr<SpellChecker> checker(new SpellChecker);
    checker->m_dictionary = dictionary;
    checker->m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(dictionary.affixFile).constData(),
        QFile::encodeName(dictionary.wordFile).constData());
    checker->m_encoding = QString::fromStdString(checker->m_hunspell->get_dict_encoding());
    checker->m_codec = converterName(checker->m_encoding);
    checker->m_utf8 = checker->m_codec.compare("UTF-8", Qt::CaseInsensitive) == 0;
    if (!checker->m_utf8 && !QStringEncoder(checker->m_codec.constData()).isValid()) {
        if (error) {
            *error = QStringLiteral("The spelling dictionary %1 is written in the encoding %2, which this "
                                    "system cannot convert.")
                         .arg(dictionary.name, checker->m_encoding);
        }
        return nullptr;
    }

    checker->m_personalPath = personalListPath;
    QFile list(personalListPath);
    if (!personalListPath.isEmpty() && list.open(QIODevice::ReadOnly)) {
        QString words = QString::fromUtf8(list.readAll());
        if (words.startsWith(QChar(0xFEFF)))
            words.remove(0, 1);
        for (const QString &line : words.split(u'\n')) {
            const QString word = line.trimmed();
            if (!word.isEmpty() && !checker->m_personal.contains(word)) {
                checker->m_personal.insert(word);
                checker->m_personalOrder.append(word);
                checker->addToDictionary(word);
            }
        }
    }
    return checker;
}

std::optional<std::string> SpellChecker::encode(const QString &word) const
{
    if (m_utf8)
        return word.toStdString();
    QStringEncoder encoder(m_codec.constData());
    const QByteArray bytes = encoder.encode(word);
    if (encoder.hasError())
        return std::nullopt;
    return bytes.toStdString();
}

QString SpellChecker::decode(const std::string &word) const
{
    if (m_utf8)
        return QString::fromStdString(word);
    QStringDecoder decoder(m_codec.constData());
    return decoder.decode(QByteArrayView(word.data(), qsizetype(word.size())));
}

void SpellChecker::addToDictionary(const QString &word)
{
    // Hunspell also learns the word, so it stops offering near misses of it and accepts its capitalised
    // forms; a word the dictionary's encoding cannot hold is kept in the list alone.
    if (const std::optional<std::string> encoded = encode(withStraightApostrophes(word)))
        m_hunspell->add(*encoded);
    m_known.clear();
}

bool SpellChecker::isCorrect(const QString &word) const
{
    if (listed(m_personal, word) || listed(m_ignored, word))
        return true;
    const QString straight = withStraightApostrophes(word);
    const auto known = m_known.constFind(straight);
    if (known != m_known.constEnd())
        return *known;
    const std::optional<std::string> encoded = encode(straight);
    const bool correct = encoded && m_hunspell->spell(*encoded);
    m_known.insert(straight, correct);
    return correct;
}

QStringList SpellChecker::suggestions(const QString &word) const
{
    const std::optional<std::string> encoded = encode(withStraightApostrophes(word));
    if (!encoded)
        return {};
    const bool curly = word.contains(QChar(u'\u2019'));
    QStringList found;
    for (const std::string &suggestion : m_hunspell->suggest(*encoded)) {
        QString text = decode(suggestion);
        if (curly)
            text.replace(QChar(u'\''), QChar(u'\u2019'));
        if (!found.contains(text))
            found.append(text);
    }
    return found;
}

bool SpellChecker::add(const QString &word, QString *error)
{
    const QString trimmed = word.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(u'\n') || trimmed.contains(u'\r'))
        return true;
    if (!m_personal.contains(trimmed)) {
        m_personal.insert(trimmed);
        m_personalOrder.append(trimmed);
        addToDictionary(trimmed);
    }
    if (m_personalPath.isEmpty())
        return true;

    QFile file(m_personalPath);
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_personalPath), reason);
        return false;
    };
    if (!QDir().mkpath(QFileInfo(m_personalPath).absolutePath()))
        return fail(QStringLiteral("the folder cannot be created"));
    // The whole list is written again rather than appended to, so a full disk cannot leave half a word.
    QByteArray bytes;
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return fail(file.errorString());
        bytes = file.readAll();
        file.close();
    }
    // The list is read word by word, so a word must not join a last line left without its break.
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes += '\n';
    bytes += trimmed.toUtf8() + '\n';
    const SafeFile::Result written = SafeFile::write(m_personalPath, bytes);
    if (!written.ok)
        return fail(written.reason);
    return true;
}

void SpellChecker::ignoreAll(const QString &word)
{
    m_ignored.insert(word);
}

namespace Spelling {

namespace {

constexpr int contextReach = 60; // characters shown on each side of the word

Question questionFor(const QString &text, const Word &word, const QStringList &suggestions)
{
    qsizetype lineStart = text.lastIndexOf(u'\n', std::max(word.start - 1, 0));
    lineStart = word.start == 0 || lineStart < 0 ? 0 : lineStart + 1;
    qsizetype lineEnd = word.end();
    while (lineEnd < text.size() && text[lineEnd] != u'\r' && text[lineEnd] != u'\n')
        ++lineEnd;
    // A long line (minified markup) is shown around the word only.
    qsizetype from = std::max<qsizetype>(lineStart, word.start - contextReach);
    qsizetype to = std::min<qsizetype>(lineEnd, word.end() + contextReach);
    // Cut at blanks, so no word is shown in part.
    const auto isBlank = [&](qsizetype i) { return text[i] == u' ' || text[i] == u'\t'; };
    if (from > lineStart) {
        qsizetype blank = from;
        while (blank < word.start && !isBlank(blank))
            ++blank;
        if (blank < word.start)
            from = blank + 1;
        else if (text[from].isLowSurrogate())
            --from;
    }
    if (to < lineEnd) {
        qsizetype blank = to;
        while (blank > word.end() && !isBlank(blank - 1))
            --blank;
        if (blank > word.end())
            to = blank - 1;
        else if (text[to].isLowSurrogate())
            ++to;
    }
    QString line = text.mid(from, to - from);
    int wordInLine = int(word.start - from);
    if (from > lineStart) {
        line.prepend(QChar(0x2026));
        ++wordInLine;
    }
    if (to < lineEnd)
        line.append(QChar(0x2026));
    return { word, line, wordInLine, suggestions };
}

} // namespace

CheckResult checkSpelling(
    SourceBuffer &buffer, SpellChecker &checker, Answers &answers, const CheckHooks &hooks)
{
    CheckResult result;
    WordScanner scanner(buffer.text());
    int caret = buffer.selStart();
    bool changed = false;
    // What the user wrote through Change All is not questioned again in this check.
    QSet<QString> written;

    // Writes a replacement into the buffer and the scanner alike; returns where checking goes on.
    const auto write = [&](const Word &word, const QString &with) {
        if (with == word.text)
            return word.end();
        if (!changed) {
            changed = true;
            if (hooks.beforeFirstChange)
                hooks.beforeFirstChange();
        }
        buffer.select(word.start, int(word.text.size()));
        buffer.setSelText(with);
        scanner.replace(word.start, int(word.text.size()), with);
        if (caret >= word.end())
            caret += int(with.size() - word.text.size());
        else if (caret > word.start)
            caret = word.start;
        ++result.replacements;
        return word.start + int(with.size());
    };

    int position = 0;
    while (const std::optional<Word> found = scanner.next(position)) {
        const Word word = *found;
        position = word.end();
        if (written.contains(word.text) || checker.isCorrect(word.text))
            continue;
        buffer.select(word.start, int(word.text.size()));
        if (hooks.showWord)
            hooks.showWord(word);
        const Answer answer = answers.ask(questionFor(scanner.text(), word, checker.suggestions(word.text)));
        // What is written must be what the buffer holds afterwards, or the scanner would lose step.
        const QString replacement = SourceBuffer::normalizeLineBreaks(answer.replacement);
        switch (answer.action) {
        case Action::Change:
            position = write(word, replacement);
            break;
        case Action::ChangeAll: {
            // Every later occurrence at once, so a Cancel further on leaves none of them half done.
            position = write(word, replacement);
            int from = position;
            while (const std::optional<Word> same = scanner.next(from))
                from = same->text == word.text ? write(*same, replacement) : same->end();
            written.insert(replacement);
            break;
        }
        case Action::Ignore:
            break;
        case Action::IgnoreAll:
            checker.ignoreAll(word.text);
            break;
        case Action::Add: {
            QString error;
            if (!checker.add(word.text, &error) && hooks.addFailed)
                hooks.addFailed(word.text, error);
            break;
        }
        case Action::Cancel:
            result.cancelled = true;
            break;
        }
        if (result.cancelled)
            break;
    }
    buffer.select(std::clamp(caret, 0, buffer.length()), 0);
    return result;
}

} // namespace Spelling
