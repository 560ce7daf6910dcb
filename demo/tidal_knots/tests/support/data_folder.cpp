#include "data_folder.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include <tidal_knots/asset_lists.h>

namespace dmo_nimra_test {

namespace {

void WriteLittle(std::ofstream& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xff));
}

// A 44.1 kHz stereo tone as a WAV file.
void WriteToneWav(const std::filesystem::path& path, double seconds)
{
    const std::uint32_t rate = 44100;
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    WriteLittle(out, 36 + frames * 4, 4);
    out.write("WAVEfmt ", 8);
    WriteLittle(out, 16, 4);
    WriteLittle(out, 1, 2);
    WriteLittle(out, 2, 2);
    WriteLittle(out, rate, 4);
    WriteLittle(out, rate * 4, 4);
    WriteLittle(out, 4, 2);
    WriteLittle(out, 16, 2);
    out.write("data", 4);
    WriteLittle(out, frames * 4, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const auto sample = static_cast<std::int16_t>(6000.0 * std::sin(2.0 * M_PI * 220.0 * i / rate));
        WriteLittle(out, static_cast<std::uint16_t>(sample), 2);
        WriteLittle(out, static_cast<std::uint16_t>(sample), 2);
    }
}

}  // namespace

CDataFolder::CDataFolder(const std::filesystem::path& source)
{
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("tidal_knots_data_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
    for (const char* folder : {"LocalData", "LocalShader"})
        std::filesystem::copy(source / folder, m_path / folder, std::filesystem::copy_options::recursive);
}

CDataFolder::~CDataFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void CDataFolder::WriteShortTrack(double seconds) const
{
    const std::filesystem::path wav = m_path / "tone.wav";
    WriteToneWav(wav, seconds);
    const std::filesystem::path track = m_path / "LocalData" / dmo_nimra::kTrackFileName;
    std::string output;
    const int status = RunCaptured("lame --quiet -b 128 tone.wav '" + track.string() + "'", m_path, output);
    std::filesystem::remove(wav);
    if (status != 0) throw std::runtime_error("lame failed: " + output);
}

int RunCaptured(const std::string& command, const std::filesystem::path& directory, std::string& output)
{
    const std::string full = "cd '" + directory.string() + "' && " + command + " 2>&1";
    FILE* pipe = ::popen(full.c_str(), "r");
    if (!pipe) return -1;
    output.clear();
    char buffer[4096];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0) output.append(buffer, read);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace dmo_nimra_test
