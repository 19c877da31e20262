// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/htmlchecker.h"

#include <QDialog>

class EditorHost;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

// "Checking HTML": runs the checker over the active page once it is shown, with its progress, then lists
// the findings; Show selects a finding's span in the editor. Made and destroyed by Check HTML.
class TCheckHTMLForm : public QDialog
{
    Q_OBJECT
public:
    TCheckHTMLForm(EditorHost &host, QWidget *parent);

    static void run(EditorHost &host);

    // The check; run once, on first showing.
    void FormActivate();
    void ShowClick();

    bool checking() const { return m_checking; }
    const HtmlChecker::Result &result() const { return m_result; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void progress(HtmlChecker::Phase phase, int position, const QList<HtmlChecker::Finding> &findings);
    void setErrorCount(int count);

    EditorHost &m_host;
    QLabel *Report;
    QProgressBar *Progress;
    QLabel *ErrorCount;
    QLabel *HTMLVersion;
    QListWidget *ErrorList;
    QPushButton *Show;
    QPushButton *Close;
    HtmlChecker::Result m_result;
    bool m_started = false;
    bool m_checking = false;
    qint64 m_lastRepaint = 0;
};
