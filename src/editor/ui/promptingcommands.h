// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/document.h"
#include "editor/prompting.h"
#include "editor/ui/promptlist.h"

#include <QObject>

#include <array>

class EditorHost;
class QKeyEvent;
class QLabel;
class QTimer;

// Prompting in the main window: the six pop-up lists at the caret, the attribute ticker in status panel
// 5 and the key handler's prompting step. The state machine is Prompting's; this unit feeds it the keys
// and the colouring of the active page, writes through the page's buffer and shows what it says. Owned
// by the main window, whose children the lists are.
class PromptingCommands : public QObject
{
    Q_OBJECT
public:
    explicit PromptingCommands(EditorHost &host);
    ~PromptingCommands() override;

    // The prompting step of the key handler, for a key pressed in the active editor while Use Prompting
    // is set. Returns true when the key is swallowed (the editor must not see it).
    bool keyPress(const QKeyEvent *event);
    // Hides every pop-up list; typing in the tag is still followed (a click in the editor, Escape).
    void hideLists();
    // Chooses the selected item of the visible list (its double click, Enter, Tab).
    void chooseFromList();
    // Scrolls the ticker one character to the left.
    void TagStructureTimerTimer();

    Prompting &prompting() { return m_prompting; }
    TPromptList *list(PromptList which) const;
    QTimer *tagStructureTimer() const { return m_tagStructureTimer; }
    // Replaces the colour dialog of "More Colors..." (tests answer it).
    void setColorChooser(const TPromptList::ColorChooser &chooser);

private:
    void sync(bool opened);
    void fill(TPromptList *list, PromptList which);
    void placeList(TPromptList *list);
    void moveSelection(int rows);
    void applyEdit(int start, int end);
    void startTicker(const QString &structure);
    void stopTicker();
    QLabel *tickerPanel() const;
    PromptingOptions options() const;

    EditorHost &m_host;
    Prompting m_prompting;
    std::array<TPromptList *, 6> m_lists {}; // by PromptList, less None
    QTimer *m_tagStructureTimer;
    DocumentId m_document = 0; // the page the prompting state belongs to
    bool m_fontsLoaded = false;
};
