// A download job without the engine: a source the test drives writes the
// part file; the job checks it and puts it in place or leaves nothing.
#include "DownloadJob.h"
#include "FakeDownloadSource.h"
#include "FakeFetcher.h"
#include "FileCheck.h"
#include "LateCheck.h"
#include "LegacyAddress.h"
#include "MirrorFallback.h"

#include <QCryptographicHash>
#include <QDir>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(DownloadSource::State)
Q_DECLARE_METATYPE(DownloadJob::State)
Q_DECLARE_METATYPE(FileVerdict::Kind)

namespace {

const QByteArray kBody = "jar bytes";
const QByteArray kBodySha = QCryptographicHash::hash(kBody, QCryptographicHash::Sha1).toHex();
// An official description of that body as the server jar.
const QByteArray kDescriptionOf9 = R"({"downloads":{"server":{"sha1":")" + kBodySha +
                                   R"(","size":9,"url":"https://data.test/s.jar"}}})";

// A SHA-1, or "size <bytes>" for a size alone.
FileIdentity IdentityIn(const QByteArray& text) {
    FileIdentity identity;
    if (text.startsWith("size ")) {
        identity.size = text.mid(5).toLongLong();
    } else {
        identity.sha1 = text;
    }
    return identity;
}

// The official description, then the mirror's, asked beside a mirror's jar:
// each answers as IdentityIn reads it, or "none" for a description without
// the file.
const QUrl kOfficial(QStringLiteral("http://o.test/1.json"));
const QUrl kMirror(QStringLiteral("http://m.test/version/1/json"));
std::vector<std::shared_ptr<LateCheck>> AskBoth(FakeFetcher& fetcher) {
    const auto read = [](const HttpAnswer& a) {
        LateCheck::Verdict verdict;
        if (a.body != "none") {
            verdict.identity = IdentityIn(a.body);
        } else {
            verdict.unverifiedReason = a.host + QStringLiteral(" 的版本描述中没有这个文件");
        }
        return verdict;
    };
    return {LateCheck::Ask(fetcher, kOfficial, QStringLiteral("官方版本描述"), false, read),
            LateCheck::Ask(fetcher, kMirror, QStringLiteral("镜像的版本描述"), true, read)};
}

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
    void judgesTheWholeFile_data();
    void judgesTheWholeFile();
    void endsAsItsSourceAndCheckSay_data();
    void endsAsItsSourceAndCheckSay();
    void usesTheFirstCheckThatVouches_data();
    void usesTheFirstCheckThatVouches();
    void stopsPastItsKnownSize_data();
    void stopsPastItsKnownSize();
    void refusedFileComesFromElsewhere_data();
    void refusedFileComesFromElsewhere();
    void goneWhileRunningLeavesNothing();
    void nothingWrittenAfterTheEndSurvives_data();
    void nothingWrittenAfterTheEndSurvives();
    void fileThatCannotBePlacedIsAFailure();
};

// Against what the pane knew, else the first late check that vouches by now.
void TestDownloadJob::judgesTheWholeFile_data() {
    QTest::addColumn<QByteArray>("own");
    QTest::addColumn<QByteArrayList>("answers"); // of AskBoth's; null: none yet
    QTest::addColumn<FileVerdict::Kind>("kind");
    QTest::addColumn<QString>("detail");

    using K = FileVerdict::Kind;
    const QByteArray wrong(40, 'e');
    QTest::newRow("nothing asked") << QByteArray() << QByteArrayList() << K::Unchecked << QString();
    QTest::newRow("what the pane knew") << kBodySha << QByteArrayList() << K::Matched << QString();
    // A size says the file is whole, not that it is the one described.
    QTest::newRow("what the pane knew, a size alone")
        << QByteArray("size 9") << QByteArrayList() << K::Unchecked
        << QStringLiteral("版本描述没有给出 SHA-1，只核对了大小");
    QTest::newRow("first with a size alone")
        << QByteArray() << QByteArrayList{"size 9", kBodySha} << K::Unchecked
        << QStringLiteral("官方版本描述没有给出 SHA-1，只核对了大小");
    QTest::newRow("first with a wrong size alone")
        << QByteArray() << QByteArrayList{"size 8", "none"} << K::Mismatched
        << QStringLiteral("大小为 9 字节，应为 8 字节");
    QTest::newRow("first over a later one that disagrees")
        << QByteArray() << QByteArrayList{wrong, kBodySha} << K::Mismatched
        << QStringLiteral("SHA-1 为 %1，应为 %2")
               .arg(QString::fromLatin1(kBodySha), QString::fromLatin1(wrong));
    QTest::newRow("first silent, next without the file")
        << QByteArray() << QByteArrayList{QByteArray(), "none"} << K::Unchecked
        << QStringLiteral("官方版本描述没有及时回答；m.test 的版本描述中没有这个文件");
    QTest::newRow("first without a value")
        << QByteArray() << QByteArrayList{"", "none"} << K::Unchecked
        << QStringLiteral("官方版本描述没有给出校验值；m.test 的版本描述中没有这个文件");
}

