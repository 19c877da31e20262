// SPDX-License-Identifier: GPL-3.0-or-later
#include "ftpform.h"

#include "base/prompter.h"
#include "base/safefile.h"
#include "base/ui/icons.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QThread>
#include <QVBoxLayout>

namespace {

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLineEdit *field(const char *name, const QString &hint, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setToolTip(hint);
    edit->setStatusTip(hint);
    return edit;
}

} // namespace

TFTPForm::TFTPForm(Prompter &prompter, FtpMode mode, const QString &rootText, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_mode(mode)
    , m_rootText(rootText)
{
    setObjectName(QStringLiteral("FTPForm"));
    setWindowTitle(QStringLiteral("FTP Upload"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture"));
    picture->setPixmap(Icons::ownIcon(QStringLiteral("ftp")).pixmap(64, 64));
    picture->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    picture->setMargin(8);
    picture->setAutoFillBackground(true);
    picture->setBackgroundRole(QPalette::Mid);

    Pages = new QStackedWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addWidget(makeServerPage());
    Pages->addWidget(makeFilesPage());
    Pages->addWidget(makeFeedbackPage());

    auto *buttons = new QHBoxLayout;
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("Cancel"));
    Back = new QPushButton(QStringLiteral("< Back"), this);
    Back->setObjectName(QStringLiteral("Back"));
    Back->setEnabled(false);
    Next = new QPushButton(QStringLiteral("Next >"), this);
    Next->setObjectName(QStringLiteral("Next"));
    Next->setDefault(true);
    Finish = new QPushButton(QStringLiteral("Transmit"), this);
    Finish->setObjectName(QStringLiteral("Finish"));
    Finish->setEnabled(false);
    buttons->addStretch(1);
    for (QPushButton *button : { CancelButton, Back, Next, Finish }) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    Next->setDefault(true);

    auto *right = new QVBoxLayout;
    right->addWidget(Pages, 1);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(picture);
    layout->addLayout(right, 1);
    setMinimumSize(383, 338);

    connect(CancelButton, &QPushButton::clicked, this, &TFTPForm::reject);
    connect(Back, &QPushButton::clicked, this, &TFTPForm::BackClick);
    connect(Next, &QPushButton::clicked, this, &TFTPForm::NextClick);
    connect(Finish, &QPushButton::clicked, this, &TFTPForm::FinishClick);
    connect(FileList, &QListWidget::itemActivated, this, &TFTPForm::FileListDblClick);
    connect(ToSend, &QListWidget::itemActivated, this, &TFTPForm::ToSendDblClick);
    // Return in a list moves its file, as a double-click does, and never reaches the default button.
    FileList->installEventFilter(this);
    ToSend->installEventFilter(this);
    for (QLineEdit *edit : { HostName, Port, Path, UserName, Password })
        connect(edit, &QLineEdit::textChanged, this, &TFTPForm::HostNameChange);
    // FormCreate: the fields start with nothing changed.
    m_changed = false;
}

TFTPForm::~TFTPForm()
{
    stopWorker();
}

QWidget *TFTPForm::makeServerPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Server"));
    HostName = field("HostName", QStringLiteral("Name of server"), page);
    Port = field("Port", QStringLiteral("Port to connect to server with"), page);
    Port->setText(QStringLiteral("21"));
    Path = field("Path", QStringLiteral("Folder to upload files to"), page);
    UserName = field("UserName", QStringLiteral("User name required to log onto server"), page);
    Password = field("Password", QStringLiteral("Password associated with user name"), page);
    Password->setEchoMode(QLineEdit::Password);
    Secure = new QCheckBox(QStringLiteral("Use secure connection if available"), page);
    Secure->setObjectName(QStringLiteral("Secure"));
    Secure->setChecked(true);
    Secure->setToolTip(QStringLiteral("Encrypt the password and the files when the server offers TLS"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Host Name:"), HostName);
    form->addRow(QStringLiteral("P&ort:"), Port);
    form->addRow(QStringLiteral("P&ath:"), Path);
    form->addRow(QStringLiteral("&User Name:"), UserName);
    form->addRow(QStringLiteral("Pass&word:"), Password);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading(QStringLiteral("Server Options:"), page));
    layout->addLayout(form);
    layout->addWidget(Secure);
    layout->addStretch(1);
    return page;
}

QWidget *TFTPForm::makeFilesPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Files"));
    FileList = new QListWidget(page);
    FileList->setObjectName(QStringLiteral("FileList"));
    FileList->setToolTip(QStringLiteral("Available files which can be transmitted"));
    ToSend = new QListWidget(page);
    ToSend->setObjectName(QStringLiteral("ToSend"));
    ToSend->setToolTip(QStringLiteral("Files which are currently set to be transmitted"));
    auto *available = new QLabel(QStringLiteral("&Select files to transmit:"), page);
    available->setBuddy(FileList);
    auto *chosen = new QLabel(QStringLiteral("&Files to send:"), page);
    chosen->setBuddy(ToSend);
    auto *note = new QLabel(QStringLiteral("Double-click on a file to select it to send"), page);
    note->setWordWrap(true);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading(QStringLiteral("Transmit Options:"), page));
    layout->addWidget(note);
    layout->addWidget(available);
    layout->addWidget(FileList, 1);
    layout->addWidget(chosen);
    layout->addWidget(ToSend, 1);
    return page;
}

