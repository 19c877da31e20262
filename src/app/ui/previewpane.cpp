// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewpane.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

// Turns away what a preview has no business loading: fonts and plug-in content from the network always,
// and anything from the network for a page that did not come from disk.
class PreviewRequestFilter : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    bool blockNetwork = true;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QString scheme = info.requestUrl().scheme();
        const bool local = scheme == u"file" || scheme == u"data" || scheme == u"blob" || scheme == u"qrc";
        if (local)
            return;
        const auto type = info.resourceType();
        if (blockNetwork || type == QWebEngineUrlRequestInfo::ResourceTypeFontResource
            || type == QWebEngineUrlRequestInfo::ResourceTypeObject
            || type == QWebEngineUrlRequestInfo::ResourceTypePluginResource) {
            info.block(true);
        }
    }
};

TPreviewPane::TPreviewPane(QWidget *parent)
    : QWebEngineView(parent)
    , m_profile(new QWebEngineProfile(this))
    , m_filter(new PreviewRequestFilter(m_profile))
{
    setObjectName(QStringLiteral("PreviewPane"));
    m_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    m_profile->setUrlRequestInterceptor(m_filter);
    auto *page = new QWebEnginePage(m_profile, this);
    QWebEngineSettings *settings = page->settings();
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    setPage(page);
    setContextMenuPolicy(Qt::NoContextMenu);
}

TPreviewPane::~TPreviewPane()
{
    // The page must go before the profile it was made with.
    delete page();
}

void TPreviewPane::showFile(const QString &path, Origin origin)
{
    const bool fromDisk = origin == Origin::Disk;
    page()->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, fromDisk);
    m_filter->blockNetwork = !fromDisk;
    if (path != m_lastFile) {
        m_lastFile = path;
        ++m_navigations;
        setUrl(QUrl::fromLocalFile(path));
    } else {
        ++m_refreshes;
        reload();
    }
}
