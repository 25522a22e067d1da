// The name a download is offered under, whatever a server or page suggests,
// and how many save dialogs a page may open in a minute.
#include "PageDownloadLimit.h"
#include "PartFile.h"
#include "SaveName.h"
#include "TestTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSaveNames final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void plainFileName_data();
    void plainFileName();
    void longestNameIsWrittenUnderEveryName();
    void pageDownloadLimit_data();
    void pageDownloadLimit();
};

void TestSaveNames::plainFileName_data() {
    TEST_COLUMNS(QString, suggested, QString, offered);
    const auto row = [](const char* tag, const QString& suggested, const QString& offered) {
        QTest::newRow(tag) << suggested << offered;
    };
    const QString fallback = QStringLiteral("下载");
    const QString smile = QStringLiteral("\U0001F600"); // 4 bytes, a surrogate pair
    row("plain", "1.7.2.jar", "1.7.2.jar");
    // Folders, either way round.
    row("unix path", ".config/autostart/evil.desktop", "evil.desktop");
    row("windows path", "..\\..\\x.jar", "x.jar");
    row("mixed separators", "C:\\a/b\\c/d.jar", "d.jar");
    row("folder only", "a/b/", fallback);
    row("slash", "/", fallback);
    // Hidden names and names of nothing.
    row("leading dot", ".config", "config");
    row("leading dots", "...x.jar", "x.jar");
    row("dots and spaces", " . .x.jar", "x.jar");
    row("only dots", "...", fallback);
    row("empty", "", fallback);
    row("spaces around", "  x.jar  ", "x.jar");
    row("c0", QStringLiteral("a\u0007\r\n") + QChar(0) + "b.jar", "ab.jar");
    row("delete and c1", "a\u007F\u0080\u0085\u009Fb.jar", "ab.jar");
    row("c1 neighbours kept", "a\u00A0\u00A9b.jar", "a\u00A0\u00A9b.jar");
    row("control before a dot", "\u0001.bashrc", "bashrc");
    // Format characters would make the name read otherwise than it is.
    row("bidi override", "evil\u202Egpj.jar", "evilgpj.jar");
    row("isolates and marks", "a\u2066b\u2069\u200F\u061Cc.jar", "abc.jar");
    row("zero width", "a\u200B\u200C\u200D\u2060b.jar", "ab.jar");
    row("byte order mark before a dot", "\uFEFF.bashrc", "bashrc");
    row("tag characters, in pairs", QStringLiteral("a\U000E0041\U000E007Fb.jar"), "ab.jar");
    // Cut to 232 bytes (255 less the part file's 23), the extension kept.
    row("ascii at the limit", QString(228, u'a') + ".jar", QString(228, u'a') + ".jar");
    row("long ascii", QString(300, u'a') + ".jar", QString(228, u'a') + ".jar");
    row("long, no extension", QString(300, u'b'), QString(232, u'b'));
    row("long chinese", QString(300, u'中') + ".jar", QString(76, u'中') + ".jar");
    row("long extension", "a." + QString(300, u'x'), "a." + QString(230, u'x'));
    row("cut before a space", QString(227, u'a') + " b.jar", QString(227, u'a') + ".jar");
    // Pairs are whole or gone: 4 bytes, 2 units.
    row("pairs", smile.repeated(100) + ".jar", smile.repeated(57) + ".jar");
    row("pairs, shifted", "a" + smile.repeated(100) + ".jar", "a" + smile.repeated(56) + ".jar");
    row("lone surrogate counts 3", QChar(0xD800) + QString(229, u'a') + ".jar",
        QChar(0xD800) + QString(225, u'a') + ".jar");
}

void TestSaveNames::plainFileName() {
    TEST_FETCH(QString, suggested, QString, offered);
    QCOMPARE(PlainFileName(suggested), offered);
}

// The longest name offered, with our part suffix and the engine's own on top,
// is still one the file system takes.
void TestSaveNames::longestNameIsWrittenUnderEveryName() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString name = PlainFileName(QString(300, u'中') + ".jar");
    const PartFile part(dir.filePath(name));
    QFile written(dir.filePath(part.FileName() + ".download"));
    QVERIFY2(written.open(QIODevice::WriteOnly), qPrintable(written.errorString()));
    QVERIFY(written.rename(part.Path()));
    QString error;
    QCOMPARE(part.Commit(&error), PartFile::Placed::Done);
    QVERIFY(QFile::exists(dir.filePath(name)));
}

void TestSaveNames::pageDownloadLimit_data() {
    TEST_COLUMNS(QList<qint64>, times, QList<bool>, admitted);
    const auto row = [](const char* tag, const QList<qint64>& times, const QList<bool>& admitted) {
        QTest::newRow(tag) << times << admitted;
    };
    row("three in a minute, not four", {0, 20'000, 40'000, 59'999}, {true, true, true, false});
    row("again when the first is a minute old", {0, 1, 2, 59'999, 60'000, 60'000},
        {true, true, true, false, true, false});
    row("refused ones do not count", {0, 1, 2, 30'000, 59'000, 60'000, 60'001, 60'002, 60'003},
        {true, true, true, false, false, true, true, true, false});
}

void TestSaveNames::pageDownloadLimit() {
    TEST_FETCH(QList<qint64>, times, QList<bool>, admitted);
    PageDownloadLimit limit;
    QList<bool> seen;
    for (const qint64 time : std::as_const(times)) {
        seen.append(limit.Admit(time));
    }
    QCOMPARE(seen, admitted);
}

QTEST_GUILESS_MAIN(TestSaveNames)
#include "tst_savenames.moc"
