// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/plainbuffer.h"
#include "editor/spelling.h"
#include "scriptedanswers.h"

#include <QFile>
#include <QQueue>
#include <QTemporaryDir>
#include <QTest>

using namespace Spelling;

namespace {

std::optional<Dictionary> englishDictionary()
{
    for (const Dictionary &dictionary : installedDictionaries(standardDictionaryFolders())) {
        if (dictionary.name == u"en_US")
            return dictionary;
    }
    return std::nullopt;
}

#define REQUIRE_ENGLISH(dictionary)                                                                          \
    const std::optional<Dictionary> dictionary = englishDictionary();                                        \
    if (!dictionary)                                                                                         \
        QSKIP("the en_US Hunspell dictionary is not installed (package hunspell-en-us; ./dev installs it)");

QStringList textsOf(const QList<Word> &words)
{
    QStringList texts;
    for (const Word &word : words)
        texts.append(word.text);
    return texts;
}

// Answers from a script and records what it was asked and what the buffer had selected at the time.

} // namespace

class TestSpelling : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wordsInPlainTextOnly();
    void positionsCountCrLfAndUtf16();
    void checkChangesAndCancelKeepsChanges();
    void personalListAndIgnoreAll();
    void suggestionsAndDictionaryEncoding();
    void dictionaryChoice();
};

void TestSpelling::wordsInPlainTextOnly()
{
    const QString text = QStringLiteral(
        "<p class=\"teh\" title=teh>teh &teh; <!-- teh --> don't 'quoted' h1 x_y HTML teh's well-known "
        "caf\u00e9 A&amp;B <i>it</i>is</p>");
    const QList<Word> words = wordsOf(text);
    QCOMPARE(textsOf(words),
        QStringList({ u"teh"_qs, u"don't"_qs, u"quoted"_qs, u"teh's"_qs, u"well"_qs, u"known"_qs,
            u"caf\u00e9"_qs, u"A"_qs, u"B"_qs, u"it"_qs, u"is"_qs }));
    for (const Word &word : words)
        QCOMPARE(text.mid(word.start, word.text.size()), word.text);
    QCOMPARE(words.constFirst().start, int(text.indexOf(u">teh") + 1));

    // A comment or tag left open on one line closes nothing: the next line is still inside it.
    QCOMPARE(textsOf(wordsOf(u"<!-- teh\r\nteh -->\r\nok <a\r\nhref=teh>fine"_qs)),
        QStringList({ u"ok"_qs, u"fine"_qs }));
}

void TestSpelling::positionsCountCrLfAndUtf16()
{
    // Breaks become CR LF in the buffer; a character outside the BMP counts two.
    PlainBuffer buffer(u"Gr\u00fc\u00dfe \U0001F600on\nline two\n<b>\U0001F600</b>teh end"_qs);
    const QList<Word> words = wordsOf(buffer.text());
    QCOMPARE(textsOf(words),
        QStringList({ u"Gr\u00fc\u00dfe"_qs, u"on"_qs, u"line"_qs, u"two"_qs, u"teh"_qs, u"end"_qs }));
    const Word teh = words.at(4);
    QCOMPARE(teh.start, int(buffer.text().indexOf(u"teh")));
    QCOMPARE(buffer.textRange(teh.start, teh.end()), u"teh"_qs);
    QCOMPARE(words.at(1).start, 8); // "Grüße " is 6, the face 2

    REQUIRE_ENGLISH(dictionary)
    std::unique_ptr<SpellChecker> checker = SpellChecker::open(*dictionary, QString(), nullptr);
    QVERIFY(checker);
    ScriptedAnswers answers;
    answers.buffer = &buffer;
    answers.script.enqueue({ Action::Ignore, {} }); // Grüße
    answers.script.enqueue({ Action::Change, u"the"_qs });
    checkSpelling(buffer, *checker, answers);
    QCOMPARE(answers.asked.size(), 2);
    QCOMPARE(answers.selected, QStringList({ u"Gr\u00fc\u00dfe"_qs, u"teh"_qs }));
    QCOMPARE(answers.asked.at(1).line, u"<b>\U0001F600</b>teh end"_qs);
    QCOMPARE(answers.asked.at(1).wordInLine, 9);
    QVERIFY(buffer.text().endsWith(u"\r\n<b>\U0001F600</b>the end"_qs));

    // A long line is shown around the word, cut at blanks.
    PlainBuffer longLine(u"<p>"_qs + u"the cat "_qs.repeated(20) + u"zqxv"_qs + u" and dog"_qs.repeated(20));
    ScriptedAnswers around;
    checkSpelling(longLine, *checker, around);
    QCOMPARE(around.asked.size(), 1);
    const Question &question = around.asked.constFirst();
    QCOMPARE(question.line.mid(question.wordInLine, 4), u"zqxv"_qs);
    QVERIFY(question.line.size() < 140);
    QVERIFY(question.line.startsWith(u"\u2026the cat"_qs) || question.line.startsWith(u"\u2026cat the"_qs));
    QVERIFY(question.line.endsWith(u"dog\u2026"_qs) || question.line.endsWith(u"and\u2026"_qs));
}

