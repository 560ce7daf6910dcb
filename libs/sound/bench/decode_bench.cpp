// Decoding a two-minute MP3 track into memory as createSound does (decode,
// then convert to the output format), against the mpg123 command-line decoder
// decoding the same file with its test mode (-t: decode, write nothing). The
// baseline runs as a separate process, so both are timed in wall-clock time;
// the ratio of the two is printed at the end.
#include "mp3_decoder.h"
#include "track_loader.h"

#include <benchmark/benchmark.h>

#include "tone_track.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

sound_testing::ToneTrack g_track;

void DecodeWithSoundLayer(benchmark::State& state)
{
    for (auto _ : state) {
        sound::PcmTrack track;
        std::string detail;
        if (sound::LoadTrack(g_track.path.c_str(), track, detail) != FMOD_OK) {
            state.SkipWithError(detail.c_str());
            return;
        }
        benchmark::DoNotOptimize(track.samples.data());
    }
    state.counters["audio_s"] = g_track.Seconds();
}

void DecodeOnlyWithLibmpg123(benchmark::State& state)
{
    for (auto _ : state) {
        sound::DecodedAudio audio;
        std::string detail;
        if (sound::DecodeMp3File(g_track.path.c_str(), audio, detail) != FMOD_OK) {
            state.SkipWithError(detail.c_str());
            return;
        }
        benchmark::DoNotOptimize(audio.samples.data());
    }
}

void DecodeWithMpg123Command(benchmark::State& state)
{
    const std::string command = "mpg123 -q -t '" + g_track.path.string() + "' >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("mpg123 is missing or failed (scripts/setup.sh installs it)");
            return;
        }
    }
}

BENCHMARK(DecodeWithSoundLayer)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(DecodeOnlyWithLibmpg123)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(DecodeWithMpg123Command)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// Prints the runs as usual, then each run's time as a multiple of the
// command-line decoder's.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                times_[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto baseline = times_.find("DecodeWithMpg123Command");
        if (baseline == times_.end() || baseline->second <= 0) return;
        for (const auto& [name, time] : times_)
            std::printf("%-28s %.3f x mpg123 -t\n", name.c_str(), time / baseline->second);
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv)
{
    // Two minutes of a tone at 192 kbit/s: the decoder runs its full synthesis
    // for every frame whatever the content.
    g_track = sound_testing::MakeToneTrack("two_minutes", 44100, 2, 120 * 44100, 261.63, 192);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
