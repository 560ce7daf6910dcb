#pragma once
// The one QApplication of a widget test program, created on first use on the
// main thread and kept for the life of the process.
#include <QApplication>
#include <QtGlobal>

inline QApplication& TestApplication()
{
    static QApplication* application = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "pld_qt_test";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *application;
}

#include <gtest/gtest.h>

// Base of widget fixtures: the application exists before any member widget.
struct QtApplicationTest : ::testing::Test {
    QtApplicationTest() { TestApplication(); }
};
