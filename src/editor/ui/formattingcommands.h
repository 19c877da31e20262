// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/tagcommands.h"

#include <QObject>

#include <functional>

class EditorHost;
class QAction;
class QComboBox;
class QToolBar;
class QToolButton;
class QWidget;
class SourceBuffer;
class TColourButton;

// The commands that write markup around the selection or change it whole: the Format and Insert menus,
// Strip Tags and Change Case of the Edit menu, and the formatting toolbar's boxes and buttons. The logic is
// TagCommands'; this unit records the undo step, runs it and applies its result. Owned by the main window,
// which builds the menus and buttons from the action table.
class FormattingCommands : public QObject
{
    Q_OBJECT
public:
    explicit FormattingCommands(EditorHost &host);

    // Connects the command table's actions; before the toolbars are made.
    void connectActions();
    // The formatting and HTML toolbars' boxes and drop-down buttons.
    QWidget *toolWidget(ActionTable::ToolWidget which, QToolBar *bar);
    // Fills the font and style boxes (start-up and after the style list changes).
    void fillBoxes(const QStringList &styleClasses = {});
    // The style box lists the active page's style classes after the fixed items.
    void rebuildStyleList();

    TagCommands::FormattingState &state() { return m_state; }
    TColourButton *colourButton() const { return m_colourButton; }

    // InsertFormatTag for other units: wraps the selection, recolours and marks the page modified.
    void insertFormatTag(const QString &start, const QString &end);

private:
    using Edit = std::function<TagCommands::EditResult(SourceBuffer &)>;
    // Records the undo step (when named), runs the edit guarded and applies its result.
    void run(const QString &undoStep, const Edit &edit);
    void runCommand(const TagCommands::TagCommand &command);
    void connectSpecial(ActionId id, QAction *action);
    QComboBox *makeBox(QToolBar *bar, const char *name, int width, const char *step,
        const std::function<std::optional<TagCommands::WrapTags>(int, const QString &)> &tags);
    QToolButton *makeSmileyButton(QToolBar *bar);
    void StandardTagsClick();
    void StripTagsClick();
    void DateTimeClick(TagCommands::DateTimeMode mode);
    void SmileyClick(const QString &caption, bool fromButton);
    TagCommands::TagStyle style() const;

    EditorHost &m_host;
    TagCommands::FormattingState m_state;
    TColourButton *m_colourButton = nullptr;
    QToolButton *m_dateTimeButton = nullptr;
    QToolButton *m_smileyButton = nullptr;
    QComboBox *m_fontName = nullptr;
    QComboBox *m_fontSize = nullptr;
    QComboBox *m_styleBox = nullptr;
};
