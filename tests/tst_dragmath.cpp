// Drag-to-move arithmetic and state: no widgets needed.
#include "DragMath.h"
#include "TestTable.h"

#include <QTest>

#include <limits>
#include <stdexcept>

class TestDragMath final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundsHalvesToEven_data();
    void roundsHalvesToEven();
    void refusesValuesOutside32Bits_data();
    void refusesValuesOutside32Bits();
    void pressesFollowTheStateTable();
    void dragKeepsTheGrabbedPointUnderTheCursor();
};

void TestDragMath::roundsHalvesToEven_data() {
    TEST_COLUMNS(double, value, int, expected);
    QTest::newRow("2.5 down to even") << 2.5 << 2;
    QTest::newRow("3.5 up to even") << 3.5 << 4;
    QTest::newRow("0.5 to zero") << 0.5 << 0;
    QTest::newRow("-2.5 to even") << -2.5 << -2;
    QTest::newRow("-3.5 to even") << -3.5 << -4;
    QTest::newRow("just below a half") << 2.4999 << 2;
    QTest::newRow("just above a half") << 2.5001 << 3;
    QTest::newRow("whole twips stay") << 600.0 << 600;
    QTest::newRow("largest int32") << 2147483647.4 << std::numeric_limits<int>::max();
    QTest::newRow("smallest int32, half to even")
        << -2147483648.5 << std::numeric_limits<int>::min();
}

void TestDragMath::roundsHalvesToEven() {
    TEST_FETCH(double, value, int, expected);
    QCOMPARE(RoundHalfEven(value), expected);
}

void TestDragMath::refusesValuesOutside32Bits_data() {
    TEST_COLUMNS(double, value);
    QTest::newRow("rounds up past the top") << 2147483647.5;
    QTest::newRow("far above") << 1e12;
    QTest::newRow("rounds down past the bottom") << -2147483649.0;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
}

void TestDragMath::refusesValuesOutside32Bits() {
    TEST_FETCH(double, value);
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, RoundHalfEven(value));
}

void TestDragMath::pressesFollowTheStateTable() {
    DragState state;
    QCOMPARE(state.dragging, 0);

    // A right press while idle takes the offsets but starts nothing.
    PressOnBackground(state, kRightButton, 10.5f, 11.5f);
    QCOMPARE(state.dragging, 0);
    QCOMPARE(state.pressX, 10);
    QCOMPARE(state.pressY, 12);

    PressOnBackground(state, kLeftButton, 600.0f, 300.0f);
    QCOMPARE(state.dragging, -1);
    QCOMPARE(state.pressX, 600);
    QCOMPARE(state.pressY, 300);

    // A right press during a left drag only moves the offsets.
    PressOnBackground(state, kRightButton, 900.0f, 450.0f);
    QCOMPARE(state.dragging, -1);
    QCOMPARE(state.pressX, 900);
    QCOMPARE(state.pressY, 450);

    // Any release ends the drag, even the right one with the left still held.
    ReleaseOnBackground(state);
    QCOMPARE(state.dragging, 0);
    QCOMPARE(state.pressX, 900);

    // A middle press behaves as the right one.
    PressOnBackground(state, kMiddleButton, 3.5f, 2.5f);
    QCOMPARE(state.dragging, 0);
    QCOMPARE(state.pressX, 4);
    QCOMPARE(state.pressY, 2);

    // Only the left button alone starts a drag: a combined bit set does not.
    PressOnBackground(state, kLeftButton | kRightButton, 1.0f, 1.0f);
    QCOMPARE(state.dragging, 0);
}

void TestDragMath::dragKeepsTheGrabbedPointUnderTheCursor() {
    // Pressed at (600, 300) twips, moved to (750, 240): the window goes right by
    // 150 twips and up by 60.
    QCOMPARE(DraggedEdge(3000.0, 600, 750.0f), 3150);
    QCOMPARE(DraggedEdge(2000.0, 300, 240.0f), 1940);
    // Windows may leave the screen: nothing is clamped.
    QCOMPARE(DraggedEdge(0.0, 600, 0.0f), -600);
    // Fractional pointer positions round halves to even.
    QCOMPARE(DraggedEdge(0.0, 0, 2.5f), 2);
    QCOMPARE(DraggedEdge(0.0, 0, 3.5f), 4);
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, DraggedEdge(2147483000.0, 0, 1000.0f));
}

QTEST_APPLESS_MAIN(TestDragMath)
#include "tst_dragmath.moc"
