#pragma once
// The Qt main window of the system. Its hooks are those of the engine
// application (AHalvoApplication): a class deriving from both implements each
// once for both.
#include <list>
#include <string>

#include <QMainWindow>
#include <QString>

#include <halvo_app/Application/IRenderContext.h>

class QApplication;

namespace hlv_app {

class QtSplashScreen;

class QtApplication : public QMainWindow {
    Q_OBJECT

public:
    explicit QtApplication(QApplication* application);
    ~QtApplication() override;

    virtual void UserInit() = 0;
    virtual void UserShutdown() = 0;
    virtual void UserStart() = 0;
    virtual void ShowMessage(const std::string& message) = 0;
    virtual void CloseSplashScreen() = 0;
    virtual void OnThreadsStopped() = 0;
    virtual void OnRendererHalted(const std::list<std::string>& messages) = 0;
    virtual void OnRendererHalted(const std::string& message) = 0;
    virtual IRenderContext* GetRenderContext() = 0;

    QApplication* GetQApplication() const { return m_application; }

public slots:
    virtual void rebuildRenderPass(QString effect_name, QString render_pass_name);

signals:
    void propertySheetChanged();
    void resendPropertySheet();
    void renderPassRebuilt();

protected:
    // Null until a concrete application shows one, and again once closed.
    QtSplashScreen* m_splashScreen = nullptr;
    QApplication* m_application;
};

}  // namespace hlv_app