QWidget *TFTPForm::makeFeedbackPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Feedback"));
    FeedbackMemo = new QPlainTextEdit(page);
    FeedbackMemo->setObjectName(QStringLiteral("FeedbackMemo"));
    FeedbackMemo->setReadOnly(true);
    FeedbackMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    FeedbackMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FeedbackMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FeedbackMemo->setToolTip(QStringLiteral("Last commands sent to server and responses received"));
    CurrentFile = new QLabel(page);
    CurrentFile->setObjectName(QStringLiteral("CurrentFile"));
    CurrentFile->setTextFormat(Qt::PlainText);
    FileProgress = new QProgressBar(page);
    FileProgress->setObjectName(QStringLiteral("FileProgress"));
    FileProgress->setRange(0, 100);
    FileProgress->setValue(0);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading(QStringLiteral("Feedback from FTP Server:"), page));
    layout->addWidget(FeedbackMemo, 1);
    layout->addWidget(CurrentFile);
    layout->addWidget(FileProgress);
    return page;
}

void TFTPForm::setAvailableFiles(const QStringList &files)
{
    FileList->clear();
    FileList->addItems(files);
    if (FileList->count() > 0)
        FileList->setCurrentRow(0);
}

void TFTPForm::setToSend(const QStringList &files)
{
    ToSend->clear();
    ToSend->addItems(files);
}

QStringList TFTPForm::toSend() const
{
    QStringList files;
    for (int i = 0; i < ToSend->count(); ++i)
        files.append(ToSend->item(i)->text());
    return files;
}

void TFTPForm::setProfile(const FtpProfile &profile)
{
    HostName->setText(profile.hostName);
    Port->setText(profile.port);
    Path->setText(profile.path);
    UserName->setText(profile.userName);
    Password->setText(profile.password);
}

FtpSettings TFTPForm::settings() const
{
    FtpSettings s;
    s.hostName = HostName->text();
    s.port = Port->text();
    s.path = Path->text();
    s.userName = UserName->text();
    s.password = Password->text();
    s.secure = Secure->isChecked();
    return s;
}

QString TFTPForm::logText() const
{
    return FeedbackMemo->toPlainText();
}

void TFTPForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

bool TFTPForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == FileList || watched == ToSend)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == FileList)
                FileListDblClick();
            else
                ToSendDblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFTPForm::FormShow()
{
    if (m_mode == FtpMode::SingleFile) {
        Next->setEnabled(false);
        Next->setDefault(false);
        Finish->setEnabled(true);
        Finish->setDefault(true);
    }
    HostName->setFocus();
}

void TFTPForm::NextClick()
{
    Pages->setCurrentIndex(1);
    Back->setEnabled(true);
    Next->setEnabled(false);
    Next->setDefault(false);
    if (ToSend->count() > 0) {
        Finish->setEnabled(true);
        Finish->setDefault(true);
    }
    FileList->setFocus();
}

void TFTPForm::BackClick()
{
    Next->setEnabled(true);
    Next->setDefault(true);
    Finish->setEnabled(false);
    Finish->setDefault(false);
    Pages->setCurrentIndex(0);
    Back->setEnabled(false);
    HostName->setFocus();
}

void TFTPForm::FileListDblClick()
{
    QListWidgetItem *item = FileList->currentItem();
    if (!item)
        return;
    ToSend->addItem(FileList->takeItem(FileList->row(item))->text());
    delete item;
    Finish->setEnabled(true);
    Finish->setDefault(true);
}

void TFTPForm::ToSendDblClick()
{
    QListWidgetItem *item = ToSend->currentItem();
    if (!item)
        return;
    FileList->addItem(ToSend->takeItem(ToSend->row(item))->text());
    delete item;
    if (ToSend->count() == 0) {
        Finish->setEnabled(false);
        Finish->setDefault(false);
    }
}

