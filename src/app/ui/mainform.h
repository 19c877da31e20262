// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ui/documentcommands.h"
#include "app/ui/documenthost.h"
#include "app/ui/undocommands.h"
#include "base/errorguard.h"
#include "base/programfolder.h"
#include "base/settingsstore.h"
#include "base/ui/actionset.h"
#include "editor/editorsettings.h"
#include "editor/tagdatabase.h"
#include "editor/ui/spellingcommands.h"
#include "site/ui/sitehost.h"
#include "tools/ui/toolhost.h"

#include <QMainWindow>

#include <memory>

class DialogCommands;
class DropCommands;
class ExtensionCommands;
class FormattingCommands;
class PromptingCommands;
class PreviewCommands;
class OptionCommands;
class LeftPane;
class QLabel;
class QProgressBar;
class SearchCommands;
class HelpCommands;
class SiteCommands;
class StatusPanels;
class TQtPrompter;
class TSplashForm;
class TagEditorCommands;
class ToolCommands;
class TypingAids;

// The units that hold the window's commands, each with its subject; the window owns them.
struct MainCommands
{
    DocumentCommands &documents;
    UndoCommands &undo;
    FormattingCommands &formatting;
    SearchCommands &search;
    SpellingCommands &spelling;
    PromptingCommands &prompting;
    TypingAids &typing;
    TagEditorCommands &tagEditor;
    DropCommands &drops;
    SiteCommands &site;
    HelpCommands &help;
    PreviewCommands &preview;
    OptionCommands &options;
    ExtensionCommands &extensions;
};

// The program's frame: it builds the menus, toolbars, left pane and status bar from the action table,
// owns the command units and the state they share (settings, tag tables, the busy flag), and offers
// them the narrow hosts they are written against. The handlers whose names the design fixes forward to
// the units.
class TMainForm : public QMainWindow, public DocumentHost, public SiteHost, public ToolHost
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
    void NewClick() { m_documents->NewClick(); }
    void OpenClick() { m_documents->OpenClick(); }
    void SaveClick() { m_documents->SaveClick(); }
    void SaveAs1Click() { m_documents->SaveAs1Click(); }
    void Close1Click() { m_documents->Close1Click(); }
    void RecentClick(int n) { m_documents->RecentClick(n); }
    void CutClick() { m_documents->CutClick(); }
    void CopyClick() { m_documents->CopyClick(); }
    void PasteClick() { m_documents->PasteClick(); }
    void Exit1Click();
    void WordWrap1Click();
    void File1Click() { m_documents->File1Click(); }
    void FilePagesChange() { m_documents->FilePagesChange(); }
    void About1Click();
    void RefreshClick();
    void UndoClick() { m_undo->UndoClick(); }
    void RedoClick() { m_undo->RedoClick(); }
    void TypingTimerTimer() { m_undo->TypingTimerTimer(); }
    void SpellingClick() { m_spelling->SpellingClick(); }

    MainCommands commands() const;
    TDocumentPage *activePage() const;
    TDocumentPage *page(int index) const;
    int pageCount() const;
    TSourceEditor *htmlSource() const { return HTMLSource; }
    QString currentFileName() const { return CurrentFileName; }
    QString statusPanelText(int panel) const;
    // Host methods the window's owner reads too.
    SettingsStore &settings() override { return m_settings; }
    const EditorSettings &editorSettings() const override { return m_editorSettings; }
    const TagDatabase &tagDatabase() const override { return m_tagDatabase; }
    bool siteChanged() const override { return SiteChanged; }
    void markSaved() override;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    QMenu *createPopupMenu() override;

