// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWebEngineView>

class QPrinter;
class QWebEngineProfile;
class PreviewRequestFilter;

// The internal preview: a web view docked under the pages that shows the active page's preview file. It
// keeps its own profile in memory only, runs no plug-ins and fetches no fonts from the network; a page
// that did not come from disk reaches neither other local files nor the network. The main window owns it.
class TPreviewPane : public QWebEngineView
{
    Q_OBJECT
public:
    explicit TPreviewPane(QWidget *parent = nullptr);
    ~TPreviewPane() override;

    enum class Origin { Disk, Elsewhere };
    // Navigates to path when it differs from the last file shown, otherwise refreshes.
    void showFile(const QString &path, Origin origin);
    QString lastFile() const { return m_lastFile; }
    int navigations() const { return m_navigations; }
    int refreshes() const { return m_refreshes; }

private:
    QWebEngineProfile *m_profile;
    PreviewRequestFilter *m_filter;
    QString m_lastFile;
    int m_navigations = 0;
    int m_refreshes = 0;
};
