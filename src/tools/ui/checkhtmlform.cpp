// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ui/checkhtmlform.h"

#include "editor/ui/editorbuffer.h"
#include "editor/ui/editorhost.h"
#include "editor/ui/sourceeditor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel *panel(const QString &text, const QString &hint, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setToolTip(hint);
    label->setMargin(2);
    return label;
}

} // namespace

TCheckHTMLForm::TCheckHTMLForm(EditorHost &host, QWidget *parent)
    : QDialog(parent)
    , m_host(host)
{
    setObjectName(QStringLiteral("CheckHTMLForm"));
    setWindowTitle(QStringLiteral("Checking HTML"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QIcon(QStringLiteral(":/icons/tagloom.svg")).pixmap(48, 48));
    picture->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    Report = new QLabel(QStringLiteral("Checking..."), this);
    Report->setObjectName(QStringLiteral("Report"));
    Progress = new QProgressBar(this);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setTextVisible(false);
    ErrorCount = panel(QStringLiteral("Errors: 0"), QStringLiteral("Number of errors in the document"), this);
    ErrorCount->setObjectName(QStringLiteral("ErrorCount"));
    HTMLVersion = panel(QStringLiteral("Minimum HTML Version: 1"),
        QStringLiteral(
            "Minimum HTML version the browser must support if the page is to be displayed correctly"),
        this);
    HTMLVersion->setObjectName(QStringLiteral("HTMLVersion"));
    ErrorList = new QListWidget(this);
    ErrorList->setObjectName(QStringLiteral("ErrorList"));
    ErrorList->setToolTip(QStringLiteral("List of errors in the document"));
    ErrorList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ErrorList->setMinimumHeight(120);

    auto *note = new QLabel(this);
    note->setObjectName(QStringLiteral("Label1"));
    note->setWordWrap(true);
    note->setOpenExternalLinks(true);
    note->setText(QStringLiteral(
        "This check finds unknown tags and attributes and a faulty page structure. For a thorough check "
        "of a page's validity, use the W3C Markup Validation Service at "
        "<a href=\"https://validator.w3.org/\">https://validator.w3.org/</a>."));

    Show = new QPushButton(QStringLiteral("&Show"), this);
    Show->setObjectName(QStringLiteral("Show"));
    Show->setEnabled(false);
    Close = new QPushButton(QStringLiteral("&Close"), this);
    Close->setObjectName(QStringLiteral("Close"));
    Close->setEnabled(false);
    connect(Show, &QPushButton::clicked, this, &TCheckHTMLForm::ShowClick);
    connect(Close, &QPushButton::clicked, this, &QDialog::accept);
    connect(ErrorList, &QListWidget::itemDoubleClicked, this, &TCheckHTMLForm::ShowClick);

    auto *panels = new QHBoxLayout;
    panels->addWidget(ErrorCount, 1);
    panels->addWidget(HTMLVersion, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Show);
    buttons->addWidget(Close);
    auto *right = new QVBoxLayout;
    right->addWidget(Report);
    right->addWidget(Progress);
    right->addLayout(panels);
    right->addWidget(ErrorList, 1);
    right->addWidget(note);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(picture);
    layout->addLayout(right, 1);
    resize(760, 420);
}

void TCheckHTMLForm::run(EditorHost &host)
{
    if (!host.activeBuffer())
        return;
    TCheckHTMLForm form(host, host.dialogParent());
    form.exec();
}

void TCheckHTMLForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        // Once the window is on the screen, so the progress shows from the start.
        QTimer::singleShot(0, this, &TCheckHTMLForm::FormActivate);
    }
}

void TCheckHTMLForm::FormActivate()
{
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!buffer || m_checking)
        return;
    m_checking = true;
    // A copy: the scan reads the text, and never the editor's selection.
    const QString text = buffer->text();
    Progress->setRange(0, std::max(1, int(text.size())));
    QElapsedTimer clock;
    clock.start();
    m_result = HtmlChecker::check(text, m_host.tagDatabase(),
        [&](HtmlChecker::Phase phase, int position, const QList<HtmlChecker::Finding> &findings) {
            // Repainting at every "<" would cost more than the check: the window is serviced every 30 ms.
            if (phase == HtmlChecker::Phase::Tags && clock.elapsed() - m_lastRepaint < 30)
                return;
            m_lastRepaint = clock.elapsed();
            progress(phase, position, findings);
        });
    Progress->setValue(Progress->maximum());
    // A name that ran over a line break is quoted as it stands; the list shows the break as a mark so
    // each entry keeps to one line.
    for (const HtmlChecker::Finding &finding : std::as_const(m_result.findings))
        ErrorList->addItem(
            QString(finding.message).replace(QStringLiteral("\r\n"), QStringLiteral("\u21b5")));
    setErrorCount(int(m_result.findings.size()));
    HTMLVersion->setText(QStringLiteral("Minimum HTML Version: ") + m_result.minimumVersion);
    Report->setText(HtmlChecker::summary(int(m_result.findings.size())));
    m_checking = false;
    Show->setEnabled(true);
    Close->setEnabled(true);
    Close->setDefault(true);
    Close->setFocus();
}

void TCheckHTMLForm::progress(
    HtmlChecker::Phase phase, int position, const QList<HtmlChecker::Finding> &findings)
{
    Report->setText(phase == HtmlChecker::Phase::Structure ? QStringLiteral("Checking document structure...")
                                                           : QStringLiteral("Checking tags..."));
    Progress->setValue(position);
    setErrorCount(int(findings.size()));
    QApplication::processEvents();
}

void TCheckHTMLForm::setErrorCount(int count)
{
    ErrorCount->setText(QStringLiteral("Errors: ") + QString::number(count));
}

void TCheckHTMLForm::ShowClick()
{
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!buffer)
        return;
    if (m_result.findings.isEmpty()) {
        buffer->select(0, 0);
    } else {
        if (ErrorList->currentRow() < 0)
            ErrorList->setCurrentRow(0);
        const HtmlChecker::Finding &finding = m_result.findings[ErrorList->currentRow()];
        buffer->select(finding.start, finding.length);
    }
    if (TSourceEditor *editor = m_host.activeEditor())
        editor->ensureCursorVisible();
}

void TCheckHTMLForm::closeEvent(QCloseEvent *event)
{
    // The check reads the page while the window services its events: it ends before the window closes.
    if (m_checking)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TCheckHTMLForm::reject()
{
    if (!m_checking)
        QDialog::reject();
}
