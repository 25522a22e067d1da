// The pane's requests to today's services, against a server of the test's
// own: what each kind of answer becomes, through redirects or none, with the
// toolbox named in every request, and that a request whose asker has gone
// stops at once instead of holding a connection to its host.
#include "DownloadSource.h"
#include "LateCheck.h"
#include "LegacyAddress.h"
#include "LocalHttpServer.h"
#include "NetworkFetcher.h"
#include "TestTable.h"
#include "VersionChecks.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>
#include <vector>

namespace {

// The time limit where the limit is what is tested.
constexpr int kTimeoutMs = 500;
// Elsewhere: far more than anything needs, so that under load what ends a
// request is what the test is about, not the clock.
constexpr int kLongLimitMs = 20000;
// How long a test waits for what it expects.
constexpr int kWaitMs = 60000;
// What every answer below is bounded by: a profile's, a look-up's.
constexpr qint64 kCap = Fetcher::kSmallAnswerBytes;

} // namespace

Q_DECLARE_METATYPE(HttpRoute)

class TestNetworkFetcher final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answerBecomes_data();
    void answerBecomes();
    void droppedRequestStopsAtOnce();
    void mirrorIsAskedOverTls();
    void retryAfterIsRead_data();
    void retryAfterIsRead();
    void fileFetchedWholeOrNot_data();
    void fileFetchedWholeOrNot();
};

void TestNetworkFetcher::answerBecomes_data() {
    // redirects: hops before the route is reached
    // failure: after "127.0.0.1:<port>"
    TEST_COLUMNS(HttpRoute, route, int, redirects, int, status, QByteArray, body, QString, failure,
                 int, limitMs);

    HttpRoute ok;
    ok.body = "{\"id\":\"x\"}";
    QTest::newRow("answered") << ok << 0 << 200 << ok.body << QString() << kLongLimitMs;
    HttpRoute missing;
    missing.status = 404;
    missing.body = "gone";
    QTest::newRow("404, body kept for the reader")
        << missing << 0 << 404 << missing.body << QString() << kLongLimitMs;
    HttpRoute held;
    held.holdHead = true;
    QTest::newRow("no answer within the limit")
        << held << 0 << 0 << QByteArray() << QStringLiteral(" 在 0.5 秒内没有回答") << kTimeoutMs;
    HttpRoute trickle;
    trickle.generatedSize = 1024;
    trickle.stallAfter = 10;
    QTest::newRow("answer that stops part way")
        << trickle << 0 << 200 << QByteArray() << QStringLiteral(" 在 0.5 秒内没有回答")
        << kTimeoutMs;
    const QString tooLarge = QStringLiteral(" 的回答超过 64 KiB，工具箱没有读取");
    HttpRoute full;
    full.generatedSize = kCap;
    QTest::newRow("answer of exactly the bound")
        << full << 0 << 200 << LocalHttpServer::GeneratedBody(kCap) << QString() << kLongLimitMs;
    HttpRoute huge;
    huge.generatedSize = kCap + 1;
    QTest::newRow("answer one byte past the bound")
        << huge << 0 << 200 << QByteArray() << tooLarge << kLongLimitMs;
    // Only the head comes, then nothing: waiting for the body would end in
    // the time limit instead.
    HttpRoute promised;
    promised.body = "x";
    promised.omitLength = true;
    promised.extraHeaders = "Content-Length: " + QByteArray::number(kCap + 1) + "\r\n";
    promised.stallAfter = 0;
    QTest::newRow("length past the bound refused before the body")
        << promised << 0 << 200 << QByteArray() << tooLarge << kLongLimitMs;
    // No length, and the server holds the rest once the cap is passed: what
    // was read must stop it, not the time limit.
    HttpRoute endless;
    endless.omitLength = true;
    endless.generatedSize = 64 * kCap;
    endless.stallAfter = kCap + 1;
    QTest::newRow("no length, endless body")
        << endless << 0 << 200 << QByteArray() << tooLarge << kLongLimitMs;
    QTest::newRow("five redirects followed")
        << ok << 5 << 200 << ok.body << QString() << kLongLimitMs;
    QTest::newRow("six redirects")
        << ok << 6 << 302 << QByteArray() << QStringLiteral(" 的重定向过多") << kLongLimitMs;
}

