// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptedprompter.h"

#include <QTest>

PromptAnswer ScriptedPrompter::message(
    const QString &caption, const QString &text, PromptButtons buttons, PromptIcon icon)
{
    m_asked.append({ caption, text, buttons, icon });
    if (buttons == PromptButtons::Ok)
        return PromptAnswer::Ok;
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + text), __FILE__, __LINE__);
        return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Cancel;
    }
    return m_answers.dequeue();
}

std::optional<QString> ScriptedPrompter::openFileName(const FileRequest &request)
{
    m_fileRequests.append(request);
    if (m_files.isEmpty()) {
        QTest::qFail("unexpected open dialog", __FILE__, __LINE__);
        return std::nullopt;
    }
    return m_files.dequeue();
}

std::optional<QString> ScriptedPrompter::saveFileName(const FileRequest &request)
{
    m_fileRequests.append(request);
    if (m_files.isEmpty()) {
        QTest::qFail("unexpected save dialog", __FILE__, __LINE__);
        return std::nullopt;
    }
    return m_files.dequeue();
}

std::optional<QStringList> ScriptedPrompter::openFileNames(const FileRequest &request)
{
    m_fileRequests.append(request);
    if (m_fileLists.isEmpty()) {
        QTest::qFail("unexpected multiple-file open dialog", __FILE__, __LINE__);
        return std::nullopt;
    }
    return m_fileLists.dequeue();
}

std::optional<QString> ScriptedPrompter::folderName(const QString &title, const QString &directory)
{
    Q_UNUSED(directory);
    m_folderRequests.append(title);
    if (m_folders.isEmpty()) {
        QTest::qFail("unexpected folder browser", __FILE__, __LINE__);
        return std::nullopt;
    }
    return m_folders.dequeue();
}

QStringList ScriptedPrompter::texts() const
{
    QStringList result;
    for (const Asked &a : m_asked)
        result.append(a.text);
    return result;
}

void ScriptedPrompter::clear()
{
    m_answers.clear();
    m_files.clear();
    m_fileLists.clear();
    m_folders.clear();
    m_folderRequests.clear();
    m_asked.clear();
    m_fileRequests.clear();
}
