// SPDX-License-Identifier: GPL-3.0-or-later
#include "formattingcommands.h"

#include "base/errorguard.h"
#include "base/productstrings.h"
#include "base/programfolder.h"
#include "base/prompter.h"
#include "base/settingsstore.h"
#include "editor/editorsettings.h"
#include "editor/tagdatabase.h"
#include "editor/ui/editorhost.h"

#include "editor/stylelist.h"
#include "editor/ui/colourbutton.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

using namespace TagCommands;

using ActionTable::MenuId;
using ActionTable::ToolWidget;

FormattingCommands::FormattingCommands(EditorHost &host)
    : m_host(host)
{ }

TagStyle FormattingCommands::style() const
{
    return m_host.editorSettings().tagStyle();
}

void FormattingCommands::connectActions()
{
    m_colourButton = new TColourButton(m_host.dialogParent());
    m_colourButton->setObjectName(QStringLiteral("ColourButton"));
    connect(m_colourButton, &TColourButton::colourChosen, this, [this](TColor colour) {
        run(QStringLiteral("Colour"), [this, colour](SourceBuffer &buffer) {
            return TagCommands::insertFormatTag(buffer, colourTags(colour, style()));
        });
    });

    for (const TagCommand &command : tagCommands()) {
        if (command.action == ActionId::MoreColors1)
            continue; // the colour button's own drop-down holds it
        QAction *action = m_host.action(command.action);
        const ActionId id = command.action;
        switch (command.kind) {
        case CommandKind::Later:
            break;
        case CommandKind::Wrap:
            connect(action, &QAction::triggered, this, [this, id] { runCommand(*findCommand(id)); });
            break;
        case CommandKind::Special:
            connectSpecial(id, action);
            break;
        }
    }
}

void FormattingCommands::connectSpecial(ActionId id, QAction *action)
{
    switch (id) {
    case ActionId::Colour1:
        connect(action, &QAction::triggered, m_colourButton, &TColourButton::chooseMoreColours);
        break;
    case ActionId::StandardTags:
        connect(action, &QAction::triggered, this, &FormattingCommands::StandardTagsClick);
        break;
    case ActionId::StripTags1:
        connect(action, &QAction::triggered, this, &FormattingCommands::StripTagsClick);
        break;
    case ActionId::StaticDateTime1:
        connect(action, &QAction::triggered, this, [this] { DateTimeClick(DateTimeMode::Static); });
        break;
    case ActionId::AutoDateTime1:
        connect(action, &QAction::triggered, this, [this] { DateTimeClick(DateTimeMode::Script); });
        break;
    case ActionId::Upper1:
    case ActionId::Lower1: {
        const LetterCase letterCase = id == ActionId::Upper1 ? LetterCase::Upper : LetterCase::Lower;
        connect(action, &QAction::triggered, this, [this, letterCase] {
            run(QStringLiteral("Change Case"),
                [letterCase](SourceBuffer &buffer) { return changeCase(buffer, letterCase); });
        });
        break;
    }
    default:
        break;
    }
}

QWidget *FormattingCommands::toolWidget(ToolWidget which, QToolBar *bar)
{
    switch (which) {
    case ToolWidget::FontName:
        return m_fontName = makeBox(bar, "FontName", 12, "Font",
                   [this](int, const QString &item) { return fontNameTags(item, style()); });
    case ToolWidget::FontSize:
        return m_fontSize = makeBox(bar, "FontSize", 3, "Size",
                   [this](int, const QString &item) { return fontSizeTags(item, style()); });
    case ToolWidget::StyleCombo:
        return m_styleBox = makeBox(bar, "StyleCombo", 12, "Style",
                   [this](int index, const QString &item) { return styleTags(index, item, style()); });
    case ToolWidget::ColourButton:
        return m_colourButton;
    case ToolWidget::DateTimeButton:
        m_dateTimeButton = new QToolButton(bar);
        m_dateTimeButton->setObjectName(QStringLiteral("DateTimeButton"));
        m_dateTimeButton->setText(QStringLiteral("Date"));
        m_dateTimeButton->setToolTip(QStringLiteral("Date and Time"));
        m_dateTimeButton->setMenu(m_host.menu(MenuId::DateTime));
        m_dateTimeButton->setPopupMode(QToolButton::MenuButtonPopup);
        connect(
            m_dateTimeButton, &QToolButton::clicked, this, [this] { DateTimeClick(m_state.dateTimeMode); });
        return m_dateTimeButton;
    case ToolWidget::SmileyButton:
        return makeSmileyButton(bar);
    default:
        return nullptr;
    }
}

QComboBox *FormattingCommands::makeBox(QToolBar *bar, const char *name, int width, const char *step,
    const std::function<std::optional<WrapTags>(int, const QString &)> &tags)
{
    auto *box = new QComboBox(bar);
    box->setObjectName(QString::fromLatin1(name));
    box->setMinimumContentsLength(width);
    connect(box, &QComboBox::activated, this, [this, box, step, tags](int index) {
        const QString item = box->itemText(index);
        // The step is recorded before the item is looked at, so a default item records an empty step.
        run(QString::fromLatin1(step), [tags, index, item](SourceBuffer &buffer) {
            const std::optional<WrapTags> wrap = tags(index, item);
            return wrap ? TagCommands::insertFormatTag(buffer, *wrap) : EditResult {};
        });
    });
    return box;
}