void TFTPForm::appendLog(const QString &line)
{
    FeedbackMemo->appendPlainText(line);
    FeedbackMemo->verticalScrollBar()->setValue(FeedbackMemo->verticalScrollBar()->maximum());
}

void TFTPForm::FinishClick()
{
    if (m_thread || ToSend->count() == 0)
        return;
    Pages->setCurrentIndex(2);
    Finish->setEnabled(false);
    Back->setEnabled(false);
    Next->setEnabled(false);
    CancelButton->setDefault(true);
    CancelButton->setFocus();
    const QStringList entries = toSend();
    CurrentFile->setText(QStringLiteral("Connecting to %1...").arg(HostName->text()));

    m_thread = new QThread(this);
    m_job = new FtpUploadJob(settings(), entries, m_mode, m_rootText);
    m_job->moveToThread(m_thread);
    connect(m_thread, &QThread::started, m_job, &FtpUploadJob::run);
    connect(m_job, &FtpUploadJob::logLine, this, &TFTPForm::appendLog);
    connect(m_job, &FtpUploadJob::fileStarted, this,
        [this, total = entries.size()](int index, const QString &entry) {
            CurrentFile->setText(
                QStringLiteral("Sending %1 (%2 of %3)").arg(entry).arg(index + 1).arg(total));
            FileProgress->setValue(0);
        });
    connect(m_job, &FtpUploadJob::fileProgress, this, [this](qint64 sent, qint64 total) {
        FileProgress->setValue(total > 0 ? int(sent * 100 / total) : 0);
    });
    connect(m_job, &FtpUploadJob::finished, this, &TFTPForm::transmitFinished);
    m_thread->start();
}

void TFTPForm::stopWorker()
{
    if (!m_thread)
        return;
    m_job->cancel();
    m_thread->quit();
    m_thread->wait();
    delete m_job;
    m_job = nullptr;
    delete m_thread;
    m_thread = nullptr;
}

void TFTPForm::transmitFinished()
{
    m_result = m_job->result();
    stopWorker();
    m_transmitted = true;
    CurrentFile->setText(m_result.cancelled ? QStringLiteral("Cancelled.")
            : !m_result.connected           ? QStringLiteral("Could not connect.")
            : m_result.failed.isEmpty()     ? QStringLiteral("Done: %1 files sent.").arg(m_result.sent.size())
                                            : QStringLiteral("Done: %1 of %2 files could not be sent.")
                                              .arg(m_result.failed.size())
                                              .arg(m_result.total));
    if (m_result.connected && m_result.failed.isEmpty())
        FileProgress->setValue(100);
    if (!m_result.connected && !m_result.cancelled) {
        m_prompter.message(QStringLiteral("Error"), QStringLiteral("Could not connect to ftp server"),
            PromptButtons::Ok, PromptIcon::Stop);
    } else {
        if (!m_result.failed.isEmpty()) {
            m_prompter.message(
                QStringLiteral("Error"), ftpFailureMessage(m_result), PromptButtons::Ok, PromptIcon::Warning);
        }
        if (m_prompter.message(QStringLiteral("Completed"),
                QStringLiteral("Finished transmitting files. Save log file?"), PromptButtons::YesNo,
                PromptIcon::Question)
            == PromptAnswer::Yes)
            saveLog();
    }
    Q_EMIT transmitEnded();
    accept();
}

void TFTPForm::saveLog()
{
    const QStringList entries = toSend();
    QString folder = m_mode == FtpMode::SingleFile && !entries.isEmpty()
        ? QFileInfo(entries.first()).absolutePath()
        : m_rootText;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    const QString file = folder + QStringLiteral("Ftplog.txt");
    QByteArray bytes;
    for (const QString &line : logText().split(u'\n'))
        bytes += line.toUtf8() + "\r\n";
    const SafeFile::Result written = SafeFile::write(file, bytes);
    if (!written.ok) {
        m_prompter.message(QStringLiteral("Error"),
            QStringLiteral("The log file %1 could not be saved: %2").arg(file, written.reason),
            PromptButtons::Ok, PromptIcon::Stop);
        return;
    }
    m_prompter.message(QStringLiteral("Completed"), QStringLiteral("Log file saved to ") + file,
        PromptButtons::Ok, PromptIcon::Information);
}

void TFTPForm::reject()
{
    // During a transfer Cancel stops it; the dialog closes when the transmit has wound up.
    if (m_thread) {
        m_job->cancel();
        CurrentFile->setText(QStringLiteral("Cancelling..."));
        CancelButton->setEnabled(false);
        return;
    }
    QDialog::reject();
}
