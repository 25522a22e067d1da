#include "LocalHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>

#include <algorithm>

namespace {

constexpr qint64 kChunk = 64 * 1024;

char GeneratedByte(qint64 index) {
    return static_cast<char>((index * 7 + index / 253) & 0xff);
}

QByteArray ReasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

} // namespace

// One accepted connection: reads one request, answers it, then closes.
class LocalHttpServer::Connection final : public QObject {
public:
    Connection(LocalHttpServer& server, QTcpSocket* socket)
        : QObject(socket)
        , server_(server)
        , socket_(socket) {
        connect(socket, &QTcpSocket::readyRead, this, &Connection::Read);
        connect(socket, &QTcpSocket::bytesWritten, this, &Connection::WriteMore);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    const QByteArray& Target() const { return target_; }

    void Resume() {
        if (answered_ && route_.holdHead) {
            route_.holdHead = false;
            WriteHead();
        } else if (answered_ && route_.stallAfter >= 0) {
            route_.stallAfter = -1;
            limit_ = route_.dropAfter >= 0 ? std::min(size_, route_.dropAfter) : size_;
            WriteMore();
        } else if (answered_ && route_.stallEvery > 0 && sent_ == limit_) {
            limit_ = std::min(size_, limit_ + route_.stallEvery);
            if (route_.dropAfter >= 0) {
                limit_ = std::min(limit_, route_.dropAfter);
            }
            WriteMore();
        }
    }

    void StopStalling() {
        route_.stallAfter = -1;
        route_.stallEvery = 0;
        if (!answered_) {
            route_.holdHead = false;
            return;
        }
        limit_ = route_.dropAfter >= 0 ? std::min(size_, route_.dropAfter) : size_;
        if (route_.holdHead) {
            route_.holdHead = false;
            WriteHead();
        } else {
            WriteMore();
        }
    }

private:
    void Read() {
        if (answered_) {
            socket_->readAll();
            return;
        }
        request_ += socket_->readAll();
        if (!request_.contains("\r\n\r\n")) {
            return;
        }
        const QList<QByteArray> requestLine = request_.left(request_.indexOf("\r\n")).split(' ');
        const QByteArray target = requestLine.value(1);
        target_ = target;
        server_.requests_.append(target);
        server_.requestHeads_.append(request_.left(request_.indexOf("\r\n\r\n")));
        answered_ = true;

        const auto found = server_.routes_.constFind(target);
        if (found != server_.routes_.constEnd()) {
            route_ = *found;
        } else if (server_.anyOther_) {
            route_ = *server_.anyOther_;
        } else {
            route_.status = 404;
            route_.contentType.clear();
        }
        if (!server_.stalling_) {
            route_.holdHead = false;
            route_.stallAfter = -1;
            route_.stallEvery = 0;
        }
        size_ = route_.generatedSize >= 0 ? route_.generatedSize : route_.body.size();
        limit_ = size_;
        for (qint64 cut : {route_.dropAfter, route_.stallAfter,
                           route_.stallEvery > 0 ? route_.stallEvery : qint64(-1)}) {
            if (cut >= 0) {
                limit_ = std::min(limit_, cut);
            }
        }
        if (!route_.holdHead) {
            WriteHead();
        }
    }

    void WriteHead() {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(route_.status) + ' ' +
                          ReasonPhrase(route_.status) + "\r\n";
        if (!route_.contentType.isEmpty()) {
            head += "Content-Type: " + route_.contentType + "\r\n";
        }
        if (!route_.contentDisposition.isEmpty()) {
            head += "Content-Disposition: " + route_.contentDisposition + "\r\n";
        }
        head += route_.extraHeaders;
        if (!route_.etag.isEmpty()) {
            head += "ETag: " + route_.etag + "\r\nAccept-Ranges: bytes\r\n";
        }
        if (!route_.omitLength) {
            head += "Content-Length: " + QByteArray::number(size_) + "\r\n";
        }
        head += "Cache-Control: no-store\r\nConnection: close\r\n\r\n";
        socket_->write(head);
        WriteMore();
    }

    void WriteMore() {
        if (!answered_ || socket_->bytesToWrite() > kChunk) {
            return;
        }
        if (sent_ < limit_) {
            const qint64 length = std::min(kChunk, limit_ - sent_);
            if (route_.generatedSize >= 0) {
                QByteArray chunk(length, Qt::Uninitialized);
                for (qint64 i = 0; i < length; ++i) {
                    chunk[i] = GeneratedByte(sent_ + i);
                }
                socket_->write(chunk);
            } else {
                socket_->write(route_.body.mid(sent_, length));
            }
            sent_ += length;
            server_.bodyBytesSent_ += length;
            return;
        }
        const bool stalled = (route_.stallAfter >= 0 || route_.stallEvery > 0) && limit_ < size_ &&
                             (route_.dropAfter < 0 || limit_ < route_.dropAfter);
        if (socket_->bytesToWrite() == 0 && !stalled) {
            socket_->disconnectFromHost();
        }
    }

    LocalHttpServer& server_;
    QTcpSocket* socket_;
    QByteArray request_;
    QByteArray target_;
    HttpRoute route_;
    qint64 size_ = 0;
    qint64 limit_ = 0;
    qint64 sent_ = 0;
    bool answered_ = false;
};

LocalHttpServer::LocalHttpServer() {
    connect(&server_, &QTcpServer::newConnection, this, &LocalHttpServer::Accept);
}

bool LocalHttpServer::Listen() {
    return server_.listen(QHostAddress::LocalHost, 0);
}

bool LocalHttpServer::Listen(quint16 port) {
    return server_.listen(QHostAddress::LocalHost, port);
}

QString LocalHttpServer::Address(const QString& pathAndQuery) const {
    return Root(Port()) + pathAndQuery;
}

QString LocalHttpServer::Root(quint16 port) {
    return QStringLiteral("http://127.0.0.1:") + QString::number(port);
}

void LocalHttpServer::Serve(const QByteArray& target, const HttpRoute& route) {
    routes_.insert(target, route);
}

void LocalHttpServer::ResumeStalled() {
    connections_.removeAll(nullptr);
    for (const QPointer<Connection>& connection : std::as_const(connections_)) {
        connection->Resume();
    }
}

void LocalHttpServer::StopStalling() {
    stalling_ = false;
    connections_.removeAll(nullptr);
    for (const QPointer<Connection>& connection : std::as_const(connections_)) {
        connection->StopStalling();
    }
}

QByteArray LocalHttpServer::GeneratedBody(qint64 size) {
    return GeneratedBody(0, size);
}

QByteArray LocalHttpServer::GeneratedBody(qint64 offset, qint64 length) {
    QByteArray body(length, Qt::Uninitialized);
    for (qint64 i = 0; i < length; ++i) {
        body[i] = GeneratedByte(offset + i);
    }
    return body;
}

int LocalHttpServer::OpenConnections() const {
    return static_cast<int>(
        std::count_if(connections_.cbegin(), connections_.cend(),
                      [](const QPointer<Connection>& c) { return c != nullptr; }));
}

int LocalHttpServer::OpenConnections(const QByteArray& target) const {
    return static_cast<int>(std::count_if(connections_.cbegin(), connections_.cend(),
                                          [&target](const QPointer<Connection>& c) {
                                              return c != nullptr && c->Target() == target;
                                          }));
}

void LocalHttpServer::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connections_.append(new Connection(*this, socket));
    }
}
