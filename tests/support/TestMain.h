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

// Two names for readers; tests/CMakeLists.txt gives each test its label.
#define PELLOR_WIDGET_TEST_MAIN(TestClass) PELLOR_TEST_MAIN_IMPL(TestClass)
#define PELLOR_UNIT_TEST_MAIN(TestClass) PELLOR_TEST_MAIN_IMPL(TestClass)
