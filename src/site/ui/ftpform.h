// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/ftpupload.h"

#include <QDialog>

class Prompter;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QThread;

// The upload dialog: the server page, the files page (site mode only) and the feedback page with the
// log of every command and reply. The transfer runs on a worker thread, so the window stays live and
// its Cancel stops a transfer under way; the dialog closes once the transmit has ended.
class TFTPForm : public QDialog
{
    Q_OBJECT
public:
    // rootText is the site's root folder in site mode; unused in single-file mode.
    TFTPForm(Prompter &prompter, FtpMode mode, const QString &rootText, QWidget *parent = nullptr);
    ~TFTPForm() override;

    FtpMode mode() const { return m_mode; }
    void setAvailableFiles(const QStringList &files);
    void setToSend(const QStringList &files);
    QStringList toSend() const;
    // Fills the server fields, which counts as a change.
    void setProfile(const FtpProfile &profile);
    FtpSettings settings() const;
    bool changed() const { return m_changed; }
    // A transmit was started and has ended (whatever became of it).
    bool transmitted() const { return m_transmitted; }
    bool isTransmitting() const { return m_thread != nullptr; }
    const FtpResult &result() const { return m_result; }
    QString logText() const;

    void FormShow();
    void NextClick();
    void BackClick();
    void FileListDblClick();
    void ToSendDblClick();
    void FinishClick();
    void HostNameChange() { m_changed = true; }

    QStackedWidget *pages() const { return Pages; }
    QListWidget *fileList() const { return FileList; }
    QListWidget *toSendList() const { return ToSend; }
    QPushButton *nextButton() const { return Next; }
    QPushButton *backButton() const { return Back; }
    QPushButton *finishButton() const { return Finish; }
    QPushButton *cancelButton() const { return CancelButton; }

Q_SIGNALS:
    void transmitEnded();

public Q_SLOTS:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makeServerPage();
    QWidget *makeFilesPage();
    QWidget *makeFeedbackPage();
    void appendLog(const QString &line);
    void transmitFinished();
    void saveLog();
    void stopWorker();

    Prompter &m_prompter;
    FtpMode m_mode;
    QString m_rootText;
    bool m_changed = false;
    bool m_transmitted = false;
    bool m_shown = false;
    FtpResult m_result;
    QThread *m_thread = nullptr;
    FtpUploadJob *m_job = nullptr;

    QStackedWidget *Pages = nullptr;
    QLineEdit *HostName = nullptr;
    QLineEdit *Port = nullptr;
    QLineEdit *Path = nullptr;
    QLineEdit *UserName = nullptr;
    QLineEdit *Password = nullptr;
    QCheckBox *Secure = nullptr;
    QListWidget *FileList = nullptr;
    QListWidget *ToSend = nullptr;
    QPlainTextEdit *FeedbackMemo = nullptr;
    QLabel *CurrentFile = nullptr;
    QProgressBar *FileProgress = nullptr;
    QPushButton *CancelButton = nullptr;
    QPushButton *Back = nullptr;
    QPushButton *Next = nullptr;
    QPushButton *Finish = nullptr;
};
