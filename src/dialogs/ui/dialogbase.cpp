// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogbase.h"

#include "base/errorguard.h"
#include "base/ui/commandhost.h"
#include "editor/editorsettings.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/editorhost.h"
#include "editor/ui/sourceeditor.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QUrl>

TDialogBase::TDialogBase(CommandHost &host, QWidget *parent, const QString &caption, const QString &helpPage)
    : QDialog(parent)
    , m_host(host)
    , m_helpPage(helpPage)
{
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &TDialogBase::showHelp);
}

QDialogButtonBox *TDialogBase::buttonBox(QDialogButtonBox::StandardButtons buttons)
{
    if (!m_buttons) {
        m_buttons = new QDialogButtonBox(buttons | QDialogButtonBox::Help, this);
        m_buttons->setObjectName(QStringLiteral("ButtonBox"));
        connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(m_buttons, &QDialogButtonBox::helpRequested, this, &TDialogBase::showHelp);
        // The style's help picture reads as an error sign beside the other plain buttons.
        if (QPushButton *help = m_buttons->button(QDialogButtonBox::Help))
            help->setIcon(QIcon());
    }
    return m_buttons;
}

QPushButton *TDialogBase::addButton(
    const QString &text, QDialogButtonBox::ButtonRole role, const char *objectName)
{
    QPushButton *button = buttonBox()->addButton(text, role);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

void TDialogBase::showHelp()
{
    // The manual stands beside the program; without it there is nothing to open.
    const QString page = QDir(m_host.programFolder()).filePath(QStringLiteral("manual/") + m_helpPage);
    if (QFileInfo::exists(page))
        QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

void TDialogBase::done(int result)
{
    QDialog::done(result);
    if (QWidget *opener = parentWidget(); opener && opener->isVisible())
        opener->window()->activateWindow();
}

void TDialogBase::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    QRect area;
    if (parentWidget() && parentWidget()->isVisible())
        area = parentWidget()->window()->frameGeometry();
    else if (QScreen *screen = this->screen())
        area = screen->availableGeometry();
    if (!area.isValid())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    if (QScreen *screen = this->screen()) {
        // Never beyond the screen's edges, whatever the parent's position.
        const QRect available = screen->availableGeometry();
        frame.moveLeft(qBound(
            available.left(), frame.left(), qMax(available.left(), available.right() - frame.width())));
        frame.moveTop(
            qBound(available.top(), frame.top(), qMax(available.top(), available.bottom() - frame.height())));
    }
    move(frame.topLeft());
}

void writeMarkup(
    EditorHost &host, const QString &undoStep, const std::function<WrittenRange(SourceBuffer &)> &edit)
{
    EditorBuffer *buffer = host.activeBuffer();
    if (!buffer)
        return;
    host.recordUndoStep(undoStep);
    WrittenRange range;
    {
        const EditorBusy::Hold hold(host.editorBusy());
        range = edit(*buffer);
    }
    if (host.editorSettings().colours.formatting)
        host.FormatTags(range.start, range.end);
    host.markModified();
    if (TSourceEditor *editor = host.activeEditor(); editor && editor->isVisible())
        editor->setFocus();
}
