// A download job without the engine: a source the test drives writes the
// part file; the job checks it and puts it in place or leaves nothing.
#include "DownloadJob.h"
#include "FakeDownloadSource.h"
#include "FakeFetcher.h"
#include "LateCheck.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(DownloadSource::State)
Q_DECLARE_METATYPE(DownloadJob::State)

namespace {

const QByteArray kBody = "jar bytes";
const QByteArray kBodySha = QCryptographicHash::hash(kBody, QCryptographicHash::Sha1).toHex();

struct Fixture {
    QTemporaryDir folder;
    QString chosen = folder.filePath(QStringLiteral("server.jar"));
    PartFile part{chosen};
    // Counted here: the job deletes its source.
    int cancels = 0;
    FakeDownloadSource* source = new FakeDownloadSource(part.Path(), cancels);

    std::unique_ptr<DownloadJob> Start(DownloadExpectation expected = {}) {
        return std::make_unique<DownloadJob>(part, std::move(expected),
                                             std::unique_ptr<DownloadSource>(source));
    }
    QStringList Files() const { return QDir(folder.path()).entryList(QDir::Files); }
};

} // namespace

class TestDownloadJob final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void endsAsItsSourceAndCheckSay_data();
    void endsAsItsSourceAndCheckSay();
    void waitsForACheckWorthWaitingFor_data();
    void waitsForACheckWorthWaitingFor();
    void goneWhileRunningLeavesNothing();
    void fileThatCannotBePlacedIsAFailure();
};

void TestDownloadJob::endsAsItsSourceAndCheckSay_data() {
    QTest::addColumn<DownloadSource::State>("end");
    QTest::addColumn<QByteArray>("sha1");
    QTest::addColumn<DownloadJob::State>("state");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("saved");

    using S = DownloadSource::State;
    using J = DownloadJob::State;
    QTest::newRow("complete, nothing to check")
        << S::Completed << QByteArray() << J::Succeeded << QStringLiteral("下载完成") << true;
    QTest::newRow("complete and matching")
        << S::Completed << kBodySha << J::Succeeded << QStringLiteral("下载完成（已校验）") << true;
    QTest::newRow("complete but not the file expected")
        << S::Completed << QByteArray(40, '0') << J::Failed
        << QStringLiteral("下载失败：文件校验不符，已删除（SHA-1 为 %1，应为 %2）")
               .arg(QString::fromLatin1(kBodySha), QString(40, QLatin1Char('0')))
        << false;
    QTest::newRow("cancelled") << S::Cancelled << QByteArray() << J::Cancelled
                               << QStringLiteral("已取消") << false;
    QTest::newRow("interrupted") << S::Interrupted << QByteArray() << J::Failed
                                 << QStringLiteral("下载失败：网络已断开") << false;
    QTest::newRow("writer gone") << S::Gone << QByteArray() << J::Failed
                                 << QStringLiteral("下载失败：下载已中止") << false;
}

void TestDownloadJob::endsAsItsSourceAndCheckSay() {
    QFETCH(DownloadSource::State, end);
    QFETCH(QByteArray, sha1);
    QFETCH(DownloadJob::State, state);
    QFETCH(QString, status);
    QFETCH(bool, saved);

    Fixture fixture;
    DownloadExpectation expected;
    expected.sha1 = sha1;
    auto job = fixture.Start(expected);
    QSignalSpy changes(job.get(), &DownloadJob::Changed);
    fixture.source->Write(kBody, kBody.size());
    QVERIFY(job->IsRunning());
    QCOMPARE(job->ReceivedBytes(), kBody.size());
    fixture.source->Become(end, QStringLiteral("网络已断开"));
    QCOMPARE(job->Now(), state);
    QCOMPARE(job->Status(), status);
    QCOMPARE(changes.size(), 2);
    QCOMPARE(fixture.Files(), saved ? QStringList{QStringLiteral("server.jar")} : QStringList{});
    // An ended job is deaf to its source and does not stop it again.
    fixture.source->Become(end == DownloadSource::State::Cancelled
                               ? DownloadSource::State::Interrupted
                               : DownloadSource::State::Cancelled);
    QCOMPARE(job->Status(), status);
    QCOMPARE(changes.size(), 2);
    job.reset();
    QCOMPARE(fixture.cancels, 0);
    QCOMPARE(fixture.Files(), saved ? QStringList{QStringLiteral("server.jar")} : QStringList{});
}

