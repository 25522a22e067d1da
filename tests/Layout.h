#pragma once

#include "TestTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QRegion>
#include <QTest>
#include <QWidget>

// How the stored layouts give colours, captions and fonts.
namespace Layout {

constexpr quint32 kFrameBlue = 0x00F1AC0A;

// A colour as the layouts store it: 0x00BBGGRR.
inline QColor Ole(quint32 bbggrr) {
    return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
}

// A point of a control, inside its visible part, that no text reaches: its
// captions start at the top left, so the bottom right corner stays bare; for
// a caption that sits low, such as "＿", the top right one.
inline QPoint BarePoint(const QWidget* control, bool top = false) {
    const QRect visible = control->visibleRegion().boundingRect();
    return top ? visible.topRight() + QPoint(-3, 1) : visible.bottomRight() - QPoint(3, 3);
}

// The text a control shows as its caption: a window's title, a label's or
// button's text, a frame's title, a text box's text.
inline QString CaptionOf(const QWidget* control) {
    if (control->isWindow()) {
        return control->windowTitle();
    }
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

// A control table's captions, fonts and text colours as test data: one row
// per control, tagged with its name (the window's name for its title). A text colour of kNoColour
// means the control has none of its own.
constexpr quint32 kNoColour = 0xFFFFFFFF;

inline void AddCaptionColumns() {
    TEST_COLUMNS(QString, caption, QString, font, qreal, points, bool, bold, quint32, textColour);
}

// An empty caption or font is not compared.
inline void AddCaptionRow(const char* name, const char* caption, const char* font = "",
                          qreal points = 0, quint32 textColour = kNoColour, bool bold = false) {
    QTest::newRow(name) << QString::fromUtf8(caption) << QString::fromUtf8(font) << points << bold
                        << textColour;
}

// Compares the control named by the current row with that row. Call it last
// in a test function: a failure returns from here only.
inline void VerifyCaptionRow(const QWidget& surface) {
    TEST_FETCH(QString, caption, QString, font, qreal, points, bool, bold, quint32, textColour);

    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QWidget* control =
        name == surface.objectName() ? &surface : surface.findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    control->ensurePolished();
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
