#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>

#include <optional>

// How the server answers one request-target.
struct HttpRoute {
    int status = 200;
    QByteArray contentType = "text/html; charset=utf-8";
    QByteArray body;
    // Sent as a Content-Disposition header when not empty.
    QByteArray contentDisposition;
    // When not negative, the body is GeneratedBody(generatedSize) instead of
    // `body`, written a chunk at a time as the client takes it.
    qint64 generatedSize = -1;
    // Further header lines, each ending in "\r\n".
    QByteArray extraHeaders;
    // Sent as an ETag header, with Accept-Ranges, when not empty: it tells a
    // client it may resume. Range requests still get the whole body.
    QByteArray etag;
    // Leaves out Content-Length: the body then ends when the connection does.
    bool omitLength = false;
    // When not negative, the connection is closed after this many body bytes,
    // though Content-Length promised the whole body.
    qint64 dropAfter = -1;
    // When not negative, nothing more is sent after this many body bytes until
    // ResumeStalled(); the connection stays open meanwhile.
    qint64 stallAfter = -1;
    // When true, nothing at all is answered until ResumeStalled(): the client
    // waits for the head.
    bool holdHead = false;
    // When above 0, the answer pauses after every this many body bytes until
    // ResumeStalled(), so a client can be watched at each step.
    qint64 stallEvery = 0;
};

// A small HTTP/1.1 server on 127.0.0.1 for tests. Serves the routes it is
// given, answers 404 with an empty body for any other target (unless told
// otherwise), and records the
// request-target of every request exactly as it came. One request per
// connection.
class LocalHttpServer final : public QObject {
    Q_OBJECT

public:
    LocalHttpServer();

    // Listens on a free port of 127.0.0.1; false if it cannot.
    bool Listen();
    // Listens on `port` of 127.0.0.1, for code that was told the port
    // beforehand; false if it is taken.
    bool Listen(quint16 port);
    // Stops taking connections: a client is then refused.
    void Close() { server_.close(); }
    bool IsListening() const { return server_.isListening(); }
    quint16 Port() const { return server_.serverPort(); }
    // Root(Port()) followed by `pathAndQuery`, unchanged.
    QString Address(const QString& pathAndQuery) const;
    // "http://127.0.0.1:<port>": the root of any test server's addresses.
    static QString Root(quint16 port);

    void Serve(const QByteArray& target, const HttpRoute& route);
    // How every target not served is answered, in place of a 404.
    void ServeAnyOther(const HttpRoute& route) { anyOther_ = route; }

    QList<QByteArray> Requests() const { return requests_; }
    // Every request's head as it came, request line and headers up to the
    // empty line, in the order of Requests().
    QList<QByteArray> RequestHeads() const { return requestHeads_; }
    void ClearRequests() {
        requests_.clear();
        requestHeads_.clear();
    }

    // Connections a client still holds open; those that asked for `target`.
    int OpenConnections() const;
    int OpenConnections(const QByteArray& target) const;
    // Body bytes written to clients since the server began.
    qint64 BodyBytesSent() const { return bodyBytesSent_; }

    // Lets every stalled answer send the rest of its body.
    void ResumeStalled();
    // Lets every answer, open or to come, send all it has without a pause,
    // whatever its route says of stalling, until AllowStalling().
    void StopStalling();
    void AllowStalling() { stalling_ = true; }

    // The bytes of a generated body: a pattern that does not repeat every 256
    // bytes, so a shifted or repeated chunk shows.
    static QByteArray GeneratedBody(qint64 size);
    // `length` bytes of a generated body from `offset` on, to check a large
    // body a piece at a time.
    static QByteArray GeneratedBody(qint64 offset, qint64 length);

private:
    class Connection;
    void Accept();

    QTcpServer server_;
    QHash<QByteArray, HttpRoute> routes_;
    std::optional<HttpRoute> anyOther_;
    QList<QByteArray> requests_;
    QList<QByteArray> requestHeads_;
    QList<QPointer<Connection>> connections_;
    qint64 bodyBytesSent_ = 0;
    bool stalling_ = true;
};
