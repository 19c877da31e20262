// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/errorguard.h"
#include "app/settingsstore.h"
#include "app/undolist.h"
#include "editor/colors.h"
#include "editor/tagdatabase.h"
#include "editor/ui/colouringview.h"

#include <QMainWindow>

#include <memory>

class DocumentCommands;
class DropCommands;
class FormattingCommands;
class TagEditorCommands;
class PromptingCommands;
class Prompter;
class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QTabWidget;
class QTimer;
class QToolBar;
class QTreeWidget;
class SearchCommands;
class SpellingCommands;
class SiteCommands;
class TColorBox;
class TDocumentPage;
class TSourceEditor;
class TSplashForm;
class TypingAids;

// The colours and switches copied from the Colors and Editor keys by the settings load.
struct EditorSettings
{
    ColourSet colours; // with the Formatting and Use Doc Settings switches
    bool names = true;
    bool upper = false;
    QString fontName;
    int fontSize = 10;
    QString onReturn;
    bool usePrompting = true;
    bool tagCompletion = true;
    bool tagStructure = true;
    bool tagEdit = true;
    bool tagInfo = true;
    bool updatePreview = false;
    bool logicalFonts = false;
    bool shortcuts = true;
};

// The program's frame: menus, toolbars, the left pane, the status bar and the document pages it owns.
// The commands live with their subjects (DocumentCommands for the pages); the handlers here forward.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    // prompter may be null: the window then asks through real message boxes and file dialogs.
    explicit TMainForm(
        const SettingsStore &settings, Prompter *prompter = nullptr, QWidget *parent = nullptr);
    ~TMainForm() override;

    // The start-up work done before the window is first shown; arguments are the command line less the
    // program's name. The splash, when given, shows the progress.
    void FormCreate(const QStringList &arguments, TSplashForm *splash = nullptr);
    void FormShow();
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();

    // Handlers of the menus and toolbars.
    void NewClick();
    void OpenClick();
    void SaveClick();
    void SaveAs1Click();
    void Close1Click();
    void RecentClick(int n);
    void CutClick();
    void CopyClick();
    void PasteClick();
    void Exit1Click();
    void WordWrap1Click();
    void File1Click();
    void FilePagesChange();
    void About1Click();
    void RefreshClick();
    void UndoClick();
    void RedoClick();
    void TypingTimerTimer();
    // Opens or continues the typing burst: its first key records the "Typing" undo step.
    void typingKeyPress();
    void SpellingClick();

    // Shared operations.
    void loadSettings();
    void rebuildRecentMenu();
    void updateEditMenu();
    void updateCaption();
    void markModified();
    void markSaved();
    // Calls that stand where colouring, undo and preview hang off the document commands.
    void FormatTags(int start, int end);
    void recordUndoStep(const QString &name);
    void removePageUndoRecords(TDocumentPage *page);
    void endTypingBurst();
    void updateUndoControls();
    const UndoList &undoList() const { return m_undoList; }
    QTimer *typingTimer() const { return TypingTimer; }
    void updatePreview();
    void rebuildStyleList();
    bool isColouringRunning() const { return false; }

    // State every command reads.
    SettingsStore &settings() { return m_settings; }
    Prompter &prompter() { return *m_prompter; }
    EditorBusy &editorBusy() { return m_editorBusy; }
    const EditorSettings &editorSettings() const { return m_editorSettings; }
    QTabWidget *filePages() const { return FilePages; }
    TDocumentPage *activePage() const;
    TDocumentPage *page(int index) const;
    int pageCount() const;
    TSourceEditor *htmlSource() const { return HTMLSource; }
    QString currentFileName() const { return CurrentFileName; }
    void setCurrentFileName(const QString &name) { CurrentFileName = name; }
    bool startupComplete() const { return m_startupComplete; }
    int untitledCount() const { return UntitledCount; }
    int nextUntitledNumber() { return ++UntitledCount; }
    bool siteChanged() const { return SiteChanged; }
    // Sets SiteChanged and shows it in status panel 2.
    void setSiteChanged(bool changed);
    bool wordWrap() const;
    QLineEdit *docTitle() const { return DocTitle; }
    TColorBox *backColor() const { return BackColor; }
    QString statusPanelText(int panel) const;
    DocumentCommands &documents() { return *m_documents; }
    FormattingCommands &formatting() { return *m_formatting; }
    TypingAids &typing() { return *m_typing; }
    SearchCommands &search() { return *m_search; }
    DropCommands &drops() { return *m_drops; }
    SpellingCommands &spelling() { return *m_spelling; }
    TagEditorCommands &tagEditor() { return *m_tagEditor; }
    PromptingCommands &prompting() { return *m_prompting; }
    SiteCommands &site() { return *m_site; }
    // The HTML vocabulary, read at start-up; empty until then.
    const TagDatabase &tagDatabase() const { return m_tagDatabase; }
    QMenu *htmlPopup() const { return HTMLPopup; }
    // Applies the editor settings (font, colours, word wrap) to a page's editor.
    void applyEditorSettings(TDocumentPage *page);
    void setHTMLSource(TDocumentPage *page);
    QAction *action(const QString &objectName) const;
    QToolBar *toolbar(const QString &objectName) const;
    QMenu *toolbarPopup() const { return ToolbarPopup; }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    QMenu *createPopupMenu() override;

