// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ui/httpform.h"

#include "tools/webfetch.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

THTTPForm::THTTPForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("HTTPForm"));
    setWindowTitle(QStringLiteral("Open HTML File from Web"));

    auto *explanation = new QLabel(QStringLiteral(
        "Please type in the exact URL of the HTML file you want to open. Please note that URL's are case "
        "sensitive, and it must include the http:// part at the start"));
    explanation->setWordWrap(true);
    FileName = new QLineEdit(QStringLiteral("http://"), this);
    FileName->setObjectName(QStringLiteral("FileName"));
    FileName->setToolTip(QStringLiteral("Complete address of file to open"));
    FileName->setMinimumWidth(320);
    auto *caption = new QLabel(QStringLiteral("URL of file to open:"), this);
    caption->setBuddy(FileName);
    StatusBar = new QLabel(QStringLiteral("Not Connected"), this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar->setMargin(2);
    StatusBar->setWordWrap(true);
    StatusBar->setTextInteractionFlags(Qt::TextSelectableByMouse);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("Cancel"));
    Download = new QPushButton(QStringLiteral("Download"), this);
    Download->setObjectName(QStringLiteral("Download"));
    Download->setDefault(true);
    connect(FileName, &QLineEdit::textChanged, this, &THTTPForm::FileNameChange);
    connect(Download, &QPushButton::clicked, this, &THTTPForm::DownloadClick);
    connect(CancelButton, &QPushButton::clicked, this, &THTTPForm::reject);

    auto *address = new QHBoxLayout;
    address->addWidget(caption);
    address->addWidget(FileName, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    buttons->addWidget(Download);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(address);
    layout->addLayout(buttons);
    // The status panel runs along the bottom, as a status bar does, and the window grows with its text.
    layout->addWidget(StatusBar);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    resize(520, sizeHint().height());
    FileName->setFocus();
    FileName->setCursorPosition(int(FileName->text().size()));
}

THTTPForm::~THTTPForm()
{
    if (m_cancel)
        m_cancel->store(true);
    stopWorker();
}

std::optional<QString> THTTPForm::ask(QWidget *parent)
{
    THTTPForm form(parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.pageText();
}

void THTTPForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The address is typed after the "http://" already there, not over it: once the line has the focus,
    // which selects its text.
    QTimer::singleShot(0, this, [this] {
        FileName->deselect();
        FileName->setCursorPosition(int(FileName->text().size()));
    });
}

void THTTPForm::FileNameChange()
{
    Download->setEnabled(!fetching() && !FileName->text().isEmpty());
}

void THTTPForm::DownloadClick()
{
    if (fetching() || FileName->text().isEmpty())
        return;
    QString error;
    const std::optional<QString> address = WebFetch::requestAddress(FileName->text(), &error);
    if (!address) {
        setStatus(error);
        return;
    }
    FileName->setText(*address);
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    const std::shared_ptr<std::atomic<bool>> cancel = m_cancel;
    QPointer<THTTPForm> form(this);
    m_thread = QThread::create([form, cancel, url = *address] {
        const WebFetch::Result result = WebFetch::fetch(url, *cancel, [form](const QString &status) {
            QMetaObject::invokeMethod(
                form,
                [form, status] {
                    if (form && form->fetching())
                        form->setStatus(status);
                },
                Qt::QueuedConnection);
        });
        const QString text = result.ok ? WebFetch::decodeBody(result.body, result.contentType) : QString();
        QMetaObject::invokeMethod(
            form,
            [form, ok = result.ok, status = result.status, text] {
                if (form)
                    form->finished(ok, status, text);
            },
            Qt::QueuedConnection);
    });
    setStatus(QStringLiteral("Connecting to ") + *address);
    Download->setEnabled(false);
    FileName->setReadOnly(true);
    m_thread->start();
}

void THTTPForm::finished(bool ok, const QString &status, const QString &text)
{
    stopWorker();
    FileName->setReadOnly(false);
    FileNameChange();
    if (ok) {
        m_pageText = text;
        setStatus(QStringLiteral("Not connected"));
        accept();
        return;
    }
    setStatus(status);
}

void THTTPForm::setStatus(const QString &text)
{
    StatusBar->setText(text);
}

void THTTPForm::reject()
{
    if (m_cancel)
        m_cancel->store(true);
    stopWorker();
    QDialog::reject();
}

void THTTPForm::stopWorker()
{
    if (!m_thread)
        return;
    // The transfer checks the cancel flag many times a second, so this wait is short.
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}
