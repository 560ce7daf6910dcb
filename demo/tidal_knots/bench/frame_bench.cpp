// Frame rate of the whole demo, section by section: it plays the demo from
// its data folder in real time (run it from demo/tidal_knots on a display,
// e.g. under `xvfb-run -s "-screen 0 1920x1080x24"`) and reports per section
//   - the frame time (median and 95th percentile, wall clock between frames;
//     the render and update threads run in lockstep, so this is the period
//     of presented frames),
//   - the update thread's CPU time per frame,
//   - the render thread's CPU time per frame (the engine's command execution
//     plus the GL driver's own work on that thread),
//   - the CPU time per frame of llvmpipe's rasteriser threads (the software
//     renderer's "GPU" side; 0 on a hardware driver),
// and the process's peak resident memory. The figures come from the threads'
// scheduler statistics (/proc/self/task/<tid>/schedstat).
//   dmo_nimra_frame_bench
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include <PlovdaneQt/QtTimer.h>
#include <halvo_app/Application/AHalvoApplication.h>
#include <halvo_app/Application/IFrameHandler.h>
#include <halvo_app/Application/RunApplication.h>
#include <halvo_app/Qt/QtGLApplication.h>
#include <sys/resource.h>
#include <tidal_knots/QtSampleApp.h>
#include <time.h>

namespace {

std::int64_t NowNs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

std::string ReadFirstLine(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// CPU nanoseconds of the threads of this process whose name starts with
// `prefix`.
std::int64_t ThreadsCpuNs(const std::string& prefix)
{
    std::int64_t total = 0;
    DIR* tasks = opendir("/proc/self/task");
    if (!tasks) return 0;
    while (dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] == '.') continue;
        const std::string task = std::string("/proc/self/task/") + entry->d_name;
        if (ReadFirstLine(task + "/comm").rfind(prefix, 0) != 0) continue;
        total += std::stoll(ReadFirstLine(task + "/schedstat"));
    }
    closedir(tasks);
    return total;
}

struct Sample {
    std::int64_t wallNs;
    std::uint64_t demoMs;
    std::int64_t updateCpuNs;
    std::int64_t renderCpuNs;
    std::int64_t rasterCpuNs;
};

class CFrameProbe : public hlv_app::IFrameHandler {
public:
    explicit CFrameProbe(dmo_nimra::QtSampleApp& app) : m_app(app) { m_samples.reserve(20000); }
    // Update thread, once per frame.
    void OnFrame() override
    {
        if (m_samples.size() == m_samples.capacity()) return;
        const std::int64_t cpu = NowNs(CLOCK_THREAD_CPUTIME_ID);
        m_samples.push_back({NowNs(CLOCK_MONOTONIC), m_app.GetPlaybackTimer().currentTime(), cpu - m_probeCpuNs,
                             ThreadsCpuNs("hlv-render"), ThreadsCpuNs("llvmpipe")});
        // The probe's own reading is not the update thread's work.
        m_probeCpuNs += NowNs(CLOCK_THREAD_CPUTIME_ID) - cpu;
    }
    const std::vector<Sample>& Samples() const { return m_samples; }

private:
    dmo_nimra::QtSampleApp& m_app;
    std::vector<Sample> m_samples;
    std::int64_t m_probeCpuNs = 0;
};

double Percentile(std::vector<double> values, double p)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(p * static_cast<double>(values.size())))];
}

void Report(const std::vector<Sample>& samples)
{
    struct Section {
        const char* name;
        std::uint64_t from;
        std::uint64_t to;
    };
    const Section sections[] = {{"intro", 0, 10000},
                                {"scene 2", 10000, 82000},
                                {"climax", 82000, 103000},
                                {"outro", 103000, ~std::uint64_t{0}}};
    std::printf("%-8s %7s %10s %10s %12s %12s %12s\n", "section", "frames", "median ms", "p95 ms", "update ms",
                "render ms", "raster ms");
    for (const Section& section : sections) {
        std::vector<double> frame, update, render, raster;
        for (std::size_t i = 1; i < samples.size(); ++i) {
            const Sample& a = samples[i - 1];
            const Sample& b = samples[i];
            // A frame counts for the section its demo time lies in; frames of
            // start-up (clock not running yet) are skipped.
            if (b.demoMs < section.from || b.demoMs >= section.to || b.demoMs == a.demoMs) continue;
            frame.push_back(static_cast<double>(b.wallNs - a.wallNs) / 1e6);
            update.push_back(static_cast<double>(b.updateCpuNs - a.updateCpuNs) / 1e6);
            render.push_back(static_cast<double>(b.renderCpuNs - a.renderCpuNs) / 1e6);
            raster.push_back(static_cast<double>(b.rasterCpuNs - a.rasterCpuNs) / 1e6);
        }
        std::printf("%-8s %7zu %10.1f %10.1f %12.2f %12.1f %12.1f\n", section.name, frame.size(),
                    Percentile(frame, 0.5), Percentile(frame, 0.95), Percentile(update, 0.5), Percentile(render, 0.5),
                    Percentile(raster, 0.5));
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %.0f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    std::printf("(update, render and raster: median CPU ms per frame of those threads)\n");
}

}  // namespace

int main(int argc, char** argv)
{
    hlv_app::QtGLApplication::PreparePlatform();
    QApplication application(argc, argv);
    auto demo = std::make_unique<dmo_nimra::QtSampleApp>(&application);
    CFrameProbe probe(*demo);
    demo->AddFrameHandler(&probe);
    const int status = hlv_app::RunApplication(*demo, [&application] { return application.exec(); });
    Report(probe.Samples());
    const bool failed = demo->Failed();
    demo.reset();
    return failed ? 1 : status;
}
