// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QWidget>

#include <functional>

class QTextBrowser;
class QToolBar;

// The help window: the pages of the user manual with Back, Forward and Contents. Links that leave the
// manual go to the desktop's browser.
class THelpForm : public QWidget
{
    Q_OBJECT
public:
    THelpForm(QWidget *parent, std::function<bool(const QUrl &)> openExternal);

    void showFile(const QString &file);
    QTextBrowser *browser() const { return m_browser; }

private:
    void followLink(const QUrl &url);

    QTextBrowser *m_browser;
    QString m_home;
    std::function<bool(const QUrl &)> m_openExternal;
};
