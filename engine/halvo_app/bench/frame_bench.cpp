// Frame rate floor of the engine on a real window: the update thread hands an
// empty frame (one clear) to the render thread, which executes it and swaps,
// at 1920x1080 (run under Xvfb with a 1920x1080 screen; llvmpipe renders).
// Baseline: the same clear and swap on one thread, with no hand-off.
// Start-up and exit of the window program against a plain GL window program.
//
//   LP_NUM_THREADS=4 xvfb-run -a -s "-screen 0 1920x1080x24" ./hlv_app_bench
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QGLWidget>
#include <QScreen>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <halvo_app/Application/AHalvoApplication.h>
#include <halvo_app/Qt/QtGLApplication.h>
#include <halvo_app/Qt/QtGLWidget.h>
#include <halvo_app/Qt/oglQtRenderContext.h>

#include "../tests/support/child_process.h"
#include "bench_application.h"

namespace {

// Processes GUI events until the condition holds (at most five seconds).
template <class Condition>
bool ProcessEventsUntil(Condition condition)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

class CPlainView : public QGLWidget {
public:
    CPlainView() { setAutoBufferSwap(false); }

protected:
    void paintEvent(QPaintEvent*) override {}
    void resizeEvent(QResizeEvent*) override {}
};

void BM_ClearSwapOnOneThread(benchmark::State& state)
{
    CPlainView view;
    view.setGeometry(QGuiApplication::primaryScreen()->geometry());
    view.showFullScreen();
    if (!ProcessEventsUntil([&] { return view.windowHandle() && view.windowHandle()->isExposed(); })) {
        state.SkipWithError("the window was never shown");
        return;
    }
    QApplication::processEvents();
    view.makeCurrent();
    for (auto _ : state) {
        glClearColor(0.2f, 0.3f, 0.4f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        view.swapBuffers();
    }
    view.doneCurrent();
    state.SetItemsProcessed(state.iterations());
    state.counters["width"] = view.width();
    state.counters["height"] = view.height();
}
BENCHMARK(BM_ClearSwapOnOneThread)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

void BM_EmptyFrameHandOff(benchmark::State& state)
{
    hlv_app_bench::CBenchApplication app(qobject_cast<QApplication*>(QApplication::instance()));
    hlv_app::g_application = &app;
    if (hlv_app::StartApplication() != hlv_app::APPR_OK) {
        state.SkipWithError("the application did not start");
        return;
    }
    hlv_app::oglQtRenderContext& context = *app.GetQtRenderContext();
    if (!ProcessEventsUntil([&] { return context.GetPresentedFrames() > 10; })) {
        state.SkipWithError("no frame was presented");
        return;
    }
    hlv_gfx::MTRenderer& renderer = *app.getMTRenderer();
    std::uint64_t frame = renderer.GetFrameCount();
    const std::uint64_t presentedBefore = context.GetPresentedFrames();
    for (auto _ : state) frame = renderer.WaitForFrame(frame);
    const std::uint64_t presented = context.GetPresentedFrames() - presentedBefore;
    app.StopThreads();
    state.SetItemsProcessed(state.iterations());
    state.counters["presented"] = static_cast<double>(presented);
    state.counters["width"] = app.GetGLWidget()->width();
    state.counters["height"] = app.GetGLWidget()->height();
}
BENCHMARK(BM_EmptyFrameHandOff)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

std::int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Runs the window program (arg 1: plain window) and times one phase of it.
enum Phase { kStartToFirstFrame, kEscapeToExit };

void RunWindowProgram(benchmark::State& state, Phase phase)
{
    std::vector<std::string> arguments{"--escape-after", "1", "--times"};
    if (state.range(0) == 1) arguments.push_back("--plain");
    for (auto _ : state) {
        const std::int64_t launched = Now();
        const hlv_app_test::CHILD_RESULT child =
            hlv_app_test::RunChild(HLV_APP_WINDOW_PROGRAM, arguments, std::chrono::seconds(60));
        if (!child.exited || child.status != 0) {
            state.SkipWithError("the window program failed");
            return;
        }
        const std::int64_t firstFrame = hlv_app_test::FindValue(child.output, "first-frame");
        const std::int64_t escape = hlv_app_test::FindValue(child.output, "escape");
        if (firstFrame < 0 || escape < 0) {
            state.SkipWithError("the window program printed no times");
            return;
        }
        const std::int64_t nanoseconds = phase == kStartToFirstFrame ? firstFrame - launched
                                                                     : child.endNanoseconds - escape;
        state.SetIterationTime(static_cast<double>(nanoseconds) * 1e-9);
    }
    state.SetLabel(state.range(0) == 1 ? "plain GL window (baseline)" : "engine window");
}

void BM_StartToFirstFrame(benchmark::State& state) { RunWindowProgram(state, kStartToFirstFrame); }
BENCHMARK(BM_StartToFirstFrame)->Arg(1)->Arg(0)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_EscapeToExit(benchmark::State& state) { RunWindowProgram(state, kEscapeToExit); }
BENCHMARK(BM_EscapeToExit)->Arg(1)->Arg(0)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    hlv_app::QtGLApplication::PreparePlatform();
    QApplication application(argc, argv);
    const char* threads = std::getenv("LP_NUM_THREADS");
    benchmark::AddCustomContext("LP_NUM_THREADS", threads ? threads : "unset (llvmpipe uses one per CPU)");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
