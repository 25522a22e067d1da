// A download job without the engine: a source the test drives writes the
// part file; the job checks it and puts it in place or leaves nothing.
#include "DownloadJob.h"
#include "FakeDownloadSource.h"
#include "FakeFetcher.h"
#include "FileCheck.h"
#include "LateCheck.h"
#include "LegacyAddress.h"
#include "MirrorFallback.h"
#include "TestTable.h"

#include <QCryptographicHash>
#include <QDir>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

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
// each answers a SHA-1, "size N" for a size alone, or "none" for a
// description without the file; status 0 is no answer.
const QUrl kOfficial(QStringLiteral("http://o.test/1.json"));
const QUrl kMirror(QStringLiteral("http://m.test/version/1/json"));
std::vector<std::shared_ptr<LateCheck>> AskBoth(FakeFetcher& fetcher) {
    const auto read = [](const HttpAnswer& a) {
        LateCheck::Verdict verdict;
        if (!a.IsOk()) {
            verdict.unverifiedReason = a.failure;
        } else if (a.body == "none") {
            verdict.unverifiedReason = a.host + QStringLiteral(" 的版本描述中没有这个文件");
        } else if (a.body.startsWith("size ")) {
            verdict.identity.size = a.body.mid(5).toLongLong();
        } else {
            verdict.identity.sha1 = a.body;
        }
        return verdict;
    };
    return {LateCheck::Ask(fetcher, kOfficial, QStringLiteral("官方版本描述"),
                           LateCheck::Weight::Decisive, read),
            LateCheck::Ask(fetcher, kMirror, QStringLiteral("镜像的版本描述"),
                           LateCheck::Weight::OwnWord, read)};
}

// Answers the check asked at `url` as AskBoth reads it: "fail" is no answer.
bool AnswerCheck(FakeFetcher& fetcher, const QUrl& url, const QByteArray& answer) {
    return answer == "fail" ? fetcher.Answer(url, 0) : fetcher.Answer(url, 200, answer);
}

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Fixture {
    Fixture() = default;
    // With `agreed` under the chosen name as the save dialog closes.
    explicit Fixture(const QByteArray& agreed)
        : written(Write(chosen, agreed)) {}

    QTemporaryDir folder;
    QString chosen = folder.filePath(QStringLiteral("server.jar"));
    bool written = true;
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
    void waitsForTheOfficialWord_data();
    void waitsForTheOfficialWord();
    void stopsPastItsKnownSize_data();
    void stopsPastItsKnownSize();
    void refusedFileComesFromElsewhere_data();
    void refusedFileComesFromElsewhere();
    void goneWhileRunningLeavesNothing();
    void nothingWrittenAfterTheEndSurvives_data();
    void nothingWrittenAfterTheEndSurvives();
    void keepsAFilePutInPlaceOfTheAgreedOne();
};

// Against what the pane knew, else the first late check that vouches by now.
void TestDownloadJob::judgesTheWholeFile_data() {
    // answers: of AskBoth's; null: none yet
    TEST_COLUMNS(QByteArray, own, QByteArrayList, answers, FileVerdict::Kind, kind, QString,
                 detail);

    using K = FileVerdict::Kind;
    const QByteArray wrong(40, 'e');
    const auto row = [](const char* tag, const QByteArray& own, const QByteArrayList& answers,
                        K kind, const QString& detail = QString()) {
        QTest::newRow(tag) << own << answers << kind << detail;
    };
    row("nothing asked", QByteArray(), {}, K::Unchecked);
    row("what the pane knew", kBodySha, {}, K::Matched);
    // A size says the file is whole, not that it is the one described.
    row("what the pane knew, a size alone", "size 9", {}, K::Unchecked,
        "版本描述没有给出 SHA-1，只核对了大小");
    row("first with a size alone", QByteArray(), {"size 9", kBodySha}, K::Unchecked,
        "官方版本描述没有给出 SHA-1，只核对了大小");
    row("first with a wrong size alone", QByteArray(), {"size 8", "none"}, K::Mismatched,
        "大小为 9 字节，应为 8 字节");
    row("first over a later one that disagrees", QByteArray(), {wrong, kBodySha}, K::Mismatched,
        QStringLiteral("SHA-1 为 %1，应为 %2")
            .arg(QString::fromLatin1(kBodySha), QString::fromLatin1(wrong)));
    row("first silent, next without the file", QByteArray(), {QByteArray(), "none"}, K::Unchecked,
        "官方版本描述没有及时回答；m.test 的版本描述中没有这个文件");
    row("first without a value", QByteArray(), {"", "none"}, K::Unchecked,
        "官方版本描述没有给出校验值；m.test 的版本描述中没有这个文件");
    // A size is no check of what a file is, nor does a later SHA-1 that
    // disagrees undo the first's word.
    row("first with a size alone, a later one disagreeing", QByteArray(), {"size 9", wrong},
        K::Unchecked, "官方版本描述没有给出 SHA-1，只核对了大小");
}