void TestNetworkFetcher::answerBecomes() {
    TEST_FETCH(HttpRoute, route, int, redirects, int, status, QByteArray, body, QString, failure,
               int, limitMs);

    LocalHttpServer server;
    QVERIFY(server.Listen());
    server.Serve("/answer", route);
    for (int i = 0; i < redirects; ++i) {
        HttpRoute hop;
        hop.status = 302;
        hop.extraHeaders =
            "Location: " + (i + 1 < redirects ? "/hop/" + QByteArray::number(i + 1) : "/answer") +
            "\r\n";
        server.Serve("/hop/" + QByteArray::number(i), hop);
    }
    NetworkFetcher fetcher(limitMs);
    QObject asker;
    std::optional<HttpAnswer> answer;
    fetcher.Get(
        QUrl(server.Address(redirects > 0 ? QStringLiteral("/hop/0") : QStringLiteral("/answer"))),
        kCap, asker, [&answer](const HttpAnswer& given) { answer = given; });
    QTRY_VERIFY_WITH_TIMEOUT(answer.has_value(), limitMs + kWaitMs);
    const QString host = QStringLiteral("127.0.0.1:%1").arg(server.Port());
    QCOMPARE(answer->host, host);
    QCOMPARE(answer->failure, failure.isEmpty() ? QString() : host + failure);
    if (failure.isEmpty()) {
        QCOMPARE(answer->status, status);
        QCOMPARE(answer->body, body);
    }
    // Every request names the toolbox, those that follow a redirect too.
    const QByteArray userAgent = "User-Agent: CreeperToolkit/" CT_VERSION;
    QVERIFY(!server.RequestHeads().isEmpty());
    for (const QByteArray& head : server.RequestHeads()) {
        QVERIFY2(("\r\n" + head + "\r\n").contains("\r\n" + userAgent + "\r\n"), head.constData());
    }
    server.ResumeStalled();
}

// Each of six askers goes while its host holds the answer: the host must
// see each connection closed long before the time limit, and a seventh
// request to it (the manager opens six at most to one host) be answered.
void TestNetworkFetcher::droppedRequestStopsAtOnce() {
    LocalHttpServer server;
    QVERIFY(server.Listen());
    HttpRoute held;
    held.holdHead = true;
    server.Serve("/held", held);
    server.Serve("/next", HttpRoute{});
    NetworkFetcher fetcher(kLongLimitMs);

    int lateAnswers = 0;
    std::vector<std::unique_ptr<QObject>> askers;
    for (int i = 0; i < 6; ++i) {
        askers.push_back(std::make_unique<QObject>());
        fetcher.Get(QUrl(server.Address(QStringLiteral("/held"))), *askers.back(),
                    [&lateAnswers](const HttpAnswer&) { ++lateAnswers; });
    }
    QTRY_COMPARE_WITH_TIMEOUT(server.OpenConnections(), 6, kWaitMs);
    askers.clear();
    QTRY_COMPARE_WITH_TIMEOUT(server.OpenConnections(), 0, kLongLimitMs / 2);

    QObject asker;
    std::optional<HttpAnswer> answer;
    fetcher.Get(QUrl(server.Address(QStringLiteral("/next"))), asker,
                [&answer](const HttpAnswer& given) { answer = given; });
    QTRY_VERIFY_WITH_TIMEOUT(answer.has_value(), kWaitMs);
    QCOMPARE(answer->status, 200);
    QCOMPARE(lateAnswers, 0);
}

// With the configuration's own scheme the mirror is asked over TLS, for its
// description as for the file: a listener on its host sees a handshake
// (a TLS record, 0x16 0x03), never a plain request.
void TestNetworkFetcher::mirrorIsAskedOverTls() {
    QTcpServer listener;
    QVERIFY(listener.listen(QHostAddress::LocalHost));
    LegacyEndpoints endpoints;
    endpoints.mirrorHost = QStringLiteral("127.0.0.1:%1").arg(listener.serverPort());
    LegacyAddress jar;
    jar.target = LegacyTarget::MirrorFile;
    jar.file = VersionFile::ServerJar;
    jar.version = jar.encodedVersion = QStringLiteral("1.7.2");
    QCOMPARE(MirrorAddress(jar, endpoints).scheme(), QStringLiteral("https"));

    NetworkFetcher fetcher(kLongLimitMs);
    const auto check = AskMirrorDescription(fetcher, endpoints, jar);
    QTRY_VERIFY_WITH_TIMEOUT(listener.hasPendingConnections(), kWaitMs);
    QTcpSocket* socket = listener.nextPendingConnection();
    QTRY_VERIFY_WITH_TIMEOUT(socket->bytesAvailable() >= 2, kWaitMs);
    const QByteArray first = socket->read(2);
    QCOMPARE(first.at(0), char(0x16));
    QCOMPARE(first.at(1), char(0x03));
    socket->abort();
    QTRY_VERIFY_WITH_TIMEOUT(check->IsSettled(), kWaitMs);
}

// How long a service that asks to wait (429) wants, as the page will say it.
void TestNetworkFetcher::retryAfterIsRead_data() {
    TEST_COLUMNS(QByteArray, header, int, seconds);
    QTest::newRow("seconds") << QByteArray("Retry-After: 120\r\n") << 120;
    QTest::newRow("a date gone by")
        << QByteArray("Retry-After: Wed, 21 Oct 2015 07:28:00 GMT\r\n") << 0;
    QTest::newRow("none") << QByteArray() << -1;
    QTest::newRow("unreadable") << QByteArray("Retry-After: soon\r\n") << -1;
    QTest::newRow("negative") << QByteArray("Retry-After: -5\r\n") << -1;
    QTest::newRow("more than a day") << QByteArray("Retry-After: 99999999999\r\n") << 86400;
}

