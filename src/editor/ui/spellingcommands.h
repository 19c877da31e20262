// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/spelling.h"

#include <QObject>
#include <QStringList>

#include <memory>

class EditorHost;

// Check Spelling of the Edit menu and the toolbar: runs the spelling check over the active page, asking
// about each misspelt word in plain text through the spelling dialog, and keeps the checker (with the
// words ignored for the session) for the program's run. Owned by the main window.
class SpellingCommands : public QObject
{
    Q_OBJECT
public:
    explicit SpellingCommands(EditorHost &host);
    ~SpellingCommands() override;

    void connectActions();
    void SpellingClick();

    // Where the answers come from instead of the dialog (tests); null gives the dialog back.
    void setAnswers(Spelling::Answers *answers) { m_answers = answers; }
    // Where dictionaries are looked for and for which locale; by default the system's folders and
    // locale. Takes effect when the checker is next opened.
    void setDictionarySearch(const QStringList &folders, const QString &localeName);
    // The checker of the last check; null before the first one or when no dictionary was found.
    SpellChecker *checker() const { return m_checker.get(); }

private:
    bool openChecker();

    EditorHost &m_host;
    Spelling::Answers *m_answers = nullptr;
    std::unique_ptr<SpellChecker> m_checker;
    QStringList m_folders;
    QString m_localeName;
};
