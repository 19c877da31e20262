// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpform.h"

#include "base/productstrings.h"
#include "base/ui/icons.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

THelpForm::THelpForm(QWidget *parent, std::function<bool(const QUrl &)> openExternal)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
    , m_openExternal(std::move(openExternal))
{
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("%1 Help").arg(Product::caption()));
    resize(760, 620);

    auto *bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction *back = bar->addAction(
        QIcon::fromTheme(QStringLiteral("go-previous"), style()->standardIcon(QStyle::SP_ArrowBack)),
        QStringLiteral("&Back"));
    back->setShortcut(QKeySequence::Back);
    QAction *forward = bar->addAction(
        QIcon::fromTheme(QStringLiteral("go-next"), style()->standardIcon(QStyle::SP_ArrowForward)),
        QStringLiteral("&Forward"));
    forward->setShortcut(QKeySequence::Forward);
    QAction *home = bar->addAction(Icons::icon(QStringLiteral("contents")), QStringLiteral("&Contents"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(home, &QAction::triggered, this, [this] { m_browser->setSource(QUrl::fromLocalFile(m_home)); });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("%1 Help").arg(Product::caption())
                                       : QStringLiteral("%1 - %2 Help").arg(title, Product::caption()));
    });

    // Pages of the manual open here; anything else (the web, mail) is the desktop's to open.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &THelpForm::followLink);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_browser);
}

void THelpForm::showFile(const QString &file)
{
    m_home = QFileInfo(file).absolutePath() + QStringLiteral("/index.html");
    m_browser->setSource(QUrl::fromLocalFile(file));
}

void THelpForm::followLink(const QUrl &url)
{
    const QUrl target = m_browser->source().resolved(url);
    if (target.isLocalFile() && QFileInfo(target.toLocalFile()).isFile())
        m_browser->setSource(target);
    else if (target.isLocalFile() && target.path().isEmpty() && target.hasFragment())
        m_browser->scrollToAnchor(target.fragment());
    else if (!target.isLocalFile())
        m_openExternal(target);
}