void TestNetworkFetcher::retryAfterIsRead() {
    TEST_FETCH(QByteArray, header, int, seconds);
    LocalHttpServer server;
    QVERIFY(server.Listen());
    HttpRoute busy;
    busy.status = 429;
    busy.extraHeaders = header;
    server.Serve("/busy", busy);
    NetworkFetcher fetcher(kLongLimitMs);
    QObject asker;
    std::optional<HttpAnswer> answer;
    fetcher.Get(QUrl(server.Address(QStringLiteral("/busy"))), asker,
                [&answer](const HttpAnswer& given) { answer = given; });
    QTRY_VERIFY_WITH_TIMEOUT(answer.has_value(), kWaitMs);
    QVERIFY(answer->AsksToWait());
    QCOMPARE(answer->retryAfterSeconds, seconds);
}

// A file the toolbox fetches itself (the store's copy of a jar the mirror
// refused): written whole, or stopped with why, as its server behaves; and
// only into a file it makes itself, never through a link planted under its
// name.
void TestNetworkFetcher::fileFetchedWholeOrNot_data() {
    // linkPlanted: under the part's name
    // reason: after "127.0.0.1:<port>"
    TEST_COLUMNS(HttpRoute, route, bool, linkPlanted, bool, whole, QString, reason);
    HttpRoute jar;
    jar.generatedSize = 300 * 1024 + 7;
    QTest::newRow("whole") << jar << false << true << QString();
    HttpRoute missing;
    missing.status = 404;
    QTest::newRow("404") << missing << false << false << QStringLiteral(" 回答 HTTP 404");
    HttpRoute busy;
    busy.status = 429;
    busy.extraHeaders = "Retry-After: 30\r\n";
    QTest::newRow("429") << busy << false << false << QStringLiteral(" 回答 HTTP 429");
    // The host is named without the user info the address it ended at
    // holds, which would put the server's words into the window.
    HttpRoute named;
    named.status = 302;
    named.extraHeaders = "Location: http://%E4%B8%8B%E8%BD%BD%E5%AE%8C%E6%88%90@127.0.0.1:"
                         "{port}/gone\r\n";
    QTest::newRow("redirected to an address with user info")
        << named << false << false << QStringLiteral(" 回答 HTTP 404");
    HttpRoute cut = jar;
    cut.dropAfter = 1000;
    QTest::newRow("connection dropped part way") << cut << false << false << QString();
    QTest::newRow("a link planted") << jar << true << false << QString();
}

void TestNetworkFetcher::fileFetchedWholeOrNot() {
    TEST_FETCH(HttpRoute, route, bool, linkPlanted, bool, whole, QString, reason);
    LocalHttpServer server;
    QVERIFY(server.Listen());
    route.extraHeaders.replace("{port}", QByteArray::number(server.Port()));
    server.Serve("/jar", route);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("part"));
    const QString theirs = folder.filePath(QStringLiteral("theirs"));
    if (linkPlanted) {
        QFile file(theirs);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("theirs") == 6);
        QVERIFY(QFile::link(theirs, path));
    }
    NetworkFetcher fetcher(kLongLimitMs);
    const auto source = fetcher.Download(QUrl(server.Address(QStringLiteral("/jar"))), path);
    QTRY_VERIFY_WITH_TIMEOUT(source->Now() != DownloadSource::State::Running, kWaitMs);
    if (linkPlanted) {
        QCOMPARE(source->Now(), DownloadSource::State::Interrupted);
        QVERIFY2(source->InterruptReason().startsWith(QStringLiteral("无法写入文件（")),
                 qPrintable(source->InterruptReason()));
        QFile file(theirs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("theirs"));
        return;
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    if (whole) {
        QCOMPARE(source->Now(), DownloadSource::State::Completed);
        QVERIFY(file.readAll() == LocalHttpServer::GeneratedBody(route.generatedSize));
        QCOMPARE(source->ReceivedBytes(), route.generatedSize);
        return;
    }
    QCOMPARE(source->Now(), DownloadSource::State::Interrupted);
    const QString host = QStringLiteral("127.0.0.1:%1").arg(server.Port());
    if (!reason.isEmpty()) {
        QCOMPARE(source->InterruptReason(), host + reason);
        // An error answer's body is never taken for the file.
        QCOMPARE(file.size(), 0);
    } else {
        QVERIFY2(source->InterruptReason().startsWith(QStringLiteral("与 ") + host),
                 qPrintable(source->InterruptReason()));
    }
}

QTEST_GUILESS_MAIN(TestNetworkFetcher)
#include "tst_networkfetcher.moc"
