// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/linkanalyser.h"

#include <QDialog>

#include <functional>

class Prompter;
class QLabel;
class QPushButton;
class QTreeWidget;

// "Link Analyser": the page's links with their state and the four counts; Check Now opens an external
// link in the desktop's program for it. Made and destroyed by the Link Analyser command.
class TLinkAnalyserForm : public QDialog
{
    Q_OBJECT
public:
    TLinkAnalyserForm(const QString &text, const QString &documentFile, Prompter &prompter, QWidget *parent);

    // How an address reaches the desktop; tests put their own.
    using Opener = std::function<void(const QString &address)>;
    void setOpener(Opener opener) { m_opener = std::move(opener); }

    const LinkAnalyser::Report &report() const { return m_report; }

    void LinkListChange();
    void CheckClick();

private:
    Prompter &m_prompter;
    LinkAnalyser::Report m_report;
    Opener m_opener;
    QTreeWidget *LinkList;
    QLabel *TotalLinksLabel;
    QLabel *OKLinksLabel;
    QLabel *BrokenLinksLabel;
    QLabel *ExternalLinksLabel;
    QPushButton *OK;
    QPushButton *Check;
};
