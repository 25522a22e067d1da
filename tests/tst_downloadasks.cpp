// How a download request the engine sends is told apart: asked by a pane
// and still wanted, asked and since withdrawn, or never asked through here.
#include "DownloadAsks.h"
#include "TestTable.h"

#include <QTest>

#include <memory>

class TestDownloadAsks final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void askIsTakenOnceWithItsExpectation();
    void withdrawnOrOrphanedAskIsNotOffered();
    void otherNamesAreNotOurs_data();
    void otherNamesAreNotOurs();
};

void TestDownloadAsks::askIsTakenOnceWithItsExpectation() {
    DownloadAsks asks;
    QObject pane;
    DownloadExpectation expected;
    expected.identity.sha1 = "0123456789abcdef0123456789abcdef01234567";
    expected.fileName = QStringLiteral("minecraft_server.1.7.2.jar");
    const QString first = asks.Add(pane, expected);
    const QString second = asks.Add(pane, {});
    QVERIFY(first != second);

    DownloadAsks::Ask ask;
    QCOMPARE(asks.Take(first, &ask), DownloadAsks::Match::Asked);
    QCOMPARE(ask.asker.data(), &pane);
    QCOMPARE(ask.expected.identity.sha1, expected.identity.sha1);
    QCOMPARE(ask.expected.fileName, expected.fileName);
    // The engine may send a request twice; only the first takes the ask.
    QCOMPARE(asks.Take(first), DownloadAsks::Match::Withdrawn);
    QCOMPARE(asks.Take(second), DownloadAsks::Match::Asked);
    QCOMPARE(asks.OpenCount(), 0);
}

void TestDownloadAsks::withdrawnOrOrphanedAskIsNotOffered() {
    DownloadAsks asks;
    QObject staying;
    auto leaving = std::make_unique<QObject>();
    const QString kept = asks.Add(staying, {});
    const QString withdrawn = asks.Add(staying, {});
    const QString orphaned = asks.Add(*leaving, {});
    asks.Withdraw(staying);
    const QString afterwards = asks.Add(staying, {});
    leaving.reset();

    QCOMPARE(asks.Take(withdrawn), DownloadAsks::Match::Withdrawn);
    QCOMPARE(asks.Take(kept), DownloadAsks::Match::Withdrawn);
    QCOMPARE(asks.Take(orphaned), DownloadAsks::Match::Withdrawn);
    QCOMPARE(asks.Take(afterwards), DownloadAsks::Match::Asked);
}

void TestDownloadAsks::otherNamesAreNotOurs_data() {
    TEST_COLUMNS(QString, name);
    QTest::newRow("none") << QString();
    QTest::newRow("a server's") << QStringLiteral("minecraft_server.1.7.2.jar");
    QTest::newRow("shaped like ours, other run")
        << QStringLiteral("creeper-toolkit-0000000000000000-1");
}

void TestDownloadAsks::otherNamesAreNotOurs() {
    TEST_FETCH(QString, name);
    DownloadAsks asks;
    QObject pane;
    asks.Add(pane, {});
    QCOMPARE(asks.Take(name), DownloadAsks::Match::NotAsked);
    QCOMPARE(asks.OpenCount(), 1);
}

QTEST_APPLESS_MAIN(TestDownloadAsks)
#include "tst_downloadasks.moc"
