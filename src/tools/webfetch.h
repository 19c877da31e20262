// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

// Open From Web's transfer: one HTTP/1.0 GET of a page, its body decoded like a file from disk. The
// fetch blocks, so the dialog runs it on a worker thread; a cancel flag aborts it.
namespace WebFetch {

inline constexpr int timeoutMs = 5000; // connecting, and waiting for any data once connected
inline constexpr qint64 maximumBody = 50 * 1024 * 1024;

// The address to request for what the user typed: "http://" is put in front of one without a scheme.
// Nothing, with the reason in *error, for an address too short to name a host or of another scheme.
std::optional<QString> requestAddress(const QString &typed, QString *error);

struct Result
{
    bool ok = false;
    bool cancelled = false;
    QString status; // the status panel's text when the fetch failed
    int httpStatus = 0;
    QByteArray body;
    QString contentType;
};

// Called on the fetching thread with each status text as the transfer goes on.
using StatusCallback = std::function<void(const QString &status)>;

Result fetch(const QString &address, const std::atomic<bool> &cancel, const StatusCallback &status = {});

// The body as text: in the charset the server names when it is a known one, else UTF-8 when valid,
// else Windows-1252; line breaks made CR LF.
QString decodeBody(const QByteArray &body, const QString &contentType);

} // namespace WebFetch
