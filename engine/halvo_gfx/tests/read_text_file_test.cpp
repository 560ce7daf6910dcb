#include <filesystem>
#include <fstream>
#include <list>
#include <string>

#include <gtest/gtest.h>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_system.h>

using hlv_gfx::GFXR_FILE_NOT_FOUND;
using hlv_gfx::GFXR_OK;
using hlv_gfx::IGfxSystem;
using Lines = std::list<std::string>;

namespace {

class ReadTextFile : public ::testing::Test {
protected:
    std::filesystem::path Write(const std::string& name, const std::string& bytes)
    {
        const auto path = m_dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("hlv_read_text_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::filesystem::path m_dir;
};

TEST_F(ReadTextFile, MissingFileLeavesTheListAlone)
{
    Lines lines{"kept\n"};
    EXPECT_EQ(IGfxSystem::ReadTextFile((m_dir / "missing.glsl").string(), lines), GFXR_FILE_NOT_FOUND);
    EXPECT_EQ(lines, (Lines{"kept\n"}));
}

TEST_F(ReadTextFile, FileEndingInALineFeedGivesALastLoneLineFeed)
{
    Lines lines;
    ASSERT_EQ(IGfxSystem::ReadTextFile(Write("a.glsl", "first\nsecond\n").string(), lines), GFXR_OK);
    EXPECT_EQ(lines, (Lines{"first\n", "second\n", "\n"}));
}

TEST_F(ReadTextFile, CarriageReturnsBeforeLineEndsAreDropped)
{
    Lines lines{"before\n"};
    ASSERT_EQ(
        IGfxSystem::ReadTextFile(Write("crlf.glsl", "#version 150 compatibility\r\nvoid main()\r\n{}").string(), lines),
        GFXR_OK);
    EXPECT_EQ(lines, (Lines{"before\n", "#version 150 compatibility\n", "void main()\n", "{}\n"}));
}

TEST_F(ReadTextFile, LastLineWithoutLineFeedAndEmptyFile)
{
    Lines lines;
    ASSERT_EQ(IGfxSystem::ReadTextFile(Write("b.glsl", "only\r").string(), lines), GFXR_OK);
    EXPECT_EQ(lines, (Lines{"only\n"}));

    Lines empty;
    ASSERT_EQ(IGfxSystem::ReadTextFile(Write("empty.glsl", "").string(), empty), GFXR_OK);
    EXPECT_EQ(empty, (Lines{"\n"}));
}

}  // namespace
