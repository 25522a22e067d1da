// Every window as the program builds it, against its stored layout, the
// committed .ui file: the window's size, and each named control's class,
// holder, place and tab index. A control of the .ui that the window lacks
// fails, and so does a control of the layout's classes that the window has
// and the .ui does not name.
#include "MakeWindow.h"
#include "RecordingHost.h"
#include "RecordingPane.h"
#include "TestTable.h"
#include "WindowInput.h"

#include <QFile>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

namespace {

QString Describe(const QString& name, const QString& kind, const QString& holder, const QRect& g,
                 int tab) {
    return QString::asprintf("%s: %s in %s at %d,%d %dx%d tab %d", qPrintable(name),
                             qPrintable(kind), qPrintable(holder), g.x(), g.y(), g.width(),
                             g.height(), tab);
}

struct Stored {
    QSize size;
    QStringList controls; // described as above
    QSet<QString> kinds;
};

QString Attribute(const QXmlStreamReader& xml, const char* name) {
    return xml.attributes().value(QLatin1String(name)).toString();
}

// Reads the <widget> the reader is at, the controls in it included; an
// empty holder is the window itself.
void ReadWidget(QXmlStreamReader& xml, const QString& holder, Stored& stored) {
    const QString kind = Attribute(xml, "class");
    const QString name = Attribute(xml, "name");
    QRect geometry;
    int tab = -1;
    while (xml.readNextStartElement()) {
        const QString property = Attribute(xml, "name");
        if (xml.name() == u"widget") {
            ReadWidget(xml, name, stored);
            continue;
        }
        if (property == u"geometry" && xml.readNextStartElement()) {
            QList<int> rect; // x, y, width, height
            while (xml.readNextStartElement()) {
                rect << xml.readElementText().toInt();
            }
            geometry = QRect(rect.value(0), rect.value(1), rect.value(2), rect.value(3));
        } else if (property == u"tabIndex" && xml.readNextStartElement()) {
            tab = xml.readElementText().toInt();
        }
        xml.skipCurrentElement();
    }
    if (holder.isEmpty()) {
        stored.size = geometry.size();
    } else {
        stored.controls << Describe(name, kind, holder, geometry, tab);
        stored.kinds.insert(kind);
    }
}

} // namespace

class TestLayouts final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowsAreTheirStoredLayouts_data();
    void windowsAreTheirStoredLayouts();
};

void TestLayouts::windowsAreTheirStoredLayouts_data() {
    AddWindowRows();
}

void TestLayouts::windowsAreTheirStoredLayouts() {
    TEST_FETCH(int, window);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    QFile file(QStringLiteral(CT_UI_DIR "/%1/%1.ui").arg(name));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    QXmlStreamReader xml(&file);
    Stored stored;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"widget") {
            ReadWidget(xml, QString(), stored);
        } else if (xml.name() != u"ui") {
            xml.skipCurrentElement();
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(!stored.controls.isEmpty());

    RecordingHost host;
    RecordingPaneSource panes;
    const auto loaded = MakeWindow(WindowName(window), host, panes);
    loaded->Show();
    QWidget* surface = loaded->Surface();
    QCOMPARE(surface->objectName(), name);
    QCOMPARE(surface->size(), stored.size);

    QStringList built;
    const auto controls = surface->findChildren<QWidget*>();
    for (const QWidget* control : controls) {
        const QString kind = QString::fromLatin1(control->metaObject()->className());
        if (control->objectName().isEmpty() || !stored.kinds.contains(kind)) {
            continue;
        }
        const QVariant tab = control->property("tabIndex");
        built << Describe(control->objectName(), kind, control->parentWidget()->objectName(),
                          control->geometry(), tab.isValid() ? tab.toInt() : -1);
    }
    QStringList differences;
    for (const QString& control : stored.controls) {
        if (!built.removeOne(control)) {
            differences << QStringLiteral("stored, not built: ") + control;
        }
    }
    for (const QString& control : std::as_const(built)) {
        differences << QStringLiteral("built, not stored: ") + control;
    }
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QLatin1Char('\n'))));
    loaded->Unload();
    WindowInput::DestroyUnloadedWidgets();
}

QTEST_MAIN(TestLayouts)
#include "tst_layouts.moc"