void TestSpelling::checkChangesAndCancelKeepsChanges()
{
    REQUIRE_ENGLISH(dictionary)
    std::unique_ptr<SpellChecker> checker = SpellChecker::open(*dictionary, QString(), nullptr);
    QVERIFY(checker);

    PlainBuffer buffer(u"<p title=\"teh\">teh cat sat on teh mat.</p> Teh zqxv and zqxv. Teh dgo wlak."_qs);
    const int caret = int(buffer.text().indexOf(u"and"));
    buffer.setSelStart(caret);
    ScriptedAnswers answers;
    answers.buffer = &buffer;
    answers.script << Answer { Action::ChangeAll, u"the"_qs } // every later "teh" too, not "Teh"
                   << Answer { Action::Change, u"There"_qs } << Answer { Action::IgnoreAll, {} }
                   << Answer { Action::Change, u"Teh"_qs } // unchanged: not a replacement
                   << Answer { Action::Change, u"dog"_qs } << Answer { Action::Cancel, {} };
    int undoSteps = 0;
    CheckHooks hooks;
    hooks.beforeFirstChange = [&] {
        ++undoSteps;
        QVERIFY(buffer.text().contains(u">teh cat"_qs)); // before anything changed
    };
    const CheckResult result = checkSpelling(buffer, *checker, answers, hooks);

    QCOMPARE(
        buffer.text(), u"<p title=\"teh\">the cat sat on the mat.</p> There zqxv and zqxv. Teh dog wlak."_qs);
    QCOMPARE(result.replacements, 4);
    QVERIFY(result.cancelled);
    QCOMPARE(undoSteps, 1);
    QCOMPARE(answers.selected,
        QStringList({ u"teh"_qs, u"Teh"_qs, u"zqxv"_qs, u"Teh"_qs, u"dgo"_qs, u"wlak"_qs }));
    QCOMPARE(answers.asked.constFirst().suggestions.contains(u"the"_qs), true);
    // The caret stays before "and", moved along by the changes before it.
    QCOMPARE(buffer.selStart(), int(buffer.text().indexOf(u"and")));
    QCOMPARE(buffer.selLength(), 0);
    QVERIFY(buffer.selStart() != caret);

    // A replacement holding markup is coloured as markup: what follows it is checked as what it now is.
    PlainBuffer markup(u"teh wrod <b>bold</b>"_qs);
    ScriptedAnswers second;
    second.script << Answer { Action::Change, u"<i title=\"x"_qs } << Answer { Action::Ignore, {} };
    const CheckResult changed = checkSpelling(markup, *checker, second);
    QCOMPARE(changed.replacements, 1);
    QCOMPARE(markup.text(), u"<i title=\"x wrod <b>bold</b>"_qs);
    QCOMPARE(second.asked.size(), 1); // "wrod" is inside the new string now
}

void TestSpelling::personalListAndIgnoreAll()
{
    REQUIRE_ENGLISH(dictionary)
    QTemporaryDir dir;
    const QString path = dir.filePath(u"config/Tagloom/Personal Words.txt"_qs);
    QString error;
    std::unique_ptr<SpellChecker> checker = SpellChecker::open(*dictionary, path, &error);
    QVERIFY2(checker, qPrintable(error));
    QVERIFY(!checker->isCorrect(u"Quorvanese"_qs));
    QVERIFY(checker->add(u"Quorvanese"_qs, &error));
    QVERIFY(checker->add(u"zqxv\u00e9"_qs, &error));
    QVERIFY(checker->isCorrect(u"Quorvanese"_qs));
    QVERIFY(checker->isCorrect(u"Zqxv\u00e9"_qs)); // a listed small word may begin a sentence
    QVERIFY(!checker->isCorrect(u"quorvanese"_qs));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Quorvanese\nzqxv\xc3\xa9\n"));
    file.close();

    checker->ignoreAll(u"wlak"_qs);
    QVERIFY(checker->isCorrect(u"wlak"_qs));

    // Read back at the next start; the ignored word was for that session only.
    checker = SpellChecker::open(*dictionary, path, &error);
    QVERIFY(checker->isCorrect(u"Quorvanese"_qs));
    QVERIFY(checker->isCorrect(u"zqxv\u00e9"_qs));
    QVERIFY(!checker->isCorrect(u"wlak"_qs));
    QCOMPARE(checker->personalWords(), QStringList({ u"Quorvanese"_qs, u"zqxv\u00e9"_qs }));

    // A list edited by hand without a final break does not swallow the next word.
    const QString edited = dir.filePath(u"edited.txt"_qs);
    QFile handEdited(edited);
    QVERIFY(handEdited.open(QIODevice::WriteOnly));
    handEdited.write("\xef\xbb\xbf"
                     "alphaword\r\nbetaword");
    handEdited.close();
    checker = SpellChecker::open(*dictionary, edited, &error);
    QVERIFY(checker->isCorrect(u"alphaword"_qs) && checker->isCorrect(u"betaword"_qs));
    QVERIFY(checker->add(u"gammaword"_qs));
    QVERIFY(handEdited.open(QIODevice::ReadOnly));
    QVERIFY(handEdited.readAll().endsWith("betaword\ngammaword\n"));

    // A list that cannot be written says so, and the word still counts for the session.
    const QString blocked = dir.filePath(u"edited.txt/words.txt"_qs);
    checker = SpellChecker::open(*dictionary, blocked, &error);
    error.clear();
    QVERIFY(!checker->add(u"deltaword"_qs, &error));
    QVERIFY(error.contains(u"words.txt"_qs));
    QVERIFY(checker->isCorrect(u"deltaword"_qs));
}

