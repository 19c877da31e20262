// SPDX-License-Identifier: GPL-3.0-or-later
#include "formattingcommands.h"

#include "app/productstrings.h"
#include "app/prompter.h"
#include "documentcommands.h"
#include "documentpage.h"
#include "editor/ui/colourbutton.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "icons.h"
#include "mainform.h"

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

using namespace TagCommands;

namespace {

// Short faces for the toolbar buttons that have no drawn icon.
QString buttonText(const QString &objectName)
{
    static const QHash<QString, QString> texts = {
        { QStringLiteral("Left1"), QStringLiteral("Left") },
        { QStringLiteral("Right1"), QStringLiteral("Right") },
        { QStringLiteral("Center1"), QStringLiteral("Center") },
        { QStringLiteral("Justify1"), QStringLiteral("Justify") },
        { QStringLiteral("StrikeThrough"), QStringLiteral("S") },
        { QStringLiteral("Superscript"), QStringLiteral("x\u00b2") },
        { QStringLiteral("Subscript"), QStringLiteral("x\u2082") },
        { QStringLiteral("TypewriterText"), QStringLiteral("TT") },
        { QStringLiteral("Comment"), QStringLiteral("<!--") },
        { QStringLiteral("StandardTags"), QStringLiteral("<html>") },
        { QStringLiteral("BaseFont1"), QStringLiteral("Base") },
    };
    return texts.value(objectName);
}

} // namespace

FormattingCommands::FormattingCommands(TMainForm &form)
    : m_form(form)
{ }

TagStyle FormattingCommands::style() const
{
    const EditorSettings &settings = m_form.editorSettings();
    return { settings.upper, settings.names, settings.logicalFonts };
}

void FormattingCommands::createActions()
{
    m_colourButton = new TColourButton(&m_form);
    connect(m_colourButton, &TColourButton::colourChosen, this, [this](TColor colour) {
        run(QStringLiteral("Colour"), [this, colour](SourceBuffer &buffer) {
            return TagCommands::insertFormatTag(buffer, colourTags(colour, style()));
        });
    });

    for (const TagCommand &command : tagCommands()) {
        if (command.objectName == u"MoreColors1")
            continue; // the colour button's own drop-down holds it
        QAction *action = m_form.action(command.objectName);
        if (!action) {
            action = new QAction(command.caption, &m_form);
            action->setObjectName(command.objectName);
        }
        action->setText(command.caption);
        if (command.hasShortcut())
            action->setShortcut(QKeySequence(command.shortcut));
        static const QHash<QString, QString> icons = { { QStringLiteral("Bold"), QStringLiteral("bold") },
            { QStringLiteral("Italic"), QStringLiteral("italic") },
            { QStringLiteral("Underline"), QStringLiteral("underline") },
            { QStringLiteral("HorizontalLine"), QStringLiteral("line") } };
        if (icons.contains(command.objectName))
            action->setIcon(Icons::icon(icons.value(command.objectName)));
        const QString face = buttonText(command.objectName);
        if (!face.isEmpty() && action->icon().isNull())
            action->setIconText(face);

        const QString name = command.objectName;
        switch (command.kind) {
        case CommandKind::Later:
            action->setEnabled(false);
            break;
        case CommandKind::Wrap:
            connect(action, &QAction::triggered, this, [this, name] { runCommand(*findCommand(name)); });
            break;
        case CommandKind::Special:
            if (name == u"Colour1")
                connect(action, &QAction::triggered, m_colourButton, &TColourButton::chooseMoreColours);
            else if (name == u"StandardTags")
                connect(action, &QAction::triggered, this, &FormattingCommands::StandardTagsClick);
            else if (name == u"StripTags1")
                connect(action, &QAction::triggered, this, &FormattingCommands::StripTagsClick);
            else if (name == u"StaticDateTime1")
                connect(action, &QAction::triggered, this, [this] { DateTimeClick(DateTimeMode::Static); });
            else if (name == u"AutoDateTime1")
                connect(action, &QAction::triggered, this, [this] { DateTimeClick(DateTimeMode::Script); });
            else if (name == u"Upper1" || name == u"Lower1") {
                const LetterCase letterCase = name == u"Upper1" ? LetterCase::Upper : LetterCase::Lower;
                connect(action, &QAction::triggered, this, [this, letterCase] {
                    run(QStringLiteral("Change Case"),
                        [letterCase](SourceBuffer &buffer) { return changeCase(buffer, letterCase); });
                });
            }
            break;
        }
    }
}

QMenu *FormattingCommands::menuAt(const QString &path)
{
    const QStringList parts = path.split(u'/');
    QMenu *menu = nullptr;
    QList<QAction *> siblings = m_form.menuBar()->actions();
    for (const QString &title : parts) {
        QMenu *found = nullptr;
        for (QAction *action : siblings) {
            if (action->menu() && action->text() == title)
                found = action->menu();
        }
        if (!found) {
            if (!menu) {
                // New top-level menus stand before Help, which stays last.
                found = new QMenu(title, &m_form);
                m_form.menuBar()->insertMenu(siblings.constLast(), found);
            } else {
                found = menu->addMenu(title);
            }
        }
        menu = found;
        siblings = menu->actions();
    }
    return menu;
}

