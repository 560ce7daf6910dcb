#include <halvo_app/Qt/QtApplication.h>

#include <halvo_app/Qt/QtSplashScreen.h>

namespace hlv_app {

QtApplication::QtApplication(QApplication* application) : QMainWindow(nullptr), m_application(application) {}

QtApplication::~QtApplication() = default;

void QtApplication::rebuildRenderPass(QString, QString) {}

}  // namespace hlv_app