void TestDownloadJob::judgesTheWholeFile() {
    TEST_FETCH(QByteArray, own, QByteArrayList, answers, FileVerdict::Kind, kind, QString, detail);

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
                QVERIFY(AnswerCheck(fetcher, url, answer));
            }
        }
    }
    const FileVerdict verdict = JudgeFile(fixture.part.Path(), expected);
    QCOMPARE(verdict.kind, kind);
    QCOMPARE(verdict.detail, detail);
}

void TestDownloadJob::endsAsItsSourceAndCheckSay_data() {
    TEST_COLUMNS(DownloadSource::State, end, QByteArray, sha1, DownloadJob::State, state, QString,
                 status, bool, saved);

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
    TEST_FETCH(DownloadSource::State, end, QByteArray, sha1, DownloadJob::State, state, QString,
               status, bool, saved);

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

// Two checks asked beside the file: the official word, which the end waits
// for whoever answered first, and the mirror's own, used only when the
// official one gives nothing. Steps: "official|mirror <answer>" (as
// AnswerCheck), "end" (the file is whole), "waits <check>" (what the window
// says meanwhile), "cancel".
void TestDownloadJob::waitsForTheOfficialWord_data() {
    TEST_COLUMNS(QStringList, steps, QString, status, bool, saved);

    const QString right = QString::fromLatin1(kBodySha);
    const QString wrong(40, QLatin1Char('e'));
    QTest::newRow("official in time, the mirror not waited for")
        << QStringList{"official " + right, "end"}
        << QStringLiteral("下载完成（已按官方版本描述校验）") << true;
    QTest::newRow("the mirror vouches for itself, the official word disowns it later")
        << QStringList{"mirror " + right, "end", "waits 官方版本描述", "official " + wrong}
        << QStringLiteral("下载失败：文件校验不符，已删除（SHA-1 为 %1，应为 %2）")
               .arg(right, wrong)
        << false;
    QTest::newRow("no official word: the mirror's, unconfirmed")
        << QStringList{"end", "waits 官方版本描述", "official fail", "waits 镜像的版本描述",
                       "mirror " + right}
        << QStringLiteral("下载完成，但来源未能确认：无法连接 o.test；文件只与镜像的版本描述相符")
        << true;
    QTest::newRow("neither vouches")
        << QStringList{"official none", "mirror none", "end"}
        << QStringLiteral("下载完成（未校验：o.test 的版本描述中没有这个文件；"
                          "m.test 的版本描述中没有这个文件）")
        << true;
    QTest::newRow("cancelled while waiting")
        << QStringList{"end", "waits 官方版本描述", "cancel", "official " + right}
        << QStringLiteral("已取消") << false;
}

void TestDownloadJob::waitsForTheOfficialWord() {
    TEST_FETCH(QStringList, steps, QString, status, bool, saved);

    FakeFetcher fetcher;
    Fixture fixture;
    DownloadExpectation expected;
    expected.late = AskBoth(fetcher);
    auto job = fixture.Start(std::move(expected));
    for (const QString& step : std::as_const(steps)) {
        const QString what = step.section(QLatin1Char(' '), 0, 0);
        const QString value = step.section(QLatin1Char(' '), 1);
        if (what == QLatin1String("end")) {
            fixture.source->Write(kBody, kBody.size());
            fixture.source->Become(DownloadSource::State::Completed);
        } else if (what == QLatin1String("waits")) {
            QCOMPARE(job->Now(), DownloadJob::State::AwaitingCheck);
            QCOMPARE(job->Status(), QStringLiteral("正在等待%1以校验文件…").arg(value));
            QVERIFY(!QFile::exists(fixture.chosen)); // only the part, until a check is in
        } else if (what == QLatin1String("cancel")) {
            job->Cancel();
        } else {
            QVERIFY(AnswerCheck(fetcher, what == QLatin1String("official") ? kOfficial : kMirror,
                                value.toLatin1()));
        }
    }
    QCOMPARE(job->Status(), status);
    QCOMPARE(fixture.Files(), saved ? QStringList{QStringLiteral("server.jar")} : QStringList{});
}

// A file may not grow past the size it must have, nor be promised more: it
// is stopped at once and nothing is kept, whenever the size becomes known.
// While nothing says its size, a cap bounds it.
void TestDownloadJob::stopsPastItsKnownSize_data() {
    // size: known from the start, or -1
    // lateSize: told by a check after the first bytes, or -1
    // atTheEnd: written with the end, in no report of progress
    // status: empty: not stopped
    TEST_COLUMNS(qint64, size, qint64, lateSize, qint64, cap, qint64, promised, int, written, bool,
                 atTheEnd, QString, status);

    const QString described = QStringLiteral("下载失败：文件比版本描述的大（应为 9 字节），已删除");
    const QString capped = QStringLiteral("下载失败：文件大小不明，已超过 9 字节的上限，已删除");
    QTest::newRow("one byte more than described")
        << 9LL << -1LL << -1LL << 0LL << 10 << false << described;
    QTest::newRow("promised 40 MB, sent little")
        << 9LL << -1LL << -1LL << 40'000'000LL << 1 << false << described;
    QTest::newRow("size learnt late, already past")
        << -1LL << 9LL << -1LL << 0LL << 12 << false << described;
    QTest::newRow("exactly the size") << 9LL << -1LL << -1LL << 9LL << 9 << false << QString();
    QTest::newRow("no size known, no cap")
        << -1LL << -1LL << -1LL << 0LL << 100 << false << QString();
    QTest::newRow("no size known, past the cap")
        << -1LL << -1LL << 9LL << 0LL << 12 << false << capped;
    QTest::newRow("past the cap between two reports")
        << -1LL << -1LL << 9LL << 0LL << 12 << true << capped;
    // A size that is said counts over the cap.
    QTest::newRow("described larger than the cap")
        << 20LL << -1LL << 9LL << 0LL << 12 << false << QString();
}

void TestDownloadJob::stopsPastItsKnownSize() {
    TEST_FETCH(qint64, size, qint64, lateSize, qint64, cap, qint64, promised, int, written, bool,
               atTheEnd, QString, status);

    FakeFetcher fetcher;
    Fixture fixture;
    DownloadExpectation expected;
    expected.identity.size = size;
    expected.sizeCap = cap;
    expected.late = {LateCheck::Ask(fetcher, QUrl(QStringLiteral("http://m.test/json")),
                                    QStringLiteral("官方版本描述"), LateCheck::Weight::Decisive,
                                    [lateSize](const HttpAnswer&) {
                                        return LateCheck::Verdict{{{}, lateSize}, {}};
                                    })};
    auto job = fixture.Start(std::move(expected));
    if (atTheEnd) {
        QVERIFY(Write(fixture.part.Path(), QByteArray(written, 'x')));
        fixture.source->Become(DownloadSource::State::Completed);
        fetcher.Answer(200); // the check, if still waited for, says no size
        QCOMPARE(job->Status(), status);
        QCOMPARE(fixture.Files(), QStringList{});
        return;
    }
    fixture.source->Write(QByteArray(written, 'x'), promised);
    QVERIFY(fetcher.Answer(200));
    QCOMPARE(fixture.cancels, status.isEmpty() ? 0 : 1);
    if (status.isEmpty()) {
        QCOMPARE(job->Now(), DownloadJob::State::Running);
        return;
    }
    // More bytes while it stops ask nothing more of it.
    fixture.source->Write("y", promised);
    QCOMPARE(fixture.cancels, 1);
    fixture.source->Become(DownloadSource::State::Cancelled);
    QCOMPARE(job->Now(), DownloadJob::State::Failed);
    QCOMPARE(job->Status(), status);
    QCOMPARE(fixture.Files(), QStringList{});
}

// A mirror's file that its server refused before its first byte, or that
// passes the official size (another SHA-1 goes the same way: tst_legacypane),
// is looked for in the official store and written into a part of its own;
// not once bytes of a refused file have come.
// The first source, which may hold on past its end as the engine does, is
// stopped and no longer followed, and nothing it still writes reaches the file.
void TestDownloadJob::refusedFileComesFromElsewhere_data() {
    // mirrorSends: nothing, some, or more than the official size
    // refusal: what the window says while it looks
    TEST_COLUMNS(QString, mirrorSends, QString, refusal, QByteArray, manifest, bool,
                 cancelWhileLooking, QString, status, bool, saved);

    const QByteArray description = kDescriptionOf9;
    const QByteArray manifest =
        R"({"versions":[{"id":"1.7.2","url":"https://meta.test/1.7.2.json","sha1":")" +
        QCryptographicHash::hash(description, QCryptographicHash::Sha1).toHex() + R"("}]})";
    const QString mirror = QStringLiteral("BMCLAPI 镜像 mirror.test 无法提供这个文件：");
    const QString refused = mirror + QStringLiteral("HTTP 503");
    QTest::newRow("found in the store") << "nothing" << refused << manifest << false
                                        << QStringLiteral("下载完成（已校验）") << true;
    QTest::newRow("not in the store either")
        << "nothing" << refused << QByteArray(R"({"versions":[]})") << false
        << QStringLiteral(
               "下载失败：找不到版本「1.7.2」（官方版本列表中没有这个版本，请检查版本号。"
               "（BMCLAPI 镜像 mirror.test 无法提供这个文件：HTTP 503））")
        << false;
    QTest::newRow("cancelled while looking")
        << "nothing" << refused << manifest << true << QStringLiteral("已取消") << false;
    QTest::newRow("refused after some bytes") << "some" << QString() << QByteArray() << false
                                              << QStringLiteral("下载失败：HTTP 503") << false;
    QTest::newRow("more than the official size")
        << "more" << mirror + QStringLiteral("文件比版本描述的大（应为 9 字节）") << manifest
        << false << QStringLiteral("下载完成（已校验）") << true;
}

