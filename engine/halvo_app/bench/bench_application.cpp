#include "bench_application.h"

#include <QGuiApplication>
#include <QScreen>

#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/mt_renderer.h>

namespace hlv_app_bench {

CBenchApplication::CBenchApplication(QApplication* application) : QtGLApplication(application)
{
    AddFrameHandler(this);
}

CBenchApplication::~CBenchApplication() { StopThreads(); }

void CBenchApplication::UserInit()
{
    // Without a window manager the full-screen state alone does not size the window.
    setGeometry(QGuiApplication::primaryScreen()->geometry());
    showFullScreen();
}

void CBenchApplication::OnFrame()
{
    hlv_gfx::MTRenderer& renderer = *getMTRenderer();
    renderer.SetClearColor(0.2f, 0.3f, 0.4f, 1.0f);
    renderer.Clear(hlv_gfx::CLM_COLOR_BUFFER | hlv_gfx::CLM_DEPTH_BUFFER);
}

}  // namespace hlv_app_bench
