#include "tone_track.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace sound_testing {
namespace {

class Scratch {
public:
    Scratch() : path_(std::filesystem::temp_directory_path() / ("sound_test_" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(path_);
    }
    ~Scratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string WaveFileBytes(int rate, int channels, const std::vector<std::int16_t>& samples)
{
    std::string out;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out += "RIFF";
    PutLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);  // PCM
    PutLittleEndian(out, static_cast<std::uint32_t>(channels), 2);
    PutLittleEndian(out, static_cast<std::uint32_t>(rate), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(rate * channels * 2), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(channels * 2), 2);
    PutLittleEndian(out, 16, 2);
    out += "data";
    PutLittleEndian(out, dataBytes, 4);
    for (std::int16_t s : samples) PutLittleEndian(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

const std::filesystem::path& ScratchDirectory()
{
    static const Scratch scratch;
    return scratch.path();
}

ToneTrack MakeToneTrack(const std::string& name, int rate, int channels, std::uint64_t frames, double frequency,
                        int kilobitsPerSecond)
{
    ToneTrack track;
    track.rate = rate;
    track.channels = channels;
    track.frames = frames;
    track.frequency = frequency;
    track.path = ScratchDirectory() / (name + ".mp3");

    // Quiet, so that a run on a machine with speakers stays bearable.
    std::vector<std::int16_t> samples(frames * static_cast<std::uint64_t>(channels));
    for (std::uint64_t i = 0; i < frames; ++i) {
        const double value = 4000.0 * std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(i) / rate);
        for (int c = 0; c < channels; ++c) samples[i * channels + c] = static_cast<std::int16_t>(std::lround(value));
    }
    const std::filesystem::path wav = WriteScratchFile(name + ".wav", WaveFileBytes(rate, channels, samples));

    const std::string command = "lame --quiet -b " + std::to_string(kilobitsPerSecond) +
                                (channels == 1 ? " -m m" : "") + " '" + wav.string() + "' '" + track.path.string() +
                                "'";
    const int status = std::system(command.c_str());
    if (status != 0 || !std::filesystem::exists(track.path))
        throw std::runtime_error("\"" + command +
                                 "\" failed (is lame installed? scripts/setup.sh "
                                 "installs it)");
    std::filesystem::remove(wav);
    return track;
}

std::filesystem::path WriteScratchFile(const std::string& name, const std::string& bytes)
{
    const std::filesystem::path path = ScratchDirectory() / name;
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
    return path;
}

const ToneTrack& StereoTone()
{
    static const ToneTrack track = MakeToneTrack("stereo_tone", 44100, 2, 6 * 44100 + 321, 440.0, 128);
    return track;
}

const ToneTrack& MonoTone()
{
    static const ToneTrack track = MakeToneTrack("mono_tone", 22050, 1, 3 * 22050 + 123, 1000.0, 64);
    return track;
}

}  // namespace sound_testing
