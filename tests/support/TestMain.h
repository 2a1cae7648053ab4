#pragma once

#include <QApplication>
#include <QTest>

namespace TestSupport {
// Headless platform, a private runtime folder, font substitutions, fixed seams.
void prepareEnvironment();
void initApplication();
} // namespace TestSupport

// For tests that drive windows.
#define PELLOR_WIDGET_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        TestSupport::prepareEnvironment();                                                         \
        QApplication app(argc, argv);                                                              \
        TestSupport::initApplication();                                                            \
        TestClass tc;                                                                              \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

// For plain classes; a QApplication still exists because message boxes may be asked for.
#define PELLOR_UNIT_TEST_MAIN(TestClass)                                                           \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        TestSupport::prepareEnvironment();                                                         \
        QApplication app(argc, argv);                                                              \
        TestSupport::initApplication();                                                            \
        TestClass tc;                                                                              \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