private:
    void createActions();
    void createMenus();
    void createToolbars();
    void createLeftPane();
    void createStatusBar();
    void applyToolbarHints();
    UndoState undoState(TDocumentPage *page) const;
    TDocumentPage *pageWithUndoId(UndoPageId id) const;
    void applyRestore(const UndoRestore &restore);
    void restoreWindowPosition();
    void setSplash(TSplashForm *splash, int position, const QString &label);
    QAction *makeAction(const QString &objectName, const QString &text, const QString &icon = QString());

    SettingsStore m_settings;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter *m_prompter;
    EditorBusy m_editorBusy;
    EditorSettings m_editorSettings;
    UndoList m_undoList;
    TagDatabase m_tagDatabase;
    QTimer *TypingTimer = nullptr;
    std::unique_ptr<DocumentCommands> m_documents;
    std::unique_ptr<FormattingCommands> m_formatting;
    std::unique_ptr<TypingAids> m_typing;
    std::unique_ptr<SearchCommands> m_search;
    std::unique_ptr<DropCommands> m_drops;
    std::unique_ptr<SpellingCommands> m_spelling;
    std::unique_ptr<TagEditorCommands> m_tagEditor;
    std::unique_ptr<PromptingCommands> m_prompting;
    std::unique_ptr<SiteCommands> m_site;

    QTabWidget *FilePages = nullptr;
    TSourceEditor *HTMLSource = nullptr;
    QString CurrentFileName;
    int UntitledCount = 0;
    bool SiteChanged = false;
    bool m_startupComplete = false;
    bool m_activatedOnce = false;
    bool m_shownOnce = false;
    bool m_previewAvailable = false;
    QStringList m_tempFileNames;

    QMenu *FileMenu = nullptr;
    QMenu *EditMenu = nullptr;
    QMenu *ViewMenu = nullptr;
    QMenu *ToolbarPopup = nullptr;
    QMenu *FilePagesPopup = nullptr;
    QMenu *HTMLPopup = nullptr;
    QAction *MenuItem15 = nullptr;
    QList<QAction *> m_recentActions;
    QActionGroup *m_leftPaneGroup = nullptr;

    QToolBar *StdToolbar = nullptr;
    QToolBar *FormattingToolbar = nullptr;
    QToolBar *DocumentToolbar = nullptr;
    QToolBar *HTMLToolbar = nullptr;
    QList<QAction *> m_hintedButtons;
    QLineEdit *DocTitle = nullptr;
    TColorBox *BackColor = nullptr;

    QTabWidget *ToolPages = nullptr;
    QTreeWidget *SiteTree = nullptr;
    QTreeWidget *CodeTree = nullptr;

    QList<QLabel *> m_statusPanels;
    QLabel *TypingImg = nullptr;
    QLabel *NoTypeImg = nullptr;
    QLabel *PageImage = nullptr;
    QProgressBar *StatusProgressBar = nullptr;
};
