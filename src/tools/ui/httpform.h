// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <atomic>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QThread;

// "Open HTML File from Web": asks for an address and fetches the page on a worker thread, showing the
// transfer's state; the window stays responsive and Cancel aborts. It closes with the page's text only
// when the page came; a failure stays in the status panel.
class THTTPForm : public QDialog
{
    Q_OBJECT
public:
    explicit THTTPForm(QWidget *parent);
    ~THTTPForm() override;

    // The page's text, or nothing when the user cancelled.
    static std::optional<QString> ask(QWidget *parent);

    QString pageText() const { return m_pageText; }
    bool fetching() const { return m_thread != nullptr; }

    void FileNameChange();
    void DownloadClick();

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    void setStatus(const QString &text);
    void finished(bool ok, const QString &status, const QString &text);
    void stopWorker();

    QLineEdit *FileName;
    QLabel *StatusBar;
    QPushButton *Download;
    QPushButton *CancelButton;
    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    QString m_pageText;
};