void TestDownloadJob::judgesTheWholeFile() {
    QFETCH(QByteArray, own);
    QFETCH(QByteArrayList, answers);
    QFETCH(FileVerdict::Kind, kind);
    QFETCH(QString, detail);

    FakeFetcher fetcher;
    Fixture fixture;
    const std::unique_ptr<FakeDownloadSource> writer(fixture.source);
    writer->Write(kBody, kBody.size());
    DownloadExpectation expected;
    expected.identity = IdentityIn(own);
    if (!answers.isEmpty()) {
        expected.late = AskBoth(fetcher);
        for (const QUrl& url : {kOfficial, kMirror}) {
            if (const QByteArray answer = answers.takeFirst(); !answer.isNull()) {
                QVERIFY(fetcher.Answer(url, 200, answer));
            }
        }
    }
    const FileVerdict verdict = JudgeFile(fixture.part.Path(), expected);
    QCOMPARE(verdict.kind, kind);
    QCOMPARE(verdict.detail, detail);
}

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
    expected.identity.sha1 = sha1;
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

// Two checks asked beside the file, the more trusted first: it is used if it
// has answered by the end; only the second is waited for.
void TestDownloadJob::usesTheFirstCheckThatVouches_data() {
    QTest::addColumn<QByteArray>("official"); // answered before the end; null: not at all
    QTest::addColumn<QByteArray>("mirror");   // answered while the job waits
    QTest::addColumn<bool>("cancelWhileWaiting");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("saved");

    const QByteArray right = kBodySha;
    const QByteArray none = "none";
    QTest::newRow("official answered, mirror not waited for")
        << right << QByteArray() << false << QStringLiteral("下载完成（已按官方版本描述校验）")
        << true;
    QTest::newRow("official silent, mirror matching")
        << QByteArray() << right << false << QStringLiteral("下载完成（已按镜像的版本描述校验）")
        << true;
    QTest::newRow("neither vouches")
        << none << none << false
        << QStringLiteral("下载完成（未校验：o.test 的版本描述中没有这个文件；"
                          "m.test 的版本描述中没有这个文件）")
        << true;
    QTest::newRow("cancelled while waiting")
        << QByteArray() << right << true << QStringLiteral("已取消") << false;
}

void TestDownloadJob::usesTheFirstCheckThatVouches() {
    QFETCH(QByteArray, official);
    QFETCH(QByteArray, mirror);
    QFETCH(bool, cancelWhileWaiting);
    QFETCH(QString, status);
    QFETCH(bool, saved);

    FakeFetcher fetcher;
    Fixture fixture;
    DownloadExpectation expected;
    expected.late = AskBoth(fetcher);
    auto job = fixture.Start(std::move(expected));
    if (!official.isNull()) {
        QVERIFY(fetcher.Answer(kOfficial, 200, official));
    }
    fixture.source->Write(kBody, kBody.size());
    fixture.source->Become(DownloadSource::State::Completed);
    if (job->Now() == DownloadJob::State::AwaitingCheck) {
        QCOMPARE(job->Status(),
                 official.isNull()
                     ? QStringLiteral("正在等待官方版本描述和镜像的版本描述以校验文件…")
                     : QStringLiteral("正在等待镜像的版本描述以校验文件…"));
        QVERIFY(!QFile::exists(fixture.chosen)); // only the part, until a check is in
        if (cancelWhileWaiting) {
            job->Cancel();
        }
        QVERIFY(fetcher.Answer(kMirror, 200, mirror));
    } else {
        QVERIFY(mirror.isNull()); // waited for nothing
    }
    QCOMPARE(job->Status(), status);
    QCOMPARE(fixture.Files(), saved ? QStringList{QStringLiteral("server.jar")} : QStringList{});
}

