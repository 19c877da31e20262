// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>

class DocumentHost;
class THelpForm;

// Help > Contents and Help > Search for Help On: the user manual in the program's own help window, or
// the online manual in the desktop's browser when no manual is installed.
class HelpCommands : public QObject
{
    Q_OBJECT
public:
    explicit HelpCommands(DocumentHost &host);
    ~HelpCommands() override;

    void connectActions();

    void ContentsClick();
    void SearchforHelpOnClick();

    // The help window while it is open, for tests.
    THelpForm *helpForm() const;
    // How a page goes to the desktop's browser; tests record it instead.
    void setOpenExternal(std::function<bool(const QUrl &)> open) { m_openExternal = std::move(open); }

private:
    void showPage(const QString &page);

    DocumentHost &m_host;
    QPointer<THelpForm> m_form;
    std::function<bool(const QUrl &)> m_openExternal;
};
