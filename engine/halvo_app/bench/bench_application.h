#pragma once
// The application of the frame benchmark: full screen, one clear per frame.
#include <list>
#include <string>

#include <halvo_app/Application/IFrameHandler.h>
#include <halvo_app/Qt/QtGLApplication.h>

namespace hlv_app_bench {

class CBenchApplication : public hlv_app::QtGLApplication, private hlv_app::IFrameHandler {
public:
    explicit CBenchApplication(QApplication* application);
    ~CBenchApplication() override;

    void UserInit() override;
    void UserShutdown() override {}
    void UserStart() override {}
    void OnThreadsStopped() override {}
    void OnRendererHalted(const std::list<std::string>&) override {}
    void OnRendererHalted(const std::string&) override {}

private:
    void OnFrame() override;
};

}  // namespace hlv_app_bench
