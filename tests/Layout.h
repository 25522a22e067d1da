#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QTest>
#include <QWidget>

// How the stored layouts measure: twips, and colours as 0x00BBGGRR.
namespace Layout {

constexpr int kTwips = 15;
constexpr quint32 kFrameBlue = 0x00F1AC0A;

inline QColor Ole(quint32 bbggrr) {
    return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
}

// A control's place in its holder, in twips.
inline QRect TwipsGeometry(const QWidget* control) {
    const QRect g = control->geometry();
    return {g.x() * kTwips, g.y() * kTwips, g.width() * kTwips, g.height() * kTwips};
}

// A control's tab index as the layout stores it; -1 for none.
inline int TabIndex(const QWidget* control) {
    const QVariant index = control->property("tabIndex");
    return index.isValid() ? index.toInt() : -1;
}

// The text a control shows as its caption: a label's or button's text, a
// frame's title, a text box's text.
inline QString CaptionOf(const QWidget* control) {
    if (auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (auto* frame = qobject_cast<const QGroupBox*>(control)) {
        return frame->title();
    }
    if (auto* box = qobject_cast<const QLineEdit*>(control)) {
        return box->text();
    }
    return {};
}

// A control table as test data: one row per control, tagged with its name.
// A text colour of kNoColour means the control has none of its own.
constexpr quint32 kNoColour = 0xFFFFFFFF;

inline void AddControlColumns() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("holder");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("font");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<quint32>("textColour");
}

// An empty caption or font is not compared.
inline void AddControlRow(const char* name, const char* kind, const char* holder, QRect twips,
                          const char* caption, int tab, const char* font = "", qreal points = 0,
                          quint32 textColour = kNoColour, bool bold = false) {
    QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromLatin1(holder) << twips
                        << QString::fromUtf8(caption) << tab << QString::fromUtf8(font) << points
                        << bold << textColour;
}

// Compares the control named by the current row with that row. Call it last
// in a test function: a failure returns from here only.
inline void VerifyControlRow(const QWidget& surface) {
    QFETCH(QString, kind);
    QFETCH(QString, holder);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);
    QFETCH(int, tab);
    QFETCH(QString, font);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(quint32, textColour);

    auto* control = surface.findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control != nullptr);
    control->ensurePolished();
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
    QCOMPARE(control->parentWidget()->objectName(), holder);
    QCOMPARE(TwipsGeometry(control), twips);
    QCOMPARE(TabIndex(control), tab);
    if (!caption.isEmpty()) {
        QCOMPARE(CaptionOf(control), caption);
    }
    if (!font.isEmpty()) {
        QCOMPARE(control->font().family(), font);
        QCOMPARE(control->font().pointSizeF(), points);
        QCOMPARE(control->font().weight(), bold ? QFont::Bold : QFont::Normal);
    }
    if (textColour != kNoColour) {
        QCOMPARE(control->palette().color(QPalette::WindowText), Ole(textColour));
    }
}

// The names of the controls in the focus chain that can take the focus,
// starting at the one that has it. Qt takes Tab away from the unselected
// buttons of a group while one is selected, as the platform does; they keep
// their place in the chain.
inline QStringList FocusChain() {
    QStringList order;
    QWidget* first = QApplication::focusWidget();
    QWidget* w = first;
    do {
        if (w->focusPolicy() != Qt::NoFocus) {
            order << w->objectName();
        }
        w = w->nextInFocusChain();
    } while (w != first);
    return order;
}

} // namespace Layout