// A file may not grow past the size it must have, nor be promised more: it
// is stopped at once and nothing is kept, whenever the size becomes known.
void TestDownloadJob::stopsPastItsKnownSize_data() {
    QTest::addColumn<qint64>("size");     // known from the start, or -1
    QTest::addColumn<qint64>("lateSize"); // told by a check after the first bytes, or -1
    QTest::addColumn<qint64>("promised");
    QTest::addColumn<int>("written");
    QTest::addColumn<bool>("stopped");

    QTest::newRow("one byte more than described") << 9LL << -1LL << 0LL << 10 << true;
    QTest::newRow("promised 40 MB, sent little") << 9LL << -1LL << 40'000'000LL << 1 << true;
    QTest::newRow("size learnt late, already past") << -1LL << 9LL << 0LL << 12 << true;
    QTest::newRow("exactly the size") << 9LL << -1LL << 9LL << 9 << false;
    QTest::newRow("no size known") << -1LL << -1LL << 0LL << 100 << false;
}

void TestDownloadJob::stopsPastItsKnownSize() {
    QFETCH(qint64, size);
    QFETCH(qint64, lateSize);
    QFETCH(qint64, promised);
    QFETCH(int, written);
    QFETCH(bool, stopped);

    FakeFetcher fetcher;
    Fixture fixture;
    DownloadExpectation expected;
    expected.identity.size = size;
    expected.late = {LateCheck::Ask(fetcher, QUrl(QStringLiteral("http://m.test/json")),
                                    QStringLiteral("镜像的版本描述"), true,
                                    [lateSize](const HttpAnswer&) {
                                        return LateCheck::Verdict{{{}, lateSize}, {}};
                                    })};
    auto job = fixture.Start(std::move(expected));
    fixture.source->Write(QByteArray(written, 'x'), promised);
    QVERIFY(fetcher.Answer(200));
    QCOMPARE(fixture.cancels, stopped ? 1 : 0);
    if (!stopped) {
        QCOMPARE(job->Now(), DownloadJob::State::Running);
        return;
    }
    // More bytes while it stops ask nothing more of it.
    fixture.source->Write("y", promised);
    QCOMPARE(fixture.cancels, 1);
    fixture.source->Become(DownloadSource::State::Cancelled);
    QCOMPARE(job->Now(), DownloadJob::State::Failed);
    QCOMPARE(job->Status(), QStringLiteral("下载失败：文件比版本描述的大（应为 9 字节），已删除"));
    QCOMPARE(fixture.Files(), QStringList{});
}

// A file its server refused before its first byte is looked for in the
// official store and written into the same part; not once bytes have come.
void TestDownloadJob::refusedFileComesFromElsewhere_data() {
    QTest::addColumn<int>("firstBytes"); // what the refusing source had written
    QTest::addColumn<QByteArray>("manifest");
    QTest::addColumn<bool>("cancelWhileLooking");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("saved");

    const QByteArray description = kDescriptionOf9;
    const QByteArray manifest =
        R"({"versions":[{"id":"1.7.2","url":"https://meta.test/1.7.2.json","sha1":")" +
        QCryptographicHash::hash(description, QCryptographicHash::Sha1).toHex() + R"("}]})";
    QTest::newRow("found in the store")
        << 0 << manifest << false << QStringLiteral("下载完成（已校验）") << true;
    QTest::newRow("not in the store either")
        << 0 << QByteArray(R"({"versions":[]})") << false
        << QStringLiteral(
               "下载失败：找不到版本「1.7.2」（官方版本列表中没有这个版本，请检查版本号。"
               "（BMCLAPI 镜像 mirror.test 无法提供这个文件：HTTP 503））")
        << false;
    QTest::newRow("cancelled while looking")
        << 0 << manifest << true << QStringLiteral("已取消") << false;
    QTest::newRow("refused after some bytes")
        << 3 << QByteArray() << false << QStringLiteral("下载失败：HTTP 503") << false;
}