private:
    // CommandHost
    Prompter &prompter() override { return *m_prompter; }
    EditorBusy &editorBusy() override { return m_editorBusy; }
    QString programFolder() const override { return ProgramFolder::path(); }
    QAction *action(ActionId id) const override { return m_actions->action(id); }
    QMenu *menu(ActionTable::MenuId id) const override { return m_actions->menu(id); }
    QToolBar *makeToolbar(ActionTable::ToolbarId id, QWidget *parent) override;
    QWidget *dialogParent() override { return this; }
    void showStatusNote(const QString &text) override;
    // EditorHost
    TSourceEditor *activeEditor() const override { return HTMLSource; }
    EditorBuffer *activeBuffer() const override;
    TColouringView *activeColouring() const override;
    const Document *activeDocument() const override;
    bool activateDocument(DocumentId id) override;
    void recordUndoStep(const QString &name) override { m_undo->recordUndoStep(name); }
    void typingKeyPress() override { m_undo->typingKeyPress(); }
    void markModified() override;
    void FormatTags(int start, int end) override;
    void documentTextReplaced() override;
    void documentControlsChanged() override { m_documents->FilePagesChange(); }
    void disableTitleAndBodyControls() override;
    void updatePreview() override;
    void updateEditMenu() override;
    EditorEvents &events() override { return m_events; }
    void showTagEditorPage() override;
    QLabel *statusPanel(int panel) const override;
    QRect pageArea() const override;
    // DocumentHost
    void applyEditorSettings(TDocumentPage *page) override;
    void setHTMLSource(TDocumentPage *page) override;
    void loadSettings() override;
    void updateCaption() override;
    void rebuildStyleList() override;
    bool startupComplete() const override { return m_startupComplete; }
    // SiteHost
    std::optional<QString> activePageText() const override;
    std::optional<QString> activeFilePath() const override;
    std::optional<QString> saveActivePageAs() override;
    void openPage(const QString &path) override;
    void setSiteChanged(bool changed) override;
    // ToolHost
    bool openNewPage(const QString &text) override;
    bool offerSavingPages(const QStringList &files) override;
    void reloadPages(const QStringList &files) override;
    void showProgress(int done, int total) override;

    void createToolbars();
    bool wordWrap() const;
    void connectActions();
    QWidget *toolWidget(ActionTable::ToolWidget which, QToolBar *bar);
    void restoreWindowPosition();
    void setSplash(TSplashForm *splash, int position, const QString &label);

    SettingsStore m_settings;
    std::unique_ptr<TQtPrompter> m_ownPrompter;
    Prompter *m_prompter;
    EditorBusy m_editorBusy;
    EditorSettings m_editorSettings;
    TagDatabase m_tagDatabase;
    EditorEvents m_events;
    ActionSet *m_actions;
    std::unique_ptr<DocumentCommands> m_documents;
    std::unique_ptr<UndoCommands> m_undo;
    std::unique_ptr<FormattingCommands> m_formatting;
    std::unique_ptr<SearchCommands> m_search;
    std::unique_ptr<SpellingCommands> m_spelling;
    std::unique_ptr<PromptingCommands> m_prompting;
    std::unique_ptr<TypingAids> m_typing;
    std::unique_ptr<TagEditorCommands> m_tagEditor;
    std::unique_ptr<DropCommands> m_drops;
    std::unique_ptr<SiteCommands> m_site;
    std::unique_ptr<HelpCommands> m_help;
    std::unique_ptr<PreviewCommands> m_preview;
    std::unique_ptr<OptionCommands> m_options;
    std::unique_ptr<DialogCommands> m_dialogs;
    std::unique_ptr<ExtensionCommands> m_extensions;
    std::unique_ptr<ToolCommands> m_tools;

    TSourceEditor *HTMLSource = nullptr;
    QString CurrentFileName;
    bool SiteChanged = false;
    bool m_startupComplete = false;
    bool m_activatedOnce = false;
    bool m_shownOnce = false;
    bool m_previewAvailable = false;

    LeftPane *m_leftPane = nullptr;
    QProgressBar *StatusProgressBar = nullptr;
    std::unique_ptr<StatusPanels> m_statusPanels;
};