void TestSpelling::suggestionsAndDictionaryEncoding()
{
    REQUIRE_ENGLISH(dictionary)
    std::unique_ptr<SpellChecker> english = SpellChecker::open(*dictionary, QString(), nullptr);
    QVERIFY(english->suggestions(u"teh"_qs).contains(u"the"_qs));
    QVERIFY(english->isCorrect(u"don\u2019t"_qs));
    QVERIFY(english->suggestions(u"doesn\u2019"_qs).contains(u"doesn\u2019t"_qs));

    // A dictionary in ISO 8859-1: words are converted both ways, and one it cannot hold is not in it.
    QTemporaryDir dir;
    QFile aff(dir.filePath(u"xx_XX.aff"_qs));
    QVERIFY(aff.open(QIODevice::WriteOnly));
    aff.write("SET ISO8859-1\nTRY aefiln\xe9\xef\n");
    aff.close();
    QFile dic(dir.filePath(u"xx_XX.dic"_qs));
    QVERIFY(dic.open(QIODevice::WriteOnly));
    dic.write("2\ncaf\xe9\nna\xefve\n");
    dic.close();
    QString error;
    std::unique_ptr<SpellChecker> latin
        = SpellChecker::openFor({ dir.path() }, u"xx_XX"_qs, QString(), &error);
    QVERIFY2(latin, qPrintable(error));
    QCOMPARE(latin->encoding(), u"ISO8859-1"_qs);
    QVERIFY(latin->isCorrect(u"caf\u00e9"_qs));
    QVERIFY(latin->isCorrect(u"na\u00efve"_qs));
    QVERIFY(!latin->isCorrect(u"cafe"_qs));
    QVERIFY(!latin->isCorrect(u"caf\u0151"_qs));
    QVERIFY(latin->suggestions(u"caf\u0151"_qs).isEmpty());
    QVERIFY(latin->suggestions(u"cafi"_qs).contains(u"caf\u00e9"_qs));
    QVERIFY(latin->add(u"\u0151zz"_qs)); // no file: accepted for the session only
    QVERIFY(latin->isCorrect(u"\u0151zz"_qs));
}

void TestSpelling::dictionaryChoice()
{
    const auto named = [](std::initializer_list<const char16_t *> names) {
        QList<Dictionary> list;
        for (const char16_t *name : names)
            list.append({ QString::fromUtf16(name), {}, {} });
        return list;
    };
    const auto choose = [](const QList<Dictionary> &installed, const QString &locale) {
        const std::optional<Dictionary> chosen = chooseDictionary(installed, locale);
        return chosen ? chosen->name : u"(none)"_qs;
    };
    const QList<Dictionary> many = named({ u"de_AT", u"de_DE", u"en_GB", u"en_US", u"fr" });
    QCOMPARE(choose(many, u"de_DE"_qs), u"de_DE"_qs);
    QCOMPARE(choose(many, u"en_GB.UTF-8"_qs), u"en_GB"_qs);
    QCOMPARE(choose(many, u"de_CH"_qs), u"de_AT"_qs);
    QCOMPARE(choose(many, u"fr-CA"_qs), u"fr"_qs);
    QCOMPARE(choose(many, u"C"_qs), u"en_US"_qs);
    QCOMPARE(choose(many, u"ja_JP"_qs), u"en_US"_qs);
    QCOMPARE(choose(named({ u"de_DE", u"fr" }), u"ja_JP"_qs), u"de_DE"_qs);
    QCOMPARE(choose({}, u"en_US"_qs), u"(none)"_qs);

    // Only a complete pair is a dictionary; none at all is a clear error.
    QTemporaryDir dir;
    for (const char *name : { "aa_AA.aff", "aa_AA.dic", "bb_BB.aff" }) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QList<Dictionary> found = installedDictionaries({ dir.path() });
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.constFirst().name, u"aa_AA"_qs);
    QTemporaryDir empty;
    QString error;
    QVERIFY(!SpellChecker::openFor({ empty.path() }, u"en_US"_qs, QString(), &error));
    QVERIFY(error.startsWith(u"No spelling dictionary is installed"_qs));
}

QTEST_GUILESS_MAIN(TestSpelling)
#include "tst_spelling.moc"
