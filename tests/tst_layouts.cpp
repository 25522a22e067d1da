// Every window as the program builds it, against its stored layout, the
// committed .ui file: the window's size, and each named control's class,
// holder, place and tab index. A control of the .ui that the window lacks
// fails, and so does a control of the layout's classes that the window has
// and the .ui does not name.
#include "MakeWindow.h"
#include "RecordingHost.h"
#include "RecordingPane.h"
#include "StoredLayout.h"
#include "WindowInput.h"

#include <QSet>
#include <QTest>

namespace {

QString Describe(const StoredControl& control) {
    const QRect& g = control.geometry;
    return QStringLiteral("%1 in %2 at %3,%4 %5x%6 tab %7")
        .arg(control.kind, control.holder)
        .arg(g.x())
        .arg(g.y())
        .arg(g.width())
        .arg(g.height())
        .arg(control.tab);
}

// The same description of a live control.
StoredControl AsStored(const QWidget& control) {
    StoredControl stored;
    stored.kind = QString::fromLatin1(control.metaObject()->className());
    stored.name = control.objectName();
    stored.holder = control.parentWidget()->objectName();
    stored.geometry = control.geometry();
    const QVariant tab = control.property("tabIndex");
    stored.tab = tab.isValid() ? tab.toInt() : -1;
    return stored;
}

} // namespace

class TestLayouts final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowsAreTheirStoredLayouts_data();
    void windowsAreTheirStoredLayouts();
};

void TestLayouts::windowsAreTheirStoredLayouts_data() {
    QTest::addColumn<int>("window");
    QTest::newRow("Form1") << int(WindowName::Form1);
    QTest::newRow("skin") << int(WindowName::skin);
    QTest::newRow("effect") << int(WindowName::effect);
    QTest::newRow("download") << int(WindowName::download);
}

void TestLayouts::windowsAreTheirStoredLayouts() {
    QFETCH(int, window);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const StoredLayout stored = ReadStoredLayout(QStringLiteral(CT_UI_DIR "/%1/%1.ui").arg(name));
    QVERIFY2(stored.error.isEmpty(), qPrintable(stored.error));
    QVERIFY(!stored.controls.isEmpty());

    RecordingHost host;
    RecordingPaneSource panes;
    const auto loaded = MakeWindow(WindowName(window), host, panes);
    loaded->Show();
    QWidget* surface = loaded->Surface();
    QCOMPARE(surface->objectName(), name);
    QCOMPARE(surface->size(), stored.size);

    QStringList differences;
    QSet<QString> kinds;
    QSet<QString> names;
    for (const StoredControl& control : stored.controls) {
        kinds.insert(control.kind);
        names.insert(control.name);
        const QWidget* live = surface->findChild<QWidget*>(control.name);
        const QString seen = live != nullptr ? Describe(AsStored(*live)) : QStringLiteral("none");
        if (seen != Describe(control)) {
            differences << QStringLiteral("%1: stored %2, built %3")
                               .arg(control.name, Describe(control), seen);
        }
    }
    const auto controls = surface->findChildren<QWidget*>();
    for (const QWidget* live : controls) {
        const StoredControl built = AsStored(*live);
        if (!built.name.isEmpty() && kinds.contains(built.kind) && !names.contains(built.name)) {
            differences
                << QStringLiteral("%1: not stored, built %2").arg(built.name, Describe(built));
        }
    }
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QLatin1Char('\n'))));
    loaded->Unload();
    WindowInput::DestroyUnloadedWidgets();
}

QTEST_MAIN(TestLayouts)
#include "tst_layouts.moc"