void TestDownloadJob::refusedFileComesFromElsewhere() {
    QFETCH(int, firstBytes);
    QFETCH(QByteArray, manifest);
    QFETCH(bool, cancelWhileLooking);
    QFETCH(QString, status);
    QFETCH(bool, saved);

    FakeFetcher fetcher;
    LegacyEndpoints endpoints;
    endpoints.mirrorHost = QStringLiteral("mirror.test");
    endpoints.manifestHost = QStringLiteral("manifest.test");
    LegacyAddress jar;
    jar.target = LegacyTarget::MirrorFile;
    jar.file = VersionFile::ServerJar;
    jar.version = jar.encodedVersion = QStringLiteral("1.7.2");
    const QUrl old(QStringLiteral("http://mirror.test/versions/1.7.2/minecraft_server.1.7.2.jar"));
    Fixture fixture;
    DownloadExpectation expected;
    expected.source = QStringLiteral("BMCLAPI 镜像 mirror.test");
    expected.fallback = MirrorFallback::For(old, jar, endpoints, fetcher);
    auto job = fixture.Start(std::move(expected));
    QSignalSpy rerouted(job.get(), &DownloadJob::Rerouted);
    fixture.source->Write(QByteArray(firstBytes, 'x'), 0);
    fixture.source->Become(DownloadSource::State::Interrupted, QStringLiteral("HTTP 503"));
    if (firstBytes > 0) {
        QVERIFY(fetcher.asked.isEmpty());
    } else {
        QCOMPARE(rerouted.size(), 1);
        QVERIFY(job->IsRunning());
        QCOMPARE(job->Status(), QStringLiteral("BMCLAPI 镜像 mirror.test 无法提供这个文件：HTTP "
                                               "503，正在改从官方仓库下载…"));
        if (cancelWhileLooking) {
            job->Cancel();
        }
        // A cancelled job's look-up goes with it: its answer is not taken.
        QCOMPARE(fetcher.Answer(200, manifest), !cancelWhileLooking);
        if (cancelWhileLooking) {
            QVERIFY(fetcher.pending.isEmpty());
        } else if (manifest.contains("meta.test")) {
            QVERIFY(fetcher.Answer(200, kDescriptionOf9));
            QCOMPARE(fetcher.downloaded,
                     QList<QUrl>{QUrl(QStringLiteral("https://data.test/s.jar"))});
            QVERIFY(job->Source().startsWith(QStringLiteral("官方仓库（")));
            fetcher.downloads.first()->Write(kBody, kBody.size());
            fetcher.downloads.first()->Become(DownloadSource::State::Completed);
        }
    }
    QCOMPARE(job->Status(), status);
    QCOMPARE(fixture.Files(), saved ? QStringList{QStringLiteral("server.jar")} : QStringList{});
    if (saved) {
        QFile file(fixture.chosen);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), kBody);
    }
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

// Whatever the writer still puts under the part's name after it reported the
// end, until it lets go, goes too, even once the job is gone; a writer that
// starts again by itself is stopped.
void TestDownloadJob::nothingWrittenAfterTheEndSurvives_data() {
    QTest::addColumn<DownloadSource::State>("end");
    QTest::addColumn<bool>("jobGoesFirst");
    QTest::newRow("cancelled") << DownloadSource::State::Cancelled << false;
    QTest::newRow("failed") << DownloadSource::State::Interrupted << false;
    QTest::newRow("its window closed") << DownloadSource::State::Cancelled << true;
}

void TestDownloadJob::nothingWrittenAfterTheEndSurvives() {
    QFETCH(DownloadSource::State, end);
    QFETCH(bool, jobGoesFirst);

    Fixture fixture;
    const QPointer<FakeDownloadSource> source = fixture.source;
    auto job = fixture.Start();
    source->HoldOn();
    source->Write(kBody, 0);
    if (jobGoesFirst) {
        job.reset();
        QVERIFY(source != nullptr); // still followed
    } else if (end == DownloadSource::State::Cancelled) {
        job->Cancel();
    }
    source->Become(end, QStringLiteral("网络已断开"));
    source->Write(kBody, 0);
    QCOMPARE(fixture.Files(), QStringList{});
    const int cancels = fixture.cancels;
    source->Become(DownloadSource::State::Running);
    QCOMPARE(fixture.cancels, cancels + 1);
    source->Write(kBody, 0);
    source->Become(DownloadSource::State::Cancelled);
    source->LetGo();
    QCOMPARE(fixture.Files(), QStringList{});
    QTRY_VERIFY(source.isNull()); // nothing follows it any more
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
