// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/prompter.h"

#include <QPointer>
#include <QWidget>

// The Prompter of the running program: message boxes and file dialogs parented to the main window.
class TQtPrompter : public Prompter
{
public:
    explicit TQtPrompter(QWidget *parent = nullptr)
        : m_parent(parent)
    { }
    void setParent(QWidget *parent) { m_parent = parent; }

    PromptAnswer message(
        const QString &caption, const QString &text, PromptButtons buttons, PromptIcon icon) override;
    std::optional<QString> openFileName(const FileRequest &request) override;
    std::optional<QString> saveFileName(const FileRequest &request) override;
    std::optional<QStringList> openFileNames(const FileRequest &request) override;
    std::optional<QString> folderName(const QString &title, const QString &directory) override;

private:
    QPointer<QWidget> m_parent;
};
