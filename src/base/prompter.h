// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptIcon { None, Information, Warning, Exclamation, Stop, Question };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// What a file dialog is asked with. The filter is written as the program's design gives it,
// "Description|*.a;*.b|Other|*.*", and converted for the platform dialog.
struct FileRequest
{
    QString title;
    QString filter;
    QString defaultSuffix; // with the dot: ".html"
    QString proposedName; // file name or full path offered in the dialog
    QString directory;
};

// Every message box, question and file dialog goes through a Prompter, so commands can be driven in
// tests by a scripted one that answers and records what was asked. The main window owns the real one.
class Prompter
{
public:
    virtual ~Prompter() = default;

    virtual PromptAnswer message(
        const QString &caption, const QString &text, PromptButtons buttons, PromptIcon icon)
        = 0;
    // The chosen file, or nothing when the dialog was cancelled. An open dialog only accepts an
    // existing file.
    virtual std::optional<QString> openFileName(const FileRequest &request) = 0;
    virtual std::optional<QString> saveFileName(const FileRequest &request) = 0;
    // Several existing files chosen at once, in the dialog's order; nothing when cancelled.
    virtual std::optional<QStringList> openFileNames(const FileRequest &request)
    {
        const std::optional<QString> file = openFileName(request);
        return file ? std::optional<QStringList>(QStringList { *file }) : std::nullopt;
    }
    // An existing folder, chosen in a folder browser with the given title; nothing when cancelled.
    virtual std::optional<QString> folderName(const QString &title, const QString &directory)
    {
        Q_UNUSED(title);
        Q_UNUSED(directory);
        return std::nullopt;
    }

    void inform(const QString &caption, const QString &text, PromptIcon icon = PromptIcon::None)
    {
        message(caption, text, PromptButtons::Ok, icon);
    }
};

// "HTML Files (*.html, *.htm)|*.html;*.htm|All Files (*.*)|*.*" as Qt dialog name filters.
QStringList qtNameFilters(const QString &filter);
