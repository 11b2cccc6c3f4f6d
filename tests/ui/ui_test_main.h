// SPDX-License-Identifier: MIT
// main() for the Qt Test programs of the windows: the browser view needs shared OpenGL
// contexts requested before the application object exists, and no sandbox when run as root.
#pragma once

#include <unistd.h>

#include <QApplication>
#include <QTest>

#define KELVARA_UI_TEST_MAIN(TestObject)                                  \
    int main(int argc, char* argv[])                                      \
    {                                                                     \
        if (::getuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1"); \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);       \
        QApplication app(argc, argv);                                     \
        TestObject test;                                                  \
        QTEST_SET_MAIN_SOURCE_PATH                                        \
        return QTest::qExec(&test, argc, argv);                           \
    }
