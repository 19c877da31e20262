// SPDX-License-Identifier: GPL-3.0-or-later
#include "typingaids.h"

#include "base/errorguard.h"
#include "base/productstrings.h"
#include "base/programfolder.h"
#include "base/prompter.h"
#include "base/settingsstore.h"
#include "editor/editorsettings.h"
#include "editor/tagdatabase.h"
#include "editor/ui/editorhost.h"

#include "editor/ui/editorbuffer.h"
#include "editor/ui/promptingcommands.h"
#include "editor/ui/sourceeditor.h"

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QMenu>

namespace {

bool isEnter(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

TypingAids::TypingAids(EditorHost &host, PromptingCommands &prompting)
    : m_host(host)
    , m_prompting(prompting)
{ }

void TypingAids::connectActions()
{
    connect(m_host.action(ActionId::br1), &QAction::triggered, this, &TypingAids::br1Click);
    connect(m_host.action(ActionId::p1), &QAction::triggered, this, &TypingAids::p1Click);
    connect(m_host.action(ActionId::Nothing1), &QAction::triggered, this, &TypingAids::Nothing1Click);
    connect(
        m_host.menu(ActionTable::MenuId::OnReturn), &QMenu::aboutToShow, this, &TypingAids::OnReturn1Click);
}

void TypingAids::watchEditor(TSourceEditor *editor)
{
    editor->installEventFilter(this);
}

bool TypingAids::eventFilter(QObject *watched, QEvent *event)
{
    // The key handler, before the editor inserts the key: the typing burst, then the aids that follow it.
    if (event->type() == QEvent::KeyPress && watched == m_host.activeEditor()
        && !m_host.editorBusy().isSet()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        startBurst(*key);
        if (m_host.editorSettings().usePrompting && m_prompting.keyPress(key))
            return true;
        afterPrompting(*key);
    }
    return QObject::eventFilter(watched, event);
}

void TypingAids::burst()
{
    TSourceEditor *editor = m_host.activeEditor();
    if (!editor || editor->isReadOnly() || m_host.editorBusy().isSet())
        return;
    runGuarded(m_host.prompter(), m_host.editorBusy(), 22, [this] { m_host.typingKeyPress(); });
}

void TypingAids::startBurst(const QKeyEvent &key)
{
    const bool command = key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool edits = key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete || isEnter(key)
        || key.key() == Qt::Key_Tab || (!key.text().isEmpty() && key.text().at(0).isPrint());
    if (edits && !command)
        burst();
}

void TypingAids::userEditStarting()
{
    burst();
}

QString TypingAids::returnTag(const QString &onReturn, bool upper)
{
    if (onReturn.isEmpty())
        return {};
    const QString tag = onReturn.compare(QStringLiteral("<br>"), Qt::CaseInsensitive) == 0
        ? QStringLiteral("<BR>")
        : QStringLiteral("<P>");
    return upper ? tag : tag.toLower();
}

void TypingAids::afterPrompting(const QKeyEvent &key)
{
    TSourceEditor *editor = m_host.activeEditor();
    if (!isEnter(key) || key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)
        || !editor || editor->isReadOnly())
        return;
    runGuarded(m_host.prompter(), m_host.editorBusy(), 26, [&] {
        const QString tag = returnTag(m_onReturn, m_host.editorSettings().upper);
        if (!tag.isEmpty()) {
            SourceBuffer &buffer = *m_host.activeBuffer();
            const int start = buffer.selStart();
            buffer.setSelText(tag);
            m_host.FormatTags(start, buffer.selStart());
        }
    });
    if (m_host.editorSettings().updatePreview)
        runGuarded(m_host.prompter(), m_host.editorBusy(), 26, [this] { m_host.updatePreview(); });
}

void TypingAids::OnReturn1Click()
{
    const ActionId checked = m_onReturn.isEmpty()                              ? ActionId::Nothing1
        : m_onReturn.compare(QStringLiteral("<br>"), Qt::CaseInsensitive) == 0 ? ActionId::br1
                                                                               : ActionId::p1;
    m_host.action(checked)->setChecked(true);
}

void TypingAids::br1Click()
{
    m_onReturn = QStringLiteral("<br>");
}

void TypingAids::p1Click()
{
    m_onReturn = QStringLiteral("<p>");
}

void TypingAids::Nothing1Click()
{
    m_onReturn.clear();
}