void TestDownloadJob::refusedFileComesFromElsewhere() {
    TEST_FETCH(QString, mirrorSends, QString, refusal, QByteArray, manifest, bool,
               cancelWhileLooking, QString, status, bool, saved);

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
    expected.late = {LateCheck::Ask(fetcher, kOfficial, QStringLiteral("官方版本描述"),
                                    LateCheck::Weight::Decisive, [](const HttpAnswer&) {
                                        return LateCheck::Verdict{{kBodySha, 9}, {}};
                                    })};
    auto job = fixture.Start(std::move(expected));
    QVERIFY(fetcher.Answer(kOfficial, 200));
    QSignalSpy rerouted(job.get(), &DownloadJob::Rerouted);
    const QPointer<FakeDownloadSource> first = fixture.source;
    first->HoldOn();
    if (mirrorSends == QLatin1String("more")) {
        first->Write(QByteArray(12, 'x'), 0);
        QCOMPARE(fixture.cancels, 1);
        first->Become(DownloadSource::State::Cancelled);
    } else {
        first->Write(QByteArray(mirrorSends == QLatin1String("some") ? 3 : 0, 'x'), 0);
        first->Become(DownloadSource::State::Interrupted, QStringLiteral("HTTP 503"));
    }
    if (refusal.isEmpty()) {
        QVERIFY(fetcher.pending.isEmpty());
    } else {
        QCOMPARE(rerouted.size(), 1);
        QVERIFY(job->IsRunning());
        QCOMPARE(job->Status(), refusal + QStringLiteral("，正在改从官方仓库下载…"));
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
            const QString own = fetcher.downloadPaths.first();
            QVERIFY(own != fixture.part.Path());
            QVERIFY(own.startsWith(fixture.chosen + QLatin1Char('.')));
            QVERIFY(!job->Follows(*first));
            FakeDownloadSource* store = fetcher.downloads.first();
            store->Write(kBody.first(4), kBody.size());
            // The first source writes on and starts again by itself.
            first->Write("stale", 0);
            const int cancels = fixture.cancels;
            first->Become(DownloadSource::State::Running);
            QCOMPARE(fixture.cancels, cancels + 1);
            store->Write(kBody.sliced(4), kBody.size());
            store->Become(DownloadSource::State::Completed);
        }
    }
    QCOMPARE(job->Status(), status);
    QCOMPARE(fixture.Files(), saved ? QStringList{QStringLiteral("server.jar")} : QStringList{});
    QVERIFY(!saved || ReadAll(fixture.chosen) == kBody);
    first->Become(DownloadSource::State::Cancelled);
    first->LetGo();
    QTRY_VERIFY(first.isNull()); // nothing follows it any more
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

