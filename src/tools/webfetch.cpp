// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/webfetch.h"

#include "base/documentfile.h"
#include "base/productstrings.h"
#include "editor/sourcebuffer.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <curl/curl.h>

namespace WebFetch {

namespace {

struct Transfer
{
    const std::atomic<bool> *cancel = nullptr;
    const StatusCallback *status = nullptr;
    CURL *curl = nullptr;
    QByteArray body;
    QString reason; // the reason phrase of the last status line
    bool tooLarge = false;
    bool announcedHost = false;
    bool announcedConnect = false;
    curl_off_t reported = -1;

    void say(const QString &text) const
    {
        if (*status)
            (*status)(text);
    }
};

size_t writeBody(char *data, size_t size, size_t count, void *user)
{
    auto *transfer = static_cast<Transfer *>(user);
    const size_t bytes = size * count;
    if (transfer->body.size() + qint64(bytes) > maximumBody) {
        transfer->tooLarge = true;
        return 0; // aborts the transfer
    }
    transfer->body.append(data, qsizetype(bytes));
    return bytes;
}

size_t readHeader(char *data, size_t size, size_t count, void *user)
{
    auto *transfer = static_cast<Transfer *>(user);
    const QByteArray line = QByteArray(data, qsizetype(size * count)).trimmed();
    static const QRegularExpression statusLine(QStringLiteral("^HTTP/\\S+\\s+\\d+\\s*(.*)$"));
    const QRegularExpressionMatch match = statusLine.match(QString::fromLatin1(line));
    if (match.hasMatch())
        transfer->reason = match.captured(1);
    return size * count;
}

int progress(void *user, curl_off_t, curl_off_t received, curl_off_t, curl_off_t)
{
    auto *transfer = static_cast<Transfer *>(user);
    if (transfer->cancel->load())
        return 1;
    curl_off_t lookup = 0;
    curl_off_t connect = 0;
    curl_easy_getinfo(transfer->curl, CURLINFO_NAMELOOKUP_TIME_T, &lookup);
    curl_easy_getinfo(transfer->curl, CURLINFO_CONNECT_TIME_T, &connect);
    if (lookup > 0 && !transfer->announcedHost) {
        transfer->announcedHost = true;
        transfer->say(QStringLiteral("Host contacted. Waiting for relpy..."));
    }
    if (connect > 0 && !transfer->announcedConnect) {
        transfer->announcedConnect = true;
        transfer->say(QStringLiteral("Connected"));
    }
    if (received > 0 && received != transfer->reported) {
        transfer->reported = received;
        transfer->say(QStringLiteral("Received %1 bytes").arg(qint64(received)));
    }
    return 0;
}

void initialiseOnce()
{
    static const bool done = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
    Q_UNUSED(done);
}

} // namespace

std::optional<QString> requestAddress(const QString &typed, QString *error)
{
    QString address = typed.trimmed();
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*)://"));
    const QRegularExpressionMatch match = scheme.match(address);
    if (match.hasMatch()) {
        const QString name = match.captured(1).toLower();
        if (name != u"http" && name != u"https") {
            *error = QStringLiteral("Only http:// and https:// addresses can be opened");
            return std::nullopt;
        }
    } else {
        address.prepend(QStringLiteral("http://"));
    }
    if (address.size() < 8 || address.endsWith(QStringLiteral("://"))) {
        *error = QStringLiteral("Please type the address of the file to open");
        return std::nullopt;
    }
    return address;
}

Result fetch(const QString &address, const std::atomic<bool> &cancel, const StatusCallback &status)
{
    initialiseOnce();
    Result result;
    CURL *curl = curl_easy_init();
    if (!curl) {
        result.status = QStringLiteral("Unable to download file");
        return result;
    }
    Transfer transfer;
    transfer.cancel = &cancel;
    transfer.status = &status;
    transfer.curl = curl;

    const QByteArray url = address.toUtf8();
    const QByteArray referer = QByteArrayLiteral("Referer: ") + Product::caption().toUtf8();
    curl_slist *headers = nullptr;
    headers
        = curl_slist_append(headers, "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff");
    headers = curl_slist_append(
        headers, "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript");
    headers = curl_slist_append(headers, referer.constData());
    headers = curl_slist_append(headers, "Content-type: application/x-www-form-urlencoded");

    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(timeoutMs));
    // A server that connects and then says nothing is given up after the same time.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(timeoutMs / 1000));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, readHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(maximumBody));

    const CURLcode code = curl_easy_perform(curl);
    long httpStatus = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &httpStatus);
    char *contentType = nullptr;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &contentType);
    result.contentType = contentType ? QString::fromLatin1(contentType) : QString();
    result.httpStatus = int(httpStatus);
    curl_easy_cleanup(curl);
    curl_slist_free_all(headers);

    switch (code) {
    case CURLE_OK:
        if (httpStatus >= 400) {
            result.status = QStringLiteral("Unable to download file: the server answered %1 %2")
                                .arg(httpStatus)
                                .arg(transfer.reason);
            result.status = result.status.trimmed();
        } else {
            result.ok = true;
            result.body = std::move(transfer.body);
        }
        break;
    case CURLE_ABORTED_BY_CALLBACK:
        result.cancelled = true;
        result.status = QStringLiteral("Not connected");
        break;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_URL_MALFORMAT:
        result.status = QStringLiteral("Invalid host");
        break;
    case CURLE_COULDNT_CONNECT:
        result.status = QStringLiteral("Unable to connect");
        break;
    case CURLE_OPERATION_TIMEDOUT:
        result.status = QStringLiteral("Unable to download file: the server did not answer within %1 seconds")
                            .arg(timeoutMs / 1000);
        break;
    case CURLE_FILESIZE_EXCEEDED:
    case CURLE_WRITE_ERROR:
        if (code == CURLE_FILESIZE_EXCEEDED || transfer.tooLarge) {
            result.status = QStringLiteral("Unable to download file: it is larger than 50 MB");
            break;
        }
        [[fallthrough]];
    default:
        result.status
            = QStringLiteral("Unable to download file: ") + QString::fromUtf8(curl_easy_strerror(code));
        break;
    }
    return result;
}

QString decodeBody(const QByteArray &body, const QString &contentType)
{
    static const QRegularExpression charset(
        QStringLiteral("charset\\s*=\\s*\"?([A-Za-z0-9._:-]+)"), QRegularExpression::CaseInsensitiveOption);
    const QString name = charset.match(contentType).captured(1).toLower();
    // Western 8-bit names are read as a file from disk is: Windows-1252 is what such pages hold.
    static const QStringList western { QStringLiteral("iso-8859-1"), QStringLiteral("latin1"),
        QStringLiteral("windows-1252"), QStringLiteral("cp1252"), QStringLiteral("us-ascii") };
    if (!name.isEmpty() && !western.contains(name)) {
        QStringDecoder decoder(name.toLatin1().constData());
        if (decoder.isValid()) {
            const QString text = decoder.decode(body);
            if (!decoder.hasError())
                return SourceBuffer::normalizeLineBreaks(text);
        }
    }
    return DocumentFile::decode(body).text;
}

} // namespace WebFetch
