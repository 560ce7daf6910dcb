// Truncated and mutated copies of valid files: every one either loads or is
// refused with a KeyframeFormatError; nothing else may happen.
#include <halvo_io/Loader/KeyframeSequenceLoader.h>

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "support/byte_mutation.h"
#include "support/keyframe_files.h"
#include "support/temp_dir.h"

using namespace hlv_io;

namespace {

// Characters that matter to XML, to numbers and to vector values.
constexpr char kInteresting[] = "<>/&;.-+eE0123456789 \t\r\n\"'=!?[]x\xef\xbb\xbf\xff";

// XML's own edit: the text of the element around a byte is emptied.
std::string Mutate(const std::string& text, std::mt19937& random)
{
    return hlv_io_test::MutateBytes(text, random, std::string_view(kInteresting, sizeof kInteresting - 1), 4,
                                    [](std::string& out, std::size_t at) {
                                        const std::size_t open = out.rfind('>', at);
                                        const std::size_t close = out.find('<', at);
                                        if (open != std::string::npos && close != std::string::npos && open < close)
                                            out.erase(open + 1, close - open - 1);
                                    });
}

void CheckLoaded(const KeyframeSequenceRecord& record)
{
    EXPECT_EQ(record.time_unit, KTU_MILLISECONDS);
    EXPECT_EQ(record.value_type, KVT_FLOAT);
    EXPECT_EQ(record.interpolation, KI_LINEAR);
    EXPECT_TRUE(record.play_type == KPT_SINGLE || record.play_type == KPT_LOOP);
    if (record.keys) {
        const bool vec3 = record.value_structure == KVS_VEC3;
        EXPECT_EQ(record.Vec3Keys() != nullptr, vec3);
        EXPECT_EQ(record.ScalarKeys() != nullptr, !vec3);
    }
}

}  // namespace

TEST(KeyframeLoaderFuzz, TruncatedAndMutatedFilesLoadOrFailCleanly)
{
    hlv_io_test::TempDir dir;
    const std::string path = dir.File("fuzz.xml");
    std::mt19937 random(20110427u);
    int loaded = 0;
    int refused = 0;

    const std::string* sources[] = {&hlv_io_test::kScalarFile, &hlv_io_test::kVec3File};
    for (const std::string* source : sources) {
        // Every prefix of the file.
        for (std::size_t length = 0; length <= source->size(); ++length) {
            dir.Write("fuzz.xml", source->substr(0, length));
            KeyframeSequenceRecord record;
            try {
                KeyframeSequenceLoader::Load(path, record);
                CheckLoaded(record);
                ++loaded;
            } catch (const KeyframeFormatError&) {
                ++refused;
            }
        }
        // Random edits.
        for (int i = 0; i < 2000; ++i) {
            dir.Write("fuzz.xml", Mutate(*source, random));
            KeyframeSequenceRecord record;
            try {
                KeyframeSequenceLoader::Load(path, record);
                CheckLoaded(record);
                ++loaded;
            } catch (const KeyframeFormatError& error) {
                EXPECT_EQ(error.File(), path);
                EXPECT_FALSE(error.Reason().empty());
                ++refused;
            }
        }
    }
    // Both outcomes occur, so the mutations neither break every file nor none.
    EXPECT_GT(loaded, 100);
    EXPECT_GT(refused, 100);
    std::cout << "loaded " << loaded << ", refused " << refused << '\n';
}
