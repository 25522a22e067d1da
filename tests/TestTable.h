#pragma once

#include <QTest>

// A table's columns in one line each: TEST_COLUMNS in the _data() function
// and TEST_FETCH in the test, each given the same pairs of type and name,
// up to eight. A type with a comma in it needs an alias first.
//
//     TEST_COLUMNS(QString, address, int, count);
//     TEST_FETCH(QString, address, int, count);

#define CT_TABLE_ADD(type, name) QTest::addColumn<type>(#name);
#define CT_TABLE_FETCH(type, name) QFETCH(type, name);

#define CT_TABLE_1(m, t, n) m(t, n)
#define CT_TABLE_2(m, t, n, ...) m(t, n) CT_TABLE_1(m, __VA_ARGS__)
#define CT_TABLE_3(m, t, n, ...) m(t, n) CT_TABLE_2(m, __VA_ARGS__)
#define CT_TABLE_4(m, t, n, ...) m(t, n) CT_TABLE_3(m, __VA_ARGS__)
#define CT_TABLE_5(m, t, n, ...) m(t, n) CT_TABLE_4(m, __VA_ARGS__)
#define CT_TABLE_6(m, t, n, ...) m(t, n) CT_TABLE_5(m, __VA_ARGS__)
#define CT_TABLE_7(m, t, n, ...) m(t, n) CT_TABLE_6(m, __VA_ARGS__)
#define CT_TABLE_8(m, t, n, ...) m(t, n) CT_TABLE_7(m, __VA_ARGS__)
// An odd count of arguments names no macro, so it does not compile.
#define CT_TABLE_PICK(_1, _2, _3, _4, _5, _6, _7, _8, _9, _10, _11, _12, _13, _14, _15, _16,       \
                      chosen, ...)                                                                 \
    chosen
#define CT_TABLE_EACH(m, ...)                                                                      \
    CT_TABLE_PICK(__VA_ARGS__, CT_TABLE_8, CT_TABLE_ODD, CT_TABLE_7, CT_TABLE_ODD, CT_TABLE_6,     \
                  CT_TABLE_ODD, CT_TABLE_5, CT_TABLE_ODD, CT_TABLE_4, CT_TABLE_ODD, CT_TABLE_3,    \
                  CT_TABLE_ODD, CT_TABLE_2, CT_TABLE_ODD, CT_TABLE_1, CT_TABLE_ODD)                \
    (m, __VA_ARGS__)

#define TEST_COLUMNS(...)                                                                          \
    do {                                                                                           \
        CT_TABLE_EACH(CT_TABLE_ADD, __VA_ARGS__)                                                   \
    } while (false)
#define TEST_FETCH(...) CT_TABLE_EACH(CT_TABLE_FETCH, __VA_ARGS__) static_assert(true)