// Whatever the writer still puts under the part's name after it reported the
// end, until it lets go and a while after (the engine's file thread may still
// make its intermediate file), goes too, even once the job is gone; a writer
// that starts again by itself is stopped.
void TestDownloadJob::nothingWrittenAfterTheEndSurvives_data() {
    TEST_COLUMNS(DownloadSource::State, end, bool, jobGoesFirst, bool, holdsOn);
    QTest::newRow("cancelled") << DownloadSource::State::Cancelled << false << true;
    QTest::newRow("failed") << DownloadSource::State::Interrupted << false << true;
    QTest::newRow("its window closed") << DownloadSource::State::Cancelled << true << true;
    QTest::newRow("let go with the cancel") << DownloadSource::State::Cancelled << false << false;
}

void TestDownloadJob::nothingWrittenAfterTheEndSurvives() {
    TEST_FETCH(DownloadSource::State, end, bool, jobGoesFirst, bool, holdsOn);

    Fixture fixture;
    const QPointer<FakeDownloadSource> source = fixture.source;
    auto job = fixture.Start();
    if (holdsOn) {
        source->HoldOn();
    }
    source->Write(kBody, 0);
    if (jobGoesFirst) {
        job.reset();
        QVERIFY(source != nullptr); // still followed
    } else if (end == DownloadSource::State::Cancelled) {
        job->Cancel();
    }
    source->Become(end, QStringLiteral("网络已断开"));
    if (holdsOn) {
        source->Write(kBody, 0);
        QCOMPARE(fixture.Files(), QStringList{});
        const int cancels = fixture.cancels;
        source->Become(DownloadSource::State::Running);
        QCOMPARE(fixture.cancels, cancels + 1);
        source->Write(kBody, 0);
        source->Become(DownloadSource::State::Cancelled);
        source->LetGo();
    }
    QCOMPARE(fixture.Files(), QStringList{});
    QTRY_VERIFY(source.isNull()); // nothing follows it any more
    QVERIFY(Write(fixture.part.Path() + QStringLiteral(".download"), kBody));
    QTRY_COMPARE(fixture.Files(), QStringList{});
}

