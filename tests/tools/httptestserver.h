// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A small HTTP server on 127.0.0.1 for the web tests: it records each request and answers as the test
// says, or not at all, or slowly. It runs on the test's event loop, so the fetch runs on another thread.
#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

class HttpTestServer : public QObject
{
public:
    enum class Mode { Answer, Silent, Slow };

    HttpTestServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                m_sockets.append(socket);
                QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            }
        });
    }
    bool listening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    QString address(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
    }

    void answer(const QByteArray &status, const QByteArray &body, const QByteArray &headers = {})
    {
        m_mode = Mode::Answer;
        m_status = status;
        m_body = body;
        m_headers = headers;
    }
    void setMode(Mode mode) { m_mode = mode; }

    const QList<QByteArray> &requests() const { return m_requests; }

private:
    void read(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n"))
            return;
        m_requests.append(buffer);
        if (m_mode == Mode::Silent)
            return;
        if (m_mode == Mode::Slow) {
            socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<html>");
            auto *timer = new QTimer(socket);
            QObject::connect(timer, &QTimer::timeout, socket, [socket] { socket->write("."); });
            timer->start(200);
            return;
        }
        // Headers the test gives may claim another length.
        const QByteArray length = m_headers.contains("Content-Length:")
            ? QByteArray()
            : "Content-Length: " + QByteArray::number(m_body.size()) + "\r\n";
        socket->write("HTTP/1.0 " + m_status + "\r\n" + m_headers + length + "\r\n" + m_body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QList<QPointer<QTcpSocket>> m_sockets;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<QByteArray> m_requests;
    Mode m_mode = Mode::Answer;
    QByteArray m_status = "200 OK";
    QByteArray m_body;
    QByteArray m_headers;
};
