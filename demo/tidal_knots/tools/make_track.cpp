// Renders the demo's track from its score and encodes it with lame:
//
//   dmo_nimra_make_track <LocalData directory> [--wav <file>]
//
// writes <directory>/Vellomarch-1stdemo-preliminaryfinal-5.mp3 (and keeps the
// 16-bit WAV at <file> when asked). Prints the piece's sections with their
// levels, decodes the MP3 again and checks its length and peak; a failed
// check ends the program with status 1. A rerun writes the same WAV.
#include <mpg123.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "music/level_meter.h"
#include "music/mixer.h"
#include "music/score.h"
#include "music/wav_file.h"

namespace {

namespace fs = std::filesystem;
using namespace dmo_nimra::synth;

constexpr const char* kTrackName = "Vellomarch-1stdemo-preliminaryfinal-5.mp3";
constexpr int kBitrate = 192;        // kbit/s, constant
constexpr double kPeakLimit = -1.0;  // dBFS the encoded track must stay under

std::string Quoted(const fs::path& path)
{
    std::string text = "'";
    for (char c : path.string()) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

void Encode(const fs::path& wav, const fs::path& mp3)
{
    const std::string command = "lame --quiet --noreplaygain -q 2 -b " + std::to_string(kBitrate) + " " + Quoted(wav) +
                                " " + Quoted(mp3);
    if (std::system(command.c_str()) != 0 || !fs::exists(mp3))
        throw std::runtime_error("\"" + command + "\" failed (scripts/setup.sh installs lame)");
}

// The encoded track decoded again, as the demo's sound layer will decode it.
StereoBuffer Decode(const fs::path& mp3)
{
    if (mpg123_init() != MPG123_OK) throw std::runtime_error("mpg123_init failed");
    int error = MPG123_OK;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    if (!handle) throw std::runtime_error("mpg123_new failed");
    mpg123_param(handle, MPG123_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0);
    mpg123_format_none(handle);
    mpg123_format(handle, kSampleRate, MPG123_STEREO, MPG123_ENC_FLOAT_32);
    if (mpg123_open(handle, mp3.c_str()) != MPG123_OK) {
        mpg123_delete(handle);
        throw std::runtime_error("cannot open " + mp3.string() + " for decoding");
    }
    std::vector<float> samples;
    std::vector<unsigned char> chunk(1 << 16);
    for (;;) {
        std::size_t done = 0;
        const int status = mpg123_read(handle, chunk.data(), chunk.size(), &done);
        const float* floats = reinterpret_cast<const float*>(chunk.data());
        samples.insert(samples.end(), floats, floats + done / sizeof(float));
        if (status == MPG123_DONE) break;
        if (status != MPG123_OK && status != MPG123_NEW_FORMAT) {
            mpg123_delete(handle);
            throw std::runtime_error("cannot decode " + mp3.string());
        }
    }
    mpg123_close(handle);
    mpg123_delete(handle);
    StereoBuffer decoded(0, samples.size() / 2);
    for (std::size_t i = 0; i < decoded.Frames(); ++i) {
        decoded.left[i] = samples[2 * i];
        decoded.right[i] = samples[2 * i + 1];
    }
    return decoded;
}

void Report(const Score& score, const StereoBuffer& mix)
{
    std::printf("\"Tidal Knots\": %.0f BPM, %d/4, %s, %.3f s\n", score.tempo, score.beatsPerBar, score.key.c_str(),
                score.length);
    std::printf("  %-8s %9s %9s %10s %10s\n", "section", "time (s)", "", "peak dBFS", "RMS dBFS");
    for (const Section& section : score.sections) {
        const Levels levels = Measure(mix, section.start, section.end);
        std::printf("  %-8s %9.1f %9.1f %10.2f %10.2f\n", section.name.c_str(), section.start, section.end,
                    levels.peakDb, levels.rmsDb);
    }
    const Levels all = Measure(mix, 0.0, score.length);
    std::printf("  whole piece: peak %.2f dBFS, RMS %.2f dBFS, %.1f LUFS, DC %.1e / %.1e, %zu clipped samples\n",
                all.peakDb, all.rmsDb, IntegratedLoudness(mix), all.dcLeft, all.dcRight, all.clipped);
    std::printf("  kicks: %zu, first at %.3f s, last at %.3f s\n", score.KickTimes().size(), score.KickTimes().front(),
                score.KickTimes().back());
}

bool Check(bool condition, const char* what)
{
    if (!condition) std::fprintf(stderr, "check failed: %s\n", what);
    return condition;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--wav")) {
        std::fprintf(stderr, "usage: %s <LocalData directory> [--wav <file>]\n", argv[0]);
        return 2;
    }
    try {
        const fs::path directory = argv[1];
        const fs::path mp3 = directory / kTrackName;
        const bool keepWav = argc == 4;
        const fs::path wav = keepWav ? fs::path(argv[3])
                                     : fs::temp_directory_path() /
                                           ("dmo_nimra_track_" + std::to_string(::getpid()) + ".wav");
        fs::create_directories(directory);

        const auto started = std::chrono::steady_clock::now();
        const Score& score = TidalKnots();
        const StereoBuffer mix = RenderScore(score);
        const double renderSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        Report(score, mix);
        std::printf("  rendered in %.2f s\n", renderSeconds);

        WriteWav16(wav, mix);
        try {
            Encode(wav, mp3);
        } catch (...) {
            if (!keepWav) fs::remove(wav);
            throw;
        }
        if (!keepWav) fs::remove(wav);

        const StereoBuffer decoded = Decode(mp3);
        const double decodedSeconds = static_cast<double>(decoded.Frames()) / kSampleRate;
        const Levels encoded = Measure(decoded, 0.0, decodedSeconds);
        std::printf("%s: %ju bytes, %d kbit/s, %.3f s decoded, peak %.2f dBFS, RMS %.2f dBFS\n", mp3.string().c_str(),
                    static_cast<std::uintmax_t>(fs::file_size(mp3)), kBitrate, decodedSeconds, encoded.peakDb,
                    encoded.rmsDb);

        const Levels rendered = Measure(mix, 0.0, score.length);
        bool ok = Check(rendered.clipped == 0, "no clipped samples in the mix");
        ok &= Check(encoded.peakDb < kPeakLimit, "encoded peak below -1 dBFS");
        ok &= Check(std::abs(decodedSeconds - score.length) < 0.05, "decoded length equals the score's");
        ok &= Check(std::abs(rendered.dcLeft) < 1e-3 && std::abs(rendered.dcRight) < 1e-3, "no DC offset");
        return ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