void FormattingCommands::createMenus()
{
    // The menu bar reads File, Edit, View, Insert, Format, Help.
    menuAt(QStringLiteral("&Insert"));
    menuAt(QStringLiteral("&Format"));
    bool editSeparated = false;
    for (const TagCommand &command : tagCommands()) {
        if (command.menu.isEmpty())
            continue;
        QAction *action = m_form.action(command.objectName);
        if (command.menu == u"HTMLPopup") {
            m_form.htmlPopup()->addAction(action);
            continue;
        }
        QMenu *menu = menuAt(command.menu);
        if (command.menu.startsWith(QStringLiteral("&Edit")) && !editSeparated) {
            menuAt(QStringLiteral("&Edit"))->addSeparator();
            editSeparated = true;
        }
        menu->addAction(action);
    }
    menuAt(QStringLiteral("&Format"))
        ->insertAction(m_form.action(QStringLiteral("BaseFont1")), m_form.action(QStringLiteral("Colour1")));
}

void FormattingCommands::createToolbarControls()
{
    QToolBar *formatting = m_form.toolbar(QStringLiteral("FormattingToolbar"));
    QToolBar *html = m_form.toolbar(QStringLiteral("HTMLToolbar"));

    m_fontName = m_form.findChild<QComboBox *>(QStringLiteral("FontName"));
    m_fontSize = m_form.findChild<QComboBox *>(QStringLiteral("FontSize"));
    m_styleBox = m_form.findChild<QComboBox *>(QStringLiteral("StyleCombo"));
    const auto connectBox = [this](QComboBox *box, const char *step,
                                const std::function<std::optional<WrapTags>(int, const QString &)> &tags) {
        box->setEnabled(true);
        connect(box, &QComboBox::activated, this, [this, box, step, tags](int index) {
            const QString item = box->itemText(index);
            // The step is recorded before the item is looked at, so a default item records an empty step.
            run(QString::fromLatin1(step), [tags, index, item](SourceBuffer &buffer) {
                const std::optional<WrapTags> wrap = tags(index, item);
                return wrap ? TagCommands::insertFormatTag(buffer, *wrap) : EditResult {};
            });
        });
    };
    connectBox(m_fontName, "Font", [this](int, const QString &item) { return fontNameTags(item, style()); });
    connectBox(m_fontSize, "Size", [this](int, const QString &item) { return fontSizeTags(item, style()); });
    connectBox(m_styleBox, "Style",
        [this](int index, const QString &item) { return styleTags(index, item, style()); });

    m_colourButton->setObjectName(QStringLiteral("ColourButton"));
    formatting->addWidget(m_colourButton);
    const auto addButton = [this](QToolBar *bar, const TagCommand &command) {
        QAction *action = m_form.action(command.objectName);
        bar->addAction(action);
        bar->widgetForAction(action)->setObjectName(command.button);
    };
    for (const TagCommand &command : tagCommands()) {
        if (command.button.isEmpty() || m_form.findChild<QToolButton *>(command.button))
            continue;
        addButton(command.menu == u"&Insert" ? html : formatting, command);
    }

    m_dateTimeButton = new QToolButton(html);
    m_dateTimeButton->setObjectName(QStringLiteral("DateTimeButton"));
    m_dateTimeButton->setText(QStringLiteral("Date"));
    m_dateTimeButton->setToolTip(QStringLiteral("Date and Time"));
    auto *dateMenu = new QMenu(m_dateTimeButton);
    dateMenu->addAction(m_form.action(QStringLiteral("StaticDateTime1")));
    dateMenu->addAction(m_form.action(QStringLiteral("AutoDateTime1")));
    m_dateTimeButton->setMenu(dateMenu);
    m_dateTimeButton->setPopupMode(QToolButton::MenuButtonPopup);
    connect(m_dateTimeButton, &QToolButton::clicked, this, [this] { DateTimeClick(m_state.dateTimeMode); });
    html->addWidget(m_dateTimeButton);

    m_smileyButton = new QToolButton(html);
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
    html->addWidget(m_smileyButton);
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

void FormattingCommands::run(const QString &undoStep, const Edit &edit)
{
    EditorBusy &busy = m_form.editorBusy();
    if (busy.isSet())
        return;
    runGuarded(m_form.prompter(), busy, 2, [&] {
        TDocumentPage *page = m_form.activePage();
        if (!page)
            return;
        if (!undoStep.isEmpty())
            m_form.recordUndoStep(undoStep);
        TSourceEditor *editor = page->editor();
        const int firstLine = editor->firstVisibleLine();
        EditResult result;
        {
            const EditorBusy::Hold hold(busy);
            result = edit(page->buffer());
        }
        if (result.recolours() && m_form.editorSettings().colours.formatting)
            m_form.FormatTags(result.recolourStart, result.recolourEnd);
        if (result.changed)
            m_form.markModified();
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
    if (!m_form.activePage())
        return;
    run(QStringLiteral("Standard Tags"),
        [this](SourceBuffer &buffer) { return standardTags(buffer, style()); });
    m_form.prompter().inform(Product::caption(), standardTagsMessage(), PromptIcon::Information);
    m_form.documents().FilePagesChange();
}

void FormattingCommands::StripTagsClick()
{
    if (!m_form.activePage()
        || m_form.prompter().message(
               Product::caption(), stripTagsQuestion(), PromptButtons::YesNo, PromptIcon::Warning)
            != PromptAnswer::Yes)
        return;
    run(QStringLiteral("Strip Tags"), [](SourceBuffer &buffer) { return stripAllTags(buffer); });
    for (const QString &name : stripTagsDisabledControls()) {
        if (auto *action = m_form.findChild<QAction *>(name))
            action->setEnabled(false);
        else if (auto *widget = m_form.findChild<QWidget *>(name))
            widget->setEnabled(false);
    }
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