// The file the user agreed to replace, once another is put in its place while
// the download runs (as programs that write safely do, renaming a new file
// over it), is not what they agreed to: it is kept. (A file put under a name
// that was free: tst_browserpane.)
void TestDownloadJob::keepsAFilePutInPlaceOfTheAgreedOne() {
    Fixture fixture("agreed");
    auto job = fixture.Start();
    fixture.source->Write(kBody, kBody.size());
    const QString theirs = fixture.folder.filePath(QStringLiteral("theirs"));
    QVERIFY(Write(theirs, "theirs"));
    QCOMPARE(std::rename(QFile::encodeName(theirs).constData(),
                         QFile::encodeName(fixture.chosen).constData()),
             0);
    fixture.source->Become(DownloadSource::State::Completed);
    QCOMPARE(job->Status(), QStringLiteral("下载失败：%1 在下载期间被另一个文件占用或改动，"
                                           "为免覆盖，已保留它并删除了下载的文件")
                                .arg(fixture.chosen));
    QCOMPARE(fixture.Files(), QStringList{QStringLiteral("server.jar")});
    QCOMPARE(ReadAll(fixture.chosen), QByteArray("theirs"));
}

QTEST_GUILESS_MAIN(TestDownloadJob)
#include "tst_downloadjob.moc"
