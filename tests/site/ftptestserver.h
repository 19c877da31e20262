// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// A real FTP server for one test: pyftpdlib on 127.0.0.1, a port of the system's choosing and a
// temporary home folder. It stops when the object goes.
class FtpTestServer
{
public:
    static constexpr const char *user = "webmaster";
    static constexpr const char *password = "pa55word";

    explicit FtpTestServer(const QStringList &extra = {})
    {
        QStringList args { QStringLiteral(TAGLOOM_FTP_SERVER), QStringLiteral("--home"), m_home.path(),
            QStringLiteral("--user"), QLatin1String(user), QStringLiteral("--password"),
            QLatin1String(password) };
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral("/usr/bin/python3"), args + extra);
        if (!m_process.waitForStarted(10000))
            return;
        while (m_process.state() == QProcess::Running && !m_process.canReadLine())
            m_process.waitForReadyRead(10000);
        const QByteArray line = m_process.readLine().trimmed();
        if (line.startsWith("PORT "))
            m_port = line.mid(5).toInt();
    }
    ~FtpTestServer()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // 0 when the server could not be started; the test then fails.
    int port() const { return m_port; }
    QString home() const { return m_home.path(); }
    QString file(const QString &remote) const { return m_home.path() + u'/' + remote; }
    QByteArray bytes(const QString &remote) const
    {
        QFile f(file(remote));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

private:
    QTemporaryDir m_home;
    QProcess m_process;
    int m_port = 0;
};
