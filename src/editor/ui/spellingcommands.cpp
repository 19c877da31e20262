// SPDX-License-Identifier: GPL-3.0-or-later
#include "spellingcommands.h"

#include "base/errorguard.h"
#include "base/productstrings.h"
#include "base/programfolder.h"
#include "base/prompter.h"
#include "base/settingsstore.h"
#include "editor/editorsettings.h"
#include "editor/tagdatabase.h"
#include "editor/ui/editorhost.h"

#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "editor/ui/spelldialog.h"

#include <QLocale>

SpellingCommands::SpellingCommands(EditorHost &host)
    : m_host(host)
    , m_folders(Spelling::standardDictionaryFolders())
    , m_localeName(QLocale::system().name())
{ }

SpellingCommands::~SpellingCommands() = default;

void SpellingCommands::connectActions()
{
    connect(
        m_host.action(ActionId::CheckSpelling), &QAction::triggered, this, &SpellingCommands::SpellingClick);
}

void SpellingCommands::setDictionarySearch(const QStringList &folders, const QString &localeName)
{
    m_folders = folders;
    m_localeName = localeName;
    m_checker.reset();
}

bool SpellingCommands::openChecker()
{
    if (m_checker)
        return true;
    QString error;
    m_checker = SpellChecker::openFor(
        m_folders, m_localeName, Spelling::personalWordListPath(m_host.settings().userFile()), &error);
    if (!m_checker)
        m_host.prompter().inform(Product::caption(), error, PromptIcon::Stop);
    return bool(m_checker);
}

void SpellingCommands::SpellingClick()
{
    TSourceEditor *editor = m_host.activeEditor();
    if (!editor || m_host.editorBusy().isSet() || !openChecker())
        return;
    EditorBuffer &buffer = *m_host.activeBuffer();
    TSpellDialogAnswers dialog(m_host.dialogParent());

    Spelling::CheckHooks hooks;
    // All the check's changes are one undo step, recorded before the first of them.
    hooks.beforeFirstChange = [this] { m_host.recordUndoStep(QStringLiteral("Check Spelling")); };
    hooks.showWord = [&](const Spelling::Word &word) {
        const long start = buffer.bytePosition(word.start);
        const long end = buffer.bytePosition(word.end());
        editor->SendScintilla(QsciScintillaBase::SCI_SCROLLRANGE, static_cast<unsigned long>(end), start);
        const int x = int(editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0ul, start));
        const int right = int(editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0ul, end));
        const int y = int(editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0ul, start));
        const int height = int(editor->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT,
            static_cast<unsigned long>(buffer.lineFromPosition(word.start))));
        const QPoint topLeft = editor->viewport()->mapToGlobal(QPoint(x, y));
        dialog.setWordRect(QRect(topLeft, QSize(std::max(right - x, 1), height)));
    };
    hooks.addFailed = [this](const QString &word, const QString &error) {
        m_host.prompter().inform(Product::caption(),
            QStringLiteral("\"%1\" could not be saved in your personal word list, so it is accepted only "
                           "until the program ends.\n\n%2")
                .arg(word, error),
            PromptIcon::Warning);
    };

    // Cancel ends the check early; the changes made until then stay, as after a complete check.
    const Spelling::CheckResult result = Spelling::checkSpelling(
        buffer, *m_checker, m_answers ? *m_answers : static_cast<Spelling::Answers &>(dialog), hooks);
    if (result.replacements > 0) {
        m_host.FormatTags(0, buffer.length());
        m_host.markModified();
        m_host.prompter().inform(Product::caption(), QStringLiteral("Spell Check Complete. Updating text."),
            PromptIcon::Information);
    } else {
        m_host.prompter().inform(Product::caption(),
            QStringLiteral("Spell Check Complete. No errors were found."), PromptIcon::Information);
    }
    if (editor->isVisible())
        editor->setFocus();
}
