// SPDX-License-Identifier: GPL-3.0-or-later
#include "typingaids.h"

#include "app/errorguard.h"
#include "documentpage.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "mainform.h"

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

TypingAids::TypingAids(TMainForm &form)
    : m_form(form)
    , m_onReturn(form.editorSettings().onReturn)
{
    m_onReturnMenu = new QMenu(QStringLiteral("On Return"), &form);
    m_onReturnMenu->setObjectName(QStringLiteral("OnReturn1"));
    auto *group = new QActionGroup(m_onReturnMenu);
    const struct
    {
        const char *name;
        const char *text;
        void (TypingAids::*handler)();
    } items[] = {
        { "br1", "<br>", &TypingAids::br1Click },
        { "p1", "<p>", &TypingAids::p1Click },
        { "Nothing1", "[Nothing]", &TypingAids::Nothing1Click },
    };
    for (const auto &item : items) {
        QAction *action = m_onReturnMenu->addAction(QString::fromLatin1(item.text));
        action->setObjectName(QString::fromLatin1(item.name));
        action->setCheckable(true);
        group->addAction(action);
        QObject::connect(
            action, &QAction::triggered, &form, [this, handler = item.handler] { (this->*handler)(); });
    }
    QObject::connect(m_onReturnMenu, &QMenu::aboutToShow, &form, [this] { OnReturn1Click(); });
}

void TypingAids::burst()
{
    TDocumentPage *page = m_form.activePage();
    if (!page || page->editor()->isReadOnly() || m_form.editorBusy().isSet())
        return;
    runGuarded(m_form.prompter(), m_form.editorBusy(), 22, [this] { m_form.typingKeyPress(); });
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
    TDocumentPage *page = m_form.activePage();
    if (!isEnter(key) || key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier) || !page
        || page->editor()->isReadOnly())
        return;
    runGuarded(m_form.prompter(), m_form.editorBusy(), 26, [&] {
        const QString tag = returnTag(m_onReturn, m_form.editorSettings().upper);
        if (!tag.isEmpty()) {
            SourceBuffer &buffer = page->buffer();
            const int start = buffer.selStart();
            buffer.setSelText(tag);
            m_form.FormatTags(start, buffer.selStart());
        }
    });
    if (m_form.editorSettings().updatePreview)
        runGuarded(m_form.prompter(), m_form.editorBusy(), 26, [this] { m_form.updatePreview(); });
}

void TypingAids::OnReturn1Click()
{
    const QString name = m_onReturn.isEmpty()                                  ? QStringLiteral("Nothing1")
        : m_onReturn.compare(QStringLiteral("<br>"), Qt::CaseInsensitive) == 0 ? QStringLiteral("br1")
                                                                               : QStringLiteral("p1");
    for (QAction *action : m_onReturnMenu->actions())
        action->setChecked(action->objectName() == name);
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
