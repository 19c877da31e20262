// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/sitefile.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

// Site mode sends files of the site named by their site-relative paths; single-file mode sends one
// document named by its full path.
enum class FtpMode { Site = 0, SingleFile = 1 };

struct FtpSettings
{
    QString hostName;
    QString port = QStringLiteral("21");
    QString path;
    QString userName;
    QString password;
    // Explicit TLS when the server offers it; a server without it is used in plain FTP.
    bool secure = true;
};

// The rules of an upload, on plain values.
namespace FtpPlan {

// "/" + path + "/" (no second "/" when path ends with one) + the entry (its file name in single-file
// mode), every "\" made "/"; the entry alone when path is empty.
QString remotePath(const QString &path, const QString &entry, FtpMode mode);
// ASCII for ".htm", ".html" and ".css" in any case, binary for everything else.
bool isAscii(const QString &localFile);
QString localFile(const QString &rootText, const QString &entry, FtpMode mode);

// What the folder-creating retry does after going to the base folder: the number of CDUPs for the
// leading ".." of the entry's folder, then the folders to create and enter, outermost first.
struct Retry
{
    int ups = 0;
    QStringList folders;
};
Retry retryOf(const QString &entry, FtpMode mode);

// The entries site mode offers: every node's text from the third node in tree order on whose file
// exists under the root and is a regular file.
QStringList siteFiles(const SiteNode &root);

// "PASS ****" for a password command; every other line as it is.
QString maskedLine(const QString &line);

} // namespace FtpPlan

// One control connection through libcurl, with the few operations an upload needs. Every call blocks
// until the server has answered, 15 seconds have passed without an answer, or cancel() was called from
// another thread. Each command sent and each reply received reaches the log as one line, the
// password masked.
class FtpSession
{
public:
    using LogLine = std::function<void(const QString &line)>;
    using Progress = std::function<void(qint64 sent, qint64 total)>;

    FtpSession(const FtpSettings &settings, LogLine log);
    ~FtpSession();
    FtpSession(const FtpSession &) = delete;
    FtpSession &operator=(const FtpSession &) = delete;

    // Opens the connection and logs in.
    bool connect();
    // Stores the local file under the remote path (absolute, or relative to the working folder) in
    // ASCII or binary.
    bool put(const QString &localFile, const QString &remotePath, bool ascii, const Progress &progress = {});
    // Sends the commands one after another on the connection. With ignoreFailures a command whose reply
    // is a failure does not stop the ones after it, and false means the connection itself failed;
    // without, the first failure stops them and gives false.
    bool commands(const QStringList &commands, bool ignoreFailures = true);
    // The working folder relative paths are resolved in.
    void setWorkingFolder(const QString &folder) { m_workingFolder = folder; }
    QString workingFolder() const { return m_workingFolder; }
    void quit();

    // Safe from any thread: the operation under way fails at once, and every later one too.
    void cancel() { m_cancelled = true; }
    bool cancelled() const { return m_cancelled; }
    // Why the last operation failed, for the user.
    QString lastError() const { return m_lastError; }

    // libcurl's callbacks, public for its C interface only.
    void debugText(int type, const char *data, size_t size);
    int transferProgress(qint64 total, qint64 sent);

private:
    bool perform();
    QByteArray urlFor(const QString &absolutePath) const;
    void reset();

    struct Curl;
    std::unique_ptr<Curl> m_curl;
    FtpSettings m_settings;
    LogLine m_log;
    Progress m_progress;
    QByteArray m_pendingIn;
    QByteArray m_pendingOut;
    QString m_workingFolder = QStringLiteral("/");
    QString m_lastError;
    std::atomic<bool> m_cancelled { false };
    bool m_loggedIn = false;
};

// What an upload came to.
struct FtpResult
{
    bool connected = false;
    QString connectError;
    int total = 0;
    QStringList sent;
    QList<std::pair<QString, QString>> failed; // entry and why
    bool cancelled = false;
};

// The whole transmit: connect, each entry with its folder-creating retry, quit. Runs on a worker
// thread; its signals reach the dialog queued. cancel() may be called from any thread.
class FtpUploadJob : public QObject
{
    Q_OBJECT
public:
    FtpUploadJob(
        const FtpSettings &settings, const QStringList &entries, FtpMode mode, const QString &rootText);
    ~FtpUploadJob() override;

    void run();
    void cancel();
    const FtpResult &result() const { return m_result; }

Q_SIGNALS:
    void logLine(const QString &line);
    void fileStarted(int index, const QString &entry);
    void fileProgress(qint64 sent, qint64 total);
    void finished();

private:
    FtpSettings m_settings;
    QStringList m_entries;
    FtpMode m_mode;
    QString m_rootText;
    FtpResult m_result;
    std::atomic<FtpSession *> m_session { nullptr };
    std::atomic<bool> m_cancelled { false };
};

// The end-of-upload message when any file could not be sent; empty when all were.
QString ftpFailureMessage(const FtpResult &result);
