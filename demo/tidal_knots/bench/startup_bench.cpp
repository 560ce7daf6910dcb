// Start-up of the demo, from process start to the first presented frame,
// split into its phases, and the peak resident memory. Run it from the demo's
// data folder, on a display (or under xvfb-run):
//   dmo_nimra_startup_bench [runs]       runs the measurement in that many
//                                        child processes (default 5) and
//                                        prints the median of each figure
//   dmo_nimra_startup_bench --once       one measurement in this process
// The baseline of the same run is the engine's bare start-up: the window,
// the GL context and the render and update threads with nothing loaded.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>
#include <QCoreApplication>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <halvo_app/Application/AHalvoApplication.h>
#include <halvo_app/Qt/QtGLApplication.h>
#include <halvo_app/Qt/oglQtRenderContext.h>
#include <tidal_knots/QtSampleApp.h>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Milliseconds since this process started (from /proc, 10 ms resolution).
double MsSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    const auto close = text.rfind(')');
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i) fields >> field;  // field 22: start time in clock ticks after boot
    const double startSeconds = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9 - startSeconds) * 1000.0;
}

// The demo application with each start-up phase timed.
class CTimedApp : public dmo_nimra::QtSampleApp {
public:
    using QtSampleApp::QtSampleApp;
    bool LoadAllData() override
    {
        return Timed("loading", [this] { return QtSampleApp::LoadAllData(); });
    }
    bool CreateAllData() override
    {
        return Timed("gpu_data", [this] { return QtSampleApp::CreateAllData(); });
    }
    bool CreateControllersAndScenes() override
    {
        return Timed("builders", [this] { return QtSampleApp::CreateControllersAndScenes(); });
    }
    std::map<std::string, double> phases;

private:
    template <typename F>
    bool Timed(const char* name, F&& step)
    {
        const auto start = Clock::now();
        const bool ok = step();
        phases[name] = Ms(Clock::now() - start);
        return ok;
    }
};

// The engine alone: window, context, threads, nothing loaded.
class CBareApp : public hlv_app::QtGLApplication {
public:
    using QtGLApplication::QtGLApplication;
    void UserInit() override { showFullScreen(); }
    void UserShutdown() override {}
    void UserStart() override {}
    void OnThreadsStopped() override {}
    void OnRendererHalted(const std::list<std::string>&) override {}
    void OnRendererHalted(const std::string&) override {}
};

long PeakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

template <typename App>
int MeasureOnce(int argc, char** argv, const char* label)
{
    const double mainAt = MsSinceProcessStart();
    const auto mainStart = Clock::now();
    hlv_app::QtGLApplication::PreparePlatform();
    QApplication application(argc, argv);
    auto app = std::make_unique<App>(&application);
    std::atomic<double> firstFrameMs{-1.0};
    std::atomic<bool> watching{true};
    std::thread watcher([&] {
        while (watching) {
            if (app->GetQtRenderContext()->GetPresentedFrames() > 0) {
                firstFrameMs = Ms(Clock::now() - mainStart);
                return;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    hlv_app::g_application = app.get();
    const std::uint32_t started = hlv_app::StartApplication();
    const double startedMs = Ms(Clock::now() - mainStart);
    // Let the demo play a second, so that memory reaches its steady state.
    const auto until = Clock::now() + std::chrono::seconds(1);
    while (Clock::now() < until) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    watching = false;
    watcher.join();
    std::printf("%s started %u\n", label, started);
    std::printf("%s main_after_process_start_ms %.1f\n", label, mainAt);
    std::printf("%s first_frame_ms %.1f\n", label, mainAt + firstFrameMs.load());
    std::printf("%s start_returned_ms %.1f\n", label, mainAt + startedMs);
    if constexpr (std::is_same_v<App, CTimedApp>) {
        for (const auto& [name, ms] : app->phases) std::printf("%s %s_ms %.1f\n", label, name.c_str(), ms);
    }
    std::printf("%s peak_rss_mb %.1f\n", label, static_cast<double>(PeakResidentKb()) / 1024.0);
    std::fflush(stdout);
    app->StopThreads();
    // The process ends here; the window and its threads go with it.
    std::_Exit(started == 0 ? 0 : 1);
}

std::map<std::string, std::vector<double>> RunChildren(const char* self, const char* mode, int runs)
{
    std::map<std::string, std::vector<double>> figures;
    for (int run = 0; run < runs; ++run) {
        const std::string command = std::string("'") + self + "' " + mode;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) continue;
        char line[512];
        while (std::fgets(line, sizeof(line), pipe)) {
            char label[64], name[128];
            double value = 0;
            if (std::sscanf(line, "%63s %127s %lf", label, name, &value) == 3) figures[name].push_back(value);
        }
        pclose(pipe);
    }
    return figures;
}

void PrintMedians(const char* title, std::map<std::string, std::vector<double>> figures)
{
    std::printf("%s\n", title);
    for (auto& [name, values] : figures) {
        std::sort(values.begin(), values.end());
        std::printf("  %-32s median %9.1f   min %9.1f   max %9.1f   (%zu runs)\n", name.c_str(),
                    values[values.size() / 2], values.front(), values.back(), values.size());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--once") == 0) return MeasureOnce<CTimedApp>(argc, argv, "demo");
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) return MeasureOnce<CBareApp>(argc, argv, "bare");
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    setenv("SOUND_LAYER_SILENT", "1", 0);
    PrintMedians("baseline: engine window and threads, nothing loaded", RunChildren(argv[0], "--bare", runs));
    PrintMedians("demo: start-up of Tidal Knots", RunChildren(argv[0], "--once", runs));
    return 0;
}
