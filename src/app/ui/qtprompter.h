// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/prompter.h"

#include <QPointer>
#include <QWidget>

#include <functional>

// The Prompter of the running program: message boxes and file dialogs over the window the user is working
// in (a modeless dialog keeps the keyboard when its box closes), else over the main window.
class TQtPrompter : public Prompter
{
public:
    explicit TQtPrompter(QWidget *parent = nullptr)
        : m_parent(parent)
    { }
    void setParent(QWidget *parent) { m_parent = parent; }
    // The folder of the document being worked on, where file dialogs start unless told otherwise.
    void setDocumentFolder(std::function<QString()> folder) { m_documentFolder = std::move(folder); }

    // Where a file dialog opens: the request's folder, else the document's, else the last one a file was
    // chosen in; empty leaves it to the dialog.
    static QString startFolder(
        const FileRequest &request, const QString &documentFolder, const QString &lastFolder);
    // The window a box or dialog is shown over: the active modal dialog, the active window, the parent.
    QWidget *owner() const;

    PromptAnswer message(
        const QString &caption, const QString &text, PromptButtons buttons, PromptIcon icon) override;
    std::optional<QString> openFileName(const FileRequest &request) override;
    std::optional<QString> saveFileName(const FileRequest &request) override;
    std::optional<QStringList> openFileNames(const FileRequest &request) override;
    std::optional<QString> folderName(const QString &title, const QString &directory) override;

private:
    std::optional<QStringList> chosen(const FileRequest &request, int acceptMode, int fileMode);

    QPointer<QWidget> m_parent;
    std::function<QString()> m_documentFolder;
    QString m_lastFolder;
};
