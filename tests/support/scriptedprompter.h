// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/prompter.h"

#include <QList>
#include <QQueue>

// A Prompter for tests: answers from a script and records every question and dialog it was shown.
// A question the script did not foresee fails the test through QTest, rather than blocking.
class ScriptedPrompter : public Prompter
{
public:
    struct Asked
    {
        QString caption;
        QString text;
        PromptButtons buttons;
        PromptIcon icon;
    };

    // Answers given to questions in turn; an Ok-only message needs no entry.
    void answer(PromptAnswer answer) { m_answers.enqueue(answer); }
    // File names given to open and save dialogs in turn; an empty optional cancels.
    void chooseFile(const std::optional<QString> &path) { m_files.enqueue(path); }
    // Files given to multiple-choice open dialogs in turn; an empty optional cancels.
    void chooseFiles(const std::optional<QStringList> &paths) { m_fileLists.enqueue(paths); }
    // Folders given to folder browsers in turn; an empty optional cancels.
    void chooseFolder(const std::optional<QString> &path) { m_folders.enqueue(path); }

    PromptAnswer message(
        const QString &caption, const QString &text, PromptButtons buttons, PromptIcon icon) override;
    std::optional<QString> openFileName(const FileRequest &request) override;
    std::optional<QString> saveFileName(const FileRequest &request) override;
    std::optional<QStringList> openFileNames(const FileRequest &request) override;
    std::optional<QString> folderName(const QString &title, const QString &directory) override;

    const QList<Asked> &asked() const { return m_asked; }
    const QList<FileRequest> &fileRequests() const { return m_fileRequests; }
    // The texts of everything asked so far, in order.
    QStringList texts() const;
    // The titles of the folder browsers shown so far.
    const QStringList &folderRequests() const { return m_folderRequests; }
    bool scriptUsedUp() const
    {
        return m_answers.isEmpty() && m_files.isEmpty() && m_fileLists.isEmpty() && m_folders.isEmpty();
    }
    void clear();

private:
    QQueue<PromptAnswer> m_answers;
    QQueue<std::optional<QString>> m_files;
    QQueue<std::optional<QStringList>> m_fileLists;
    QQueue<std::optional<QString>> m_folders;
    QStringList m_folderRequests;
    QList<Asked> m_asked;
    QList<FileRequest> m_fileRequests;
};
