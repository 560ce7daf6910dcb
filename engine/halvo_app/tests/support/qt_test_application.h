#pragma once
// The QApplication of a Qt test program, made on first use on the platform
// the GL glue needs, and never destroyed (Qt's globals go before a static
// QApplication would).
#include <QApplication>

#include <halvo_app/Qt/QtGLApplication.h>

namespace hlv_app_test {

inline QApplication& TestQApplication()
{
    static QApplication* application = [] {
        hlv_app::QtGLApplication::PreparePlatform();
        static int argc = 1;
        static char name[] = "hlv_app_test";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *application;
}

}  // namespace hlv_app_test
