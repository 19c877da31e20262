// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtprompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QScreen>
#include <QTreeView>

namespace {

QMessageBox::Icon boxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::None:
        return QMessageBox::NoIcon;
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
    case PromptIcon::Exclamation:
        return QMessageBox::Warning;
    case PromptIcon::Stop:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok:
        return QMessageBox::Ok;
    case PromptButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

} // namespace

QString TQtPrompter::startFolder(
    const FileRequest &request, const QString &documentFolder, const QString &lastFolder)
{
    if (!request.directory.isEmpty())
        return request.directory;
    return documentFolder.isEmpty() ? lastFolder : documentFolder;
}

QWidget *TQtPrompter::owner() const
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    return m_parent;
}

PromptAnswer TQtPrompter::message(
    const QString &caption, const QString &text, PromptButtons buttons, PromptIcon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, boxButtons(buttons), owner());
    // The program's messages quote tags and file names: Qt would take "<body>" for markup and drop it.
    box.setTextFormat(Qt::PlainText);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    default:
        return PromptAnswer::Cancel;
    }
}

namespace {

// The first widget of that type inside parent, depth first.
template <typename Widget> Widget *firstOfType(const QObject *parent)
{
    for (QObject *child : parent->children()) {
        if (auto *widget = qobject_cast<Widget *>(child))
            return widget;
        if (Widget *inner = firstOfType<Widget>(child))
            return inner;
    }
    return nullptr;
}

// Qt's own dialog opens too narrow for its detail columns: it is made wide enough (within the screen) and
// the name column takes what the size, type and date columns leave.
void fitColumns(QFileDialog &dialog)
{
    QSize size(880, 520);
    if (const QScreen *screen = dialog.screen())
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    dialog.resize(size.expandedTo(dialog.sizeHint()));
    if (auto *details = firstOfType<QTreeView>(&dialog)) {
        QHeaderView *header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

} // namespace

std::optional<QStringList> TQtPrompter::chosen(const FileRequest &request, int acceptMode, int fileMode)
{
    QFileDialog dialog(owner());
    dialog.setWindowTitle(request.title);
    dialog.setNameFilters(qtNameFilters(request.filter));
    if (request.defaultSuffix.size() > 1)
        dialog.setDefaultSuffix(request.defaultSuffix.mid(1));
    const QString folder
        = startFolder(request, m_documentFolder ? m_documentFolder() : QString(), m_lastFolder);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    dialog.setAcceptMode(QFileDialog::AcceptMode(acceptMode));
    dialog.setFileMode(QFileDialog::FileMode(fileMode));
    // The program asks its own overwrite question, with its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    fitColumns(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    m_lastFolder = QFileInfo(dialog.selectedFiles().constFirst()).absolutePath();
    return dialog.selectedFiles();
}

std::optional<QString> TQtPrompter::openFileName(const FileRequest &request)
{
    const std::optional<QStringList> files
        = chosen(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
    return files ? std::optional<QString>(files->constFirst()) : std::nullopt;
}

std::optional<QString> TQtPrompter::saveFileName(const FileRequest &request)
{
    const std::optional<QStringList> files = chosen(request, QFileDialog::AcceptSave, QFileDialog::AnyFile);
    return files ? std::optional<QString>(files->constFirst()) : std::nullopt;
}

std::optional<QStringList> TQtPrompter::openFileNames(const FileRequest &request)
{
    return chosen(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
}

std::optional<QString> TQtPrompter::folderName(const QString &title, const QString &directory)
{
    const QString start = startFolder({ QString(), QString(), QString(), QString(), directory },
        m_documentFolder ? m_documentFolder() : QString(), m_lastFolder);
    const QString folder = QFileDialog::getExistingDirectory(owner(), title, start);
    if (folder.isEmpty())
        return std::nullopt;
    m_lastFolder = folder;
    return folder;
}