QToolButton *FormattingCommands::makeSmileyButton(QToolBar *bar)
{
    m_smileyButton = new QToolButton(bar);
    m_smileyButton->setObjectName(QStringLiteral("SmileyButton"));
    m_smileyButton->setText(m_state.smileyCaption.isEmpty() ? QStringLiteral(":-)") : m_state.smileyCaption);
    m_smileyButton->setToolTip(QStringLiteral("Smiley"));
    auto *smileys = new QMenu(m_smileyButton);
    for (const SmileyGroup &group : smileyMenu()) {
        QMenu *sub = smileys->addMenu(group.caption);
        for (const QString &caption : group.items)
            connect(sub->addAction(caption), &QAction::triggered, this,
                [this, caption] { SmileyClick(caption, false); });
    }
    m_smileyButton->setMenu(smileys);
    m_smileyButton->setPopupMode(QToolButton::MenuButtonPopup);
    connect(
        m_smileyButton, &QToolButton::clicked, this, [this] { SmileyClick(m_smileyButton->text(), true); });
    return m_smileyButton;
}

void FormattingCommands::fillBoxes(const QStringList &styleClasses)
{
    if (m_fontName->count() == 0) {
        m_fontName->addItems(fontNameItems(QFontDatabase::families()));
        m_fontSize->addItems(fontSizeItems());
    }
    const QSignalBlocker block(m_styleBox);
    m_styleBox->clear();
    m_styleBox->addItems(fixedStyleItems());
    m_styleBox->addItems(styleClasses);
    // No style is shown until one is chosen, so choosing the first one is a change too.
    m_styleBox->setCurrentIndex(-1);
}

void FormattingCommands::rebuildStyleList()
{
    if (const EditorBuffer *buffer = m_host.activeBuffer())
        fillBoxes(StyleLists::rebuild(*buffer, m_host.activeDocument()->folder()).combo.mid(fixedStyleCount));
}

void FormattingCommands::run(const QString &undoStep, const Edit &edit)
{
    EditorBusy &busy = m_host.editorBusy();
    if (busy.isSet())
        return;
    runGuarded(m_host.prompter(), busy, 2, [&] {
        TSourceEditor *editor = m_host.activeEditor();
        if (!editor)
            return;
        if (!undoStep.isEmpty())
            m_host.recordUndoStep(undoStep);
        const int firstLine = editor->firstVisibleLine();
        EditResult result;
        {
            const EditorBusy::Hold hold(busy);
            result = edit(*m_host.activeBuffer());
        }
        if (result.recolours() && m_host.editorSettings().colours.formatting)
            m_host.FormatTags(result.recolourStart, result.recolourEnd);
        if (result.changed)
            m_host.markModified();
        if (result.keepFirstVisibleLine)
            editor->setFirstVisibleLine(firstLine);
        if (result.focusEditor && editor->isVisible())
            editor->setFocus();
    });
}

void FormattingCommands::runCommand(const TagCommand &command)
{
    const WrapTags tags = command.tags(style());
    run(command.undoStep,
        [tags](SourceBuffer &buffer) { return TagCommands::insertFormatTag(buffer, tags); });
}

void FormattingCommands::insertFormatTag(const QString &start, const QString &end)
{
    const WrapTags tags { cased(start, style()), cased(end, style()) };
    run(QString(), [tags](SourceBuffer &buffer) { return TagCommands::insertFormatTag(buffer, tags); });
}

void FormattingCommands::StandardTagsClick()
{
    if (!m_host.activeBuffer())
        return;
    run(QStringLiteral("Standard Tags"),
        [this](SourceBuffer &buffer) { return standardTags(buffer, style()); });
    m_host.prompter().inform(Product::caption(), standardTagsMessage(), PromptIcon::Information);
    m_host.documentControlsChanged();
}

void FormattingCommands::StripTagsClick()
{
    if (!m_host.activeBuffer()
        || m_host.prompter().message(
               Product::caption(), stripTagsQuestion(), PromptButtons::YesNo, PromptIcon::Warning)
            != PromptAnswer::Yes)
        return;
    run(QStringLiteral("Strip Tags"), [](SourceBuffer &buffer) { return stripAllTags(buffer); });
    m_host.disableTitleAndBodyControls();
}

void FormattingCommands::DateTimeClick(DateTimeMode mode)
{
    m_state.dateTimeMode = mode;
    run(QStringLiteral("Time"), [this, mode](SourceBuffer &buffer) {
        return insertDateTime(buffer, mode, QDateTime::currentDateTime(), QLocale::system(), style());
    });
}

void FormattingCommands::SmileyClick(const QString &caption, bool fromButton)
{
    if (fromButton) {
        if (smileyText(caption).isEmpty())
            return;
        run(QStringLiteral("Smiley"),
            [caption](SourceBuffer &buffer) { return insertSmiley(buffer, caption); });
        return;
    }
    run(QString(), [caption](SourceBuffer &buffer) { return insertSmiley(buffer, caption); });
    m_state.smileyCaption = smileyButtonCaption(caption);
    m_smileyButton->setText(m_state.smileyCaption);
}
