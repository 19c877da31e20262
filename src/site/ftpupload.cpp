// SPDX-License-Identifier: GPL-3.0-or-later
#include "ftpupload.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <curl/curl.h>

#include <mutex>

namespace FtpPlan {

QString remotePath(const QString &path, const QString &entry, FtpMode mode)
{
    QString remote;
    if (!path.isEmpty()) {
        remote = u'/' + path;
        if (!path.endsWith(u'/'))
            remote += u'/';
    }
    remote += mode == FtpMode::SingleFile ? QFileInfo(entry).fileName() : entry;
    remote.replace(u'\\', u'/');
    return remote;
}

bool isAscii(const QString &localFile)
{
    const QString suffix = QFileInfo(localFile).suffix();
    for (const char *ascii : { "html", "htm", "css" }) {
        if (suffix.compare(QLatin1String(ascii), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString localFile(const QString &rootText, const QString &entry, FtpMode mode)
{
    return mode == FtpMode::SingleFile ? entry : Site::absolutePath(rootText, entry);
}

Retry retryOf(const QString &entry, FtpMode mode)
{
    Retry retry;
    if (mode == FtpMode::SingleFile)
        return retry;
    QString folder = entry;
    folder.replace(u'\\', u'/');
    const qsizetype slash = folder.lastIndexOf(u'/');
    folder = slash < 0 ? QString() : folder.left(slash);
    while (folder.startsWith(QStringLiteral(".."))) {
        ++retry.ups;
        folder.remove(0, folder.size() > 2 && folder.at(2) == u'/' ? 3 : 2);
    }
    for (const QString &name : folder.split(u'/', Qt::SkipEmptyParts))
        retry.folders.append(name);
    return retry;
}

namespace {

void collect(const SiteNode &node, QList<const SiteNode *> &nodes)
{
    nodes.append(&node);
    for (int i = 0; i < node.childCount(); ++i)
        collect(*node.child(i), nodes);
}

} // namespace

QStringList siteFiles(const SiteNode &root)
{
    QList<const SiteNode *> nodes;
    collect(root, nodes);
    QStringList files;
    for (qsizetype i = 2; i < nodes.size(); ++i) {
        const QString text = nodes.at(i)->text();
        if (!text.isEmpty() && QFileInfo(Site::absolutePath(root.text(), text)).isFile())
            files.append(text);
    }
    return files;
}

QString maskedLine(const QString &line)
{
    if (line.startsWith(QStringLiteral("PASS "), Qt::CaseInsensitive)
        || line.compare(u"PASS", Qt::CaseInsensitive) == 0)
        return QStringLiteral("PASS ****");
    return line;
}

} // namespace FtpPlan

struct FtpSession::Curl
{
    CURL *easy = nullptr;
    curl_slist *quote = nullptr;
    QFile *file = nullptr;
    char error[CURL_ERROR_SIZE] = {};
};

namespace {

constexpr long timeoutSeconds = 15;

int onDebug(CURL *, curl_infotype type, char *data, size_t size, void *user)
{
    static_cast<FtpSession *>(user)->debugText(int(type), data, size);
    return 0;
}

size_t onRead(char *buffer, size_t size, size_t count, void *user)
{
    auto *file = static_cast<QFile *>(user);
    const qint64 n = file->read(buffer, qint64(size * count));
    return n < 0 ? CURL_READFUNC_ABORT : size_t(n);
}

int onProgress(void *user, curl_off_t, curl_off_t, curl_off_t total, curl_off_t sent)
{
    return static_cast<FtpSession *>(user)->transferProgress(qint64(total), qint64(sent));
}

void globalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

FtpSession::FtpSession(const FtpSettings &settings, LogLine log)
    : m_curl(std::make_unique<Curl>())
    , m_settings(settings)
    , m_log(std::move(log))
{
    globalInit();
    CURL *easy = m_curl->easy = curl_easy_init();
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, m_curl->error);
    curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, onDebug);
    curl_easy_setopt(easy, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, timeoutSeconds);
    curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeoutSeconds);
    // A data connection that moves nothing for the time-out fails like an unanswered command.
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, timeoutSeconds);
    // Paths are always given whole, so libcurl never changes the folder on its own and the working
    // folder stays the one the upload's commands chose.
    curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
    if (m_settings.secure)
        curl_easy_setopt(easy, CURLOPT_USE_SSL, long(CURLUSESSL_TRY));
    if (!m_settings.userName.isEmpty()) {
        curl_easy_setopt(easy, CURLOPT_USERNAME, m_settings.userName.toUtf8().constData());
        curl_easy_setopt(easy, CURLOPT_PASSWORD, m_settings.password.toUtf8().constData());
    }
}

FtpSession::~FtpSession()
{
    quit();
}

void FtpSession::reset()
{
    CURL *easy = m_curl->easy;
    curl_easy_setopt(easy, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(easy, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(easy, CURLOPT_QUOTE, nullptr);
    curl_easy_setopt(easy, CURLOPT_READFUNCTION, nullptr);
    curl_easy_setopt(easy, CURLOPT_READDATA, nullptr);
    if (m_curl->quote) {
        curl_slist_free_all(m_curl->quote);
        m_curl->quote = nullptr;
    }
    m_curl->error[0] = '\0';
    m_progress = {};
    m_lastError.clear();
}

QByteArray FtpSession::urlFor(const QString &absolutePath) const
{
    QString host = m_settings.hostName.trimmed();
    if (host.contains(u':') && !host.startsWith(u'['))
        host = u'[' + host + u']';
    // The first "/" only separates the host; "%2F" makes the path start at the server's root.
    QByteArray url = "ftp://" + QUrl::toPercentEncoding(host, "[]:") + "/%2F";
    QString path = absolutePath;
    if (path.startsWith(u'/'))
        path.remove(0, 1);
    // Dot segments are escaped, or libcurl would resolve them itself: the server is the one to say where
    // "www/../shared" is.
    const QStringList segments = path.split(u'/');
    for (qsizetype i = 0; i < segments.size(); ++i) {
        if (i > 0)
            url += '/';
        const QString &segment = segments.at(i);
        url += segment == u"." ? QByteArray("%2E")
            : segment == u".." ? QByteArray("%2E%2E")
                               : QUrl::toPercentEncoding(segment);
    }
    return url;
}

void FtpSession::debugText(int type, const char *data, size_t size)
{
    QByteArray *pending = nullptr;
    if (type == CURLINFO_HEADER_IN)
        pending = &m_pendingIn;
    else if (type == CURLINFO_HEADER_OUT)
        pending = &m_pendingOut;
    else
        return;
    pending->append(data, qsizetype(size));
    qsizetype end;
    while ((end = pending->indexOf('\n')) >= 0) {
        QString line = QString::fromUtf8(pending->left(end));
        pending->remove(0, end + 1);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (m_log)
            m_log(FtpPlan::maskedLine(line));
    }
}

int FtpSession::transferProgress(qint64 total, qint64 sent)
{
    if (m_cancelled)
        return 1;
    if (m_progress && total > 0)
        m_progress(sent, total);
    return 0;
}

bool FtpSession::perform()
{
    if (m_cancelled) {
        m_lastError = QStringLiteral("The upload was cancelled.");
        return false;
    }
    const CURLcode code = curl_easy_perform(m_curl->easy);
    if (code == CURLE_OK)
        return true;
    if (m_cancelled)
        m_lastError = QStringLiteral("The upload was cancelled.");
    else if (m_curl->error[0])
        m_lastError = QString::fromUtf8(m_curl->error);
    else
        m_lastError = QString::fromUtf8(curl_easy_strerror(code));
    if (m_log)
        m_log(m_lastError);
    return false;
}

bool FtpSession::connect()
{
    if (!m_curl->easy)
        return false;
    reset();
    if (m_settings.hostName.trimmed().isEmpty()) {
        m_lastError = QStringLiteral("No host name was given.");
        return false;
    }
    bool numeric = false;
    const uint port = m_settings.port.trimmed().isEmpty() ? 21 : m_settings.port.trimmed().toUInt(&numeric);
    if ((!numeric && !m_settings.port.trimmed().isEmpty()) || port == 0 || port > 65535) {
        m_lastError = QStringLiteral("The port \"%1\" is not a number from 1 to 65535.").arg(m_settings.port);
        return false;
    }
    curl_easy_setopt(m_curl->easy, CURLOPT_PORT, long(port));
    curl_easy_setopt(m_curl->easy, CURLOPT_URL, urlFor(QStringLiteral("/")).constData());
    curl_easy_setopt(m_curl->easy, CURLOPT_NOBODY, 1L);
    if (!perform())
        return false;
    char *entry = nullptr;
    m_loggedIn = true;
    if (curl_easy_getinfo(m_curl->easy, CURLINFO_FTP_ENTRY_PATH, &entry) == CURLE_OK && entry && *entry)
        m_workingFolder = QString::fromUtf8(entry);
    return true;
}

bool FtpSession::put(
    const QString &localFile, const QString &remotePath, bool ascii, const Progress &progress)
{
    if (!m_curl->easy)
        return false;
    reset();
    QFile file(localFile);
    if (!QFileInfo(localFile).isFile() || !file.open(QIODevice::ReadOnly)) {
        m_lastError
            = QStringLiteral("%1 could not be read: %2")
                  .arg(localFile,
                      QFileInfo(localFile).isDir() ? QStringLiteral("it is a folder") : file.errorString());
        if (m_log)
            m_log(m_lastError);
        return false;
    }
    QString absolute = remotePath;
    if (!absolute.startsWith(u'/'))
        absolute = (m_workingFolder.endsWith(u'/') ? m_workingFolder : m_workingFolder + u'/') + absolute;
    CURL *easy = m_curl->easy;
    curl_easy_setopt(easy, CURLOPT_URL, urlFor(absolute).constData());
    curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, ascii ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_READFUNCTION, onRead);
    curl_easy_setopt(easy, CURLOPT_READDATA, &file);
    curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, curl_off_t(file.size()));
    m_progress = progress;
    const bool ok = perform();
    curl_easy_setopt(easy, CURLOPT_READDATA, nullptr);
    return ok;
}

bool FtpSession::commands(const QStringList &commands, bool ignoreFailures)
{
    if (!m_curl->easy)
        return false;
    reset();
    for (const QString &command : commands)
        m_curl->quote = curl_slist_append(m_curl->quote,
            ((ignoreFailures ? QByteArray("*") : QByteArray()) + command.toUtf8()).constData());
    curl_easy_setopt(m_curl->easy, CURLOPT_URL, urlFor(QStringLiteral("/")).constData());
    curl_easy_setopt(m_curl->easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(m_curl->easy, CURLOPT_QUOTE, m_curl->quote);
    return perform();
}

void FtpSession::quit()
{
    if (!m_curl->easy)
        return;
    reset();
    // libcurl would close the connection out of the log's sight; QUIT is sent as a command of our own.
    if (m_loggedIn && !m_cancelled) {
        m_curl->quote = curl_slist_append(m_curl->quote, "QUIT");
        curl_easy_setopt(m_curl->easy, CURLOPT_URL, urlFor(QStringLiteral("/")).constData());
        curl_easy_setopt(m_curl->easy, CURLOPT_NOBODY, 1L);
        curl_easy_setopt(m_curl->easy, CURLOPT_QUOTE, m_curl->quote);
        curl_easy_perform(m_curl->easy);
    }
    m_log = {};
    reset();
    curl_easy_cleanup(m_curl->easy);
    m_curl->easy = nullptr;
    m_loggedIn = false;
}

FtpUploadJob::FtpUploadJob(
    const FtpSettings &settings, const QStringList &entries, FtpMode mode, const QString &rootText)
    : m_settings(settings)
    , m_entries(entries)
    , m_mode(mode)
    , m_rootText(rootText)
{ }

FtpUploadJob::~FtpUploadJob() = default;

void FtpUploadJob::cancel()
{
    m_cancelled = true;
    if (FtpSession *session = m_session.load())
        session->cancel();
}

void FtpUploadJob::run()
{
    m_result = FtpResult();
    m_result.total = int(m_entries.size());
    FtpSession session(m_settings, [this](const QString &line) { Q_EMIT logLine(line); });
    m_session = &session;
    if (m_cancelled)
        session.cancel();

    const auto finish = [&] {
        m_result.cancelled = session.cancelled();
        session.quit();
        m_session = nullptr;
        Q_EMIT finished();
    };
    const auto notSent = [&](qsizetype from, const QString &why) {
        for (qsizetype i = from; i < m_entries.size(); ++i)
            m_result.failed.append({ m_entries.at(i), why });
    };

    if (!session.connect()) {
        m_result.connectError = session.lastError();
        notSent(0, m_result.connectError);
        finish();
        return;
    }
    m_result.connected = true;
    const QString base = m_settings.path.isEmpty() ? QStringLiteral("/") : u'/' + m_settings.path;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const QString &entry = m_entries.at(i);
        if (session.cancelled()) {
            notSent(i, QStringLiteral("cancelled"));
            break;
        }
        Q_EMIT fileStarted(int(i), entry);
        const QString local = FtpPlan::localFile(m_rootText, entry, m_mode);
        const QString remote = FtpPlan::remotePath(m_settings.path, entry, m_mode);
        const bool ascii = FtpPlan::isAscii(local);
        const auto progress = [this](qint64 sent, qint64 total) { Q_EMIT fileProgress(sent, total); };
        if (!QFileInfo(local).isFile()) {
            m_result.failed.append({ entry, QStringLiteral("the file does not exist") });
            Q_EMIT logLine(QStringLiteral("%1 does not exist.").arg(local));
            continue;
        }
        bool ok = session.put(local, remote, ascii, progress);
        if (!ok && !session.cancelled()) {
            // The folders may be missing: create them from the base folder and try once more. A base
            // folder that is missing itself is made first, so nothing is created in the wrong place.
            QStringList commands;
            if (!session.commands({ QStringLiteral("CWD ") + base }, false) && !session.cancelled()) {
                commands << QStringLiteral("CWD /");
                for (const QString &folder : m_settings.path.split(u'/', Qt::SkipEmptyParts))
                    commands << QStringLiteral("MKD ") + folder << QStringLiteral("CWD ") + folder;
            }
            const FtpPlan::Retry retry = FtpPlan::retryOf(entry, m_mode);
            for (int up = 0; up < retry.ups; ++up)
                commands << QStringLiteral("CDUP");
            for (const QString &folder : retry.folders)
                commands << QStringLiteral("MKD ") + folder << QStringLiteral("CWD ") + folder;
            // A relative path is resolved in the base folder, before this Put and every later one.
            if (m_settings.path.isEmpty())
                commands << QStringLiteral("CWD /");
            session.commands(commands);
            if (m_settings.path.isEmpty())
                session.setWorkingFolder(QStringLiteral("/"));
            ok = !session.cancelled() && session.put(local, remote, ascii, progress);
        }
        if (ok)
            m_result.sent.append(entry);
        else
            m_result.failed.append({ entry, session.lastError() });
    }
    finish();
}

QString ftpFailureMessage(const FtpResult &result)
{
    if (result.failed.isEmpty())
        return QString();
    QString text
        = QStringLiteral("%1 of %2 files could not be sent:").arg(result.failed.size()).arg(result.total);
    constexpr int shown = 10;
    for (qsizetype i = 0; i < result.failed.size() && i < shown; ++i)
        text += QStringLiteral("\n%1 (%2)").arg(result.failed.at(i).first, result.failed.at(i).second);
    if (result.failed.size() > shown)
        text += QStringLiteral("\nand %1 more.").arg(result.failed.size() - shown);
    return text;
}
