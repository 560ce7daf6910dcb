#pragma once
// A copy of the demo's data folder (LocalData/, LocalShader/) under the
// temporary directory, removed at the end, whose files a test may change.
#include <filesystem>
#include <string>

namespace dmo_nimra_test {

class CDataFolder {
public:
    // Copies the folder that holds LocalData/ and LocalShader/.
    explicit CDataFolder(const std::filesystem::path& source);
    ~CDataFolder();
    CDataFolder(const CDataFolder&) = delete;
    CDataFolder& operator=(const CDataFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Replaces the track by a tone of that many seconds (encoded by lame).
    void WriteShortTrack(double seconds) const;

private:
    std::filesystem::path m_path;
};

// Runs the shell command in `directory` with both output streams captured;
// the exit status, or -1 when it could not run or was killed.
int RunCaptured(const std::string& command, const std::filesystem::path& directory, std::string& output);

}  // namespace dmo_nimra_test
