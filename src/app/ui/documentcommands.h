// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/actiontable.h"
#include "base/document.h"
#include "editor/colors.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <optional>

class DocumentHost;
class JournalCommands;
struct JournalEntry;
class QLabel;
class QLineEdit;
class QTabWidget;
class QToolBar;
class QWidget;
class TColorBox;
class TDocumentPage;

// The document pages and their commands: the page control that holds them, creating, opening, saving and
// closing pages, the save question, the recent files, the title and background boxes of the document
// toolbar, and what runs whenever another page becomes active. The main window owns it.
class DocumentCommands : public QObject
{
    Q_OBJECT
public:
    explicit DocumentCommands(DocumentHost &host);
    ~DocumentCommands() override;

    // The page control FilePages, for the window's centre; made once.
    QTabWidget *createPageControl(QWidget *parent);
    // The document toolbar's label, title box and colour box.
    QWidget *toolWidget(ActionTable::ToolWidget which, QToolBar *bar);
    // Connects the page commands to their actions and menus.
    void connectActions();

    QTabWidget *filePages() const { return FilePages; }
    QLineEdit *docTitle() const { return DocTitle; }
    TColorBox *backColor() const { return BackColor; }
    TDocumentPage *activePage() const;
    TDocumentPage *page(int index) const;
    int pageCount() const;
    // The open page of that document; null when it has been closed.
    TDocumentPage *pageOf(DocumentId id) const;
    // A new untitled page holding text, coloured and marked modified, as a page fetched or converted is.
    bool openNewPage(const QString &text, bool windowVisible, bool focusEditor);
    // Before a run over files: the modified open pages among them are offered for saving; false on Cancel.
    bool offerSavingPages(const QStringList &files);
    // After a run over files: the unmodified open pages among them read their files again.
    void reloadPages(const QStringList &files);
    // The open pages among files, compared as the file system would find them.
    QList<TDocumentPage *> pagesOf(const QStringList &files) const;
    // UntitledCount: the number of the last "Untitled" page.
    void setUntitledCount(int count) { UntitledCount = count; }
    void rebuildRecentMenu();

    void NewClick();
    void OpenClick();
    void SaveClick();
    void SaveAs1Click();
    void Close1Click();
    void RecentClick(int n);
    void CutClick();
    void CopyClick();
    void PasteClick();
    void File1Click();
    void FilePagesChange();
    // The parts of Refresh that exist: settings, title and caption.
    void Refresh();

    // Opens path into a page, or activates the page that has it. False when no page shows the file.
    bool openFileIntoPage(const QString &path);
    // True when the caller may go on: the page was saved, or the user chose No.
    bool saveQuestion();
    void readTitleIntoBox();
    // The title and background boxes shown as the active page's text has them now (after Undo, say);
    // the text is not changed.
    void refreshBoxes();
    void placeCaret(TDocumentPage *page);
    // Shows the page-limit message and returns true when no more documents may be opened.
    bool refusePageLimit();
    // Makes page the active one and runs the page change.
    void activate(TDocumentPage *page);

    void DocTitleEnter();
    void DocTitleChange();
    void DocTitleReturn();
    void DocTitleExit();
    void BackColorColorChange(TColor color);

    // The recovery journal of the pages' unsaved changes.
    JournalCommands &journal() const { return *m_journal; }
    // Offers the journals a crashed window left, once the start-up is done.
    void offerRecoveryLater();
    // Opens a journal's text as a modified page: in the page that shows its file, or a new one (an
    // untitled page gets a new number). Null at the page limit.
    TDocumentPage *openRecovered(const JournalEntry &entry);
    // The page's tab text.
    QString captionOf(TDocumentPage *page) const;

Q_SIGNALS:
    // A page is about to close: what the undo list holds of it goes.
    void pageClosing(DocumentId page);
    // The page change has begun: a typing burst ends with it.
    void pageChanging();
    // The active page's caret stands on this line and column, both from 1.
    void caretMoved(int line, int column);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TDocumentPage *createPage(const QString &caption);
    // The tab shows the page's file name, its tooltip the full path.
    void nameTab(TDocumentPage *page);
    void reportCaret(TDocumentPage *page);
    // Writes the page's text. When its 8-bit encoding cannot hold it, a page that declares that charset
    // is asked whether to write character references or convert to UTF-8 (declarations included); any
    // other is asked whether to change to UTF-8. Says why on failure and returns false, leaving the page
    // modified.
    bool writePage(TDocumentPage *page, const QString &path);
    // Asks for a file name for Save As or the save question; nothing on Cancel or a refused overwrite.
    std::optional<QString> askSaveName(bool askSimilar);
    void addRecent(const QString &path);
    // Save's author tag, then the write; false when the write failed.
    bool saveWithAuthor(TDocumentPage *page, const QString &path);

    DocumentHost &m_host;
    QTabWidget *FilePages = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLineEdit *DocTitle = nullptr;
    TColorBox *BackColor = nullptr;
    int UntitledCount = 0;
    // True while a command adds, removes or activates pages itself and runs the page change when done.
    bool m_changingPages = false;
    int m_titleStart = -1;
    // Pages whose user chose to keep them 8-bit with character references: later saves do so unasked.
    QSet<DocumentId> m_writesReferences;
    std::unique_ptr<JournalCommands> m_journal;
};