void TestDownloadJob::waitsForACheckWorthWaitingFor_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("cancelWhileWaiting");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("saved");

    const QByteArray description = R"({"downloads":{"server":{"sha1":")" + kBodySha +
                                   R"(","size":9,"url":"http://m.test/s"}}})";
    QTest::newRow("answered, matching")
        << description << false << QStringLiteral("下载完成（已按镜像的版本描述校验）") << true;
    QTest::newRow("answered without the file")
        << QByteArray(R"({"downloads":{}})") << false
        << QStringLiteral("下载完成（未校验：m.test 的版本描述中没有这个文件）") << true;
    QTest::newRow("cancelled while waiting")
        << description << true << QStringLiteral("已取消") << false;
}

void TestDownloadJob::waitsForACheckWorthWaitingFor() {
    QFETCH(QByteArray, answer);
    QFETCH(bool, cancelWhileWaiting);
    QFETCH(QString, status);
    QFETCH(bool, saved);

    FakeFetcher fetcher;
    Fixture fixture;
    DownloadExpectation expected;
    expected.late = LateCheck::Ask(fetcher, QUrl(QStringLiteral("http://m.test/version/1/json")),
                                   QStringLiteral("镜像的版本描述"), true, [](const HttpAnswer& a) {
                                       LateCheck::Verdict verdict;
                                       if (a.body.contains("sha1")) {
                                           verdict.sha1 = kBodySha;
                                       } else {
                                           verdict.unverifiedReason =
                                               a.host + QStringLiteral(" 的版本描述中没有这个文件");
                                       }
                                       return verdict;
                                   });
    auto job = fixture.Start(std::move(expected));
    fixture.source->Write(kBody, kBody.size());
    fixture.source->Become(DownloadSource::State::Completed);
    QCOMPARE(job->Now(), DownloadJob::State::AwaitingCheck);
    QCOMPARE(job->Status(), QStringLiteral("正在等待镜像的版本描述以校验文件…"));
    QVERIFY(job->IsRunning());
    QVERIFY(!QFile::exists(fixture.chosen)); // only the part, until the check is in
    if (cancelWhileWaiting) {
        job->Cancel();
    }
    QVERIFY(fetcher.Answer(200, answer));
    QCOMPARE(job->Status(), status);
    QCOMPARE(fixture.Files(), saved ? QStringList{QStringLiteral("server.jar")} : QStringList{});
}

void TestDownloadJob::goneWhileRunningLeavesNothing() {
    Fixture fixture;
    auto job = fixture.Start();
    FakeDownloadSource& source = *fixture.source;
    source.Write(kBody, 4 * kBody.size());
    QCOMPARE(fixture.Files().size(), 1); // the part
    job->Cancel();
    QCOMPARE(fixture.cancels, 1);
    QVERIFY(job->IsRunning()); // until the source says it has stopped
    job.reset();
    QCOMPARE(fixture.cancels, 2);
    QCOMPARE(fixture.Files(), QStringList{});
}

// The chosen name is a folder with something in it: the file cannot go there.
void TestDownloadJob::fileThatCannotBePlacedIsAFailure() {
    Fixture fixture;
    QVERIFY(QDir(fixture.folder.path()).mkpath(QStringLiteral("server.jar/inside")));
    auto job = fixture.Start();
    fixture.source->Write(kBody, kBody.size());
    fixture.source->Become(DownloadSource::State::Completed);
    QCOMPARE(job->Now(), DownloadJob::State::Failed);
    QVERIFY2(job->Status().startsWith(QStringLiteral("下载失败：无法保存到 ") + fixture.chosen),
             qPrintable(job->Status()));
    QCOMPARE(fixture.Files(), QStringList{});
}

QTEST_GUILESS_MAIN(TestDownloadJob)
#include "tst_downloadjob.moc"
