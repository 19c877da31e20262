// SPDX-License-Identifier: GPL-3.0-or-later
#include "journalcommands.h"

#include "documentcommands.h"
#include "documentpage.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

JournalCommands::JournalCommands(DocumentCommands &documents, const QString &folder)
    : m_documents(documents)
    , m_journal(std::make_unique<RecoveryJournal>(folder))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(delayMs);
    connect(&m_timer, &QTimer::timeout, this, &JournalCommands::writeChanged);
}

JournalCommands::~JournalCommands() = default;

void JournalCommands::watch(TDocumentPage *page)
{
    connect(page->editor(), &QsciScintillaBase::SCN_MODIFIED, this,
        [this, page](int position, int type, const char *, int length, int, int, int, int, int, int) {
            // The editor announces only the edits it is about to make; the timer reads the text after them.
            const bool inserting = type & QsciScintillaBase::SC_MOD_BEFOREINSERT;
            if (!inserting && !(type & QsciScintillaBase::SC_MOD_BEFOREDELETE))
                return;
            m_changed.insert(page);
            if (!m_timer.isActive())
                m_timer.start();
            const auto log = m_logs.find(page);
            if (log == m_logs.end() || !log->base.isValid())
                return;
            takeInsertion(page, *log);
            if (inserting) {
                log->insertPosition = position;
                log->insertLength = length;
            } else {
                log->edits.append({ position, length, {} });
            }
        });
    connect(page, &QObject::destroyed, this, [this, page] {
        m_changed.remove(page);
        m_logs.remove(page);
    });
}

void JournalCommands::takeInsertion(TDocumentPage *page, EditLog &log)
{
    if (log.insertLength <= 0)
        return;
    const QByteArrayView text(
        reinterpret_cast<const char *>(page->editor()->SendScintilla(QsciScintillaBase::SCI_GETRANGEPOINTER,
            static_cast<unsigned long>(log.insertPosition), long(log.insertLength))),
        log.insertLength);
    QList<JournalEdit> &edits = log.edits;
    // Typing goes into one edit while it runs on.
    if (!edits.isEmpty() && edits.last().removed == 0
        && edits.last().position + edits.last().inserted.size() == log.insertPosition)
        edits.last().inserted.append(text);
    else
        edits.append({ log.insertPosition, 0, text.toByteArray() });
    log.insertLength = 0;
}

void JournalCommands::forget(TDocumentPage *page)
{
    m_changed.remove(page);
    // The edits already written go with the journal, so the rest no longer make a whole.
    m_logs.remove(page);
    m_journal->remove(page->undoId());
}

void JournalCommands::baseline(TDocumentPage *page, const QString &file)
{
    const QFileInfo info(file);
    EditLog log;
    log.base = { info.size(), info.lastModified().toMSecsSinceEpoch(),
        qint64(page->editor()->SendScintilla(QsciScintillaBase::SCI_GETLENGTH)) };
    m_logs.insert(page, log);
}

void JournalCommands::writeChanged()
{
    m_timer.stop();
    const QSet<TDocumentPage *> changed = std::exchange(m_changed, {});
    for (TDocumentPage *page : changed) {
        if (!page->isModified()) {
            m_journal->remove(page->undoId());
            continue;
        }
        JournalEntry entry;
        entry.fileName = page->isUntitled() ? QString() : page->fileName();
        entry.caption = m_documents.captionOf(page);
        entry.format = page->format();
        entry.time = QDateTime::currentDateTime();
        const auto log = m_logs.find(page);
        if (log != m_logs.end())
            takeInsertion(page, *log);
        const qint64 bytes = page->editor()->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
        if (bytes > snapshotLimit && log != m_logs.end() && log->base.isValid()
            && !entry.fileName.isEmpty()) {
            if (log->begun) {
                m_journal->append(page->undoId(), std::exchange(log->edits, {}));
            } else {
                entry.base = log->base;
                entry.edits = std::exchange(log->edits, {});
                m_journal->write(page->undoId(), std::move(entry));
                log->begun = true;
            }
            continue;
        }
        // The whole text replaces the journal. The edits since the file are kept, should the page grow
        // again, unless some of them went into the journal this replaces.
        if (log != m_logs.end() && log->begun)
            m_logs.erase(log);
        entry.text = page->buffer().utf8Text();
        m_journal->write(page->undoId(), std::move(entry));
    }
}

void JournalCommands::offerRecovery()
{
    const QList<JournalEntry> entries = m_journal->orphans();
    if (entries.isEmpty())
        return;
    RecoveryDialog dialog(entries, m_documents.filePages() ? m_documents.filePages()->window() : nullptr);
    const int choice = dialog.exec();
    if (choice == RecoveryDialog::Later)
        return;
    for (const JournalEntry &entry : entries) {
        if (choice == RecoveryDialog::Recover) {
            TDocumentPage *page = m_documents.openRecovered(entry);
            if (!page)
                continue; // the page limit: the journal stays for another time
            // The recovered page has a journal of this window now.
            m_changed.insert(page);
        }
        RecoveryJournal::discard(entry);
    }
    writeChanged();
}

RecoveryDialog::RecoveryDialog(const QList<JournalEntry> &entries, QWidget *parent)
    : QDialog(parent)
    , m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("RecoveryDialog"));
    setWindowTitle(title());
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(
        QStringLiteral("These pages had changes that were not saved when the program last ended:"), this);
    label->setWordWrap(true);
    layout->addWidget(label);

    m_list->setObjectName(QStringLiteral("RecoveryList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({ QStringLiteral("Page"), QStringLiteral("Changed") });
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    for (const JournalEntry &entry : entries) {
        const QString name
            = entry.fileName.isEmpty() ? entry.caption : QDir::toNativeSeparators(entry.fileName);
        auto *item
            = new QTreeWidgetItem(m_list, { name, QLocale().toString(entry.time, QLocale::ShortFormat) });
        item->setToolTip(0, name);
    }
    layout->addWidget(m_list);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *recover = buttons->addButton(QStringLiteral("&Recover"), QDialogButtonBox::AcceptRole);
    recover->setObjectName(QStringLiteral("RecoverButton"));
    recover->setDefault(true);
    QPushButton *discard = buttons->addButton(QStringLiteral("&Discard"), QDialogButtonBox::DestructiveRole);
    discard->setObjectName(QStringLiteral("DiscardButton"));
    QPushButton *later = buttons->addButton(QStringLiteral("&Later"), QDialogButtonBox::RejectRole);
    later->setObjectName(QStringLiteral("LaterButton"));
    later->setToolTip(QStringLiteral("Keep the changes to be offered at the next start"));
    connect(recover, &QPushButton::clicked, this, [this] { done(Recover); });
    connect(discard, &QPushButton::clicked, this, [this] { done(Discard); });
    connect(later, &QPushButton::clicked, this, [this] { done(Later); });
    layout->addWidget(buttons);
    resize(520, 300);
}
