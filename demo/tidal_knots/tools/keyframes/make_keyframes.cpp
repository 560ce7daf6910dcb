// Writes the demo's sixteen keyframe files:
//
//   dmo_nimra_make_keyframes <LocalData/Keyframes directory>
//
// the two beat sequences from the kicks of the track's score, ten fades that
// follow the music's sections and the demo's scene changes, and the four
// camera paths (under Camera/). A rerun writes the same bytes.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "keyframes/camera_paths.h"
#include "keyframes/demo_keyframes.h"
#include "music/score.h"

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    using namespace dmo_nimra;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <LocalData/Keyframes directory>\n", argv[0]);
        return 2;
    }
    try {
        const fs::path directory = argv[1];
        for (const keys::KeyframeFile& file : keys::DemoKeyframeFiles(synth::TidalKnots())) {
            const fs::path path = directory / file.path;
            keys::WriteKeyframeFile(path, file.sequence);
            std::printf("%-40s %-28s %4zu keys, %6ju bytes", file.path.c_str(),
                        ("\"" + file.sequence.name + "\"").c_str(), file.sequence.keys.size(),
                        static_cast<std::uintmax_t>(fs::file_size(path)));
            if (file.sequence.vec3) std::printf(", sharpest corner %.1f deg", keys::SharpestCorner(file.sequence));
            std::printf("\n");
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
