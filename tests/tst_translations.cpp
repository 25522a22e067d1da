// Qt's own buttons and dialogs speak the toolbox's language: Chinese, in the
// system's own script where the system is Chinese. Run once per system
// language (LANG) by ctest.
#include "Startup.h"
#include "TestTable.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

class TestTranslations final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void dialogLocale_data();
    void dialogLocale();
    void buttonsAreChinese();
    void saveDialogIsChinese();

private:
    bool traditional_ = false;
};

void TestTranslations::initTestCase() {
    qInfo("system locale %s", qPrintable(QLocale::system().name()));
    traditional_ = QLocale::system().script() == QLocale::TraditionalHanScript;
    ConfigureToolkitApplication();
}

void TestTranslations::dialogLocale_data() {
    TEST_COLUMNS(QLocale, system, QString, dialogs);
    QTest::newRow("mainland") << QLocale(QStringLiteral("zh_CN")) << "zh_CN";
    QTest::newRow("Taiwan") << QLocale(QStringLiteral("zh_TW")) << "zh_TW";
    QTest::newRow("Hong Kong") << QLocale(QStringLiteral("zh_HK")) << "zh_HK";
    QTest::newRow("English") << QLocale(QStringLiteral("en_US")) << "zh_CN";
    QTest::newRow("German") << QLocale(QStringLiteral("de_DE")) << "zh_CN";
    QTest::newRow("C") << QLocale::c() << "zh_CN";
}

void TestTranslations::dialogLocale() {
    TEST_FETCH(QLocale, system, QString, dialogs);
    QCOMPARE(DialogLocale(system).name(), dialogs);
}

void TestTranslations::buttonsAreChinese() {
    const QString ok = traditional_ ? QStringLiteral("確定") : QStringLiteral("确定");
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Ok)->text(), ok);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));

    QMessageBox box(QMessageBox::Warning, QStringLiteral("皮肤获取器"), QStringLiteral("提示"),
                    QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), ok);
}

void TestTranslations::saveDialogIsChinese() {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(buttons != nullptr);
    const QString save = traditional_ ? QStringLiteral("儲存(&S)") : QStringLiteral("保存(&S)");
    QCOMPARE(buttons->button(QDialogButtonBox::Save)->text(), save);
    QCOMPARE(dialog.labelText(QFileDialog::LookIn),
             traditional_ ? QStringLiteral("尋找於：") : QStringLiteral("查找范围："));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
