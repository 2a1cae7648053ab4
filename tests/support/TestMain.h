#pragma once

#include <QApplication>
#include <QTest>

namespace TestSupport {
// Headless platform, a private runtime folder, font substitutions, fixed seams.
void prepareEnvironment();
void initApplication();
} // namespace TestSupport

// Both kinds of test get a QApplication: plain classes may still ask for a message box.
#define PELLOR_TEST_MAIN_IMPL(TestClass)                                                           \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        TestSupport::prepareEnvironment();                                                         \
        QApplication app(argc, argv);                                                              \
        TestSupport::initApplication();                                                            \
        TestClass tc;                                                                              \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

// The name tells CTest which label the test gets (widget or unit).
#define PELLOR_WIDGET_TEST_MAIN(TestClass) PELLOR_TEST_MAIN_IMPL(TestClass)
#define PELLOR_UNIT_TEST_MAIN(TestClass) PELLOR_TEST_MAIN_IMPL(TestClass)
