// Hostile keyframe files: each is refused with a KeyframeFormatError naming
// the file before the XML parser can overrun its buffer, exhaust its stack or
// spin, and the record stays as it was.
#include <halvo_io/Loader/KeyframeSequenceLoader.h>

#include <string>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/keyframe_files.h"
#include "support/temp_dir.h"

using namespace hlv_io;
using hlv_io_test::kScalarFile;
using hlv_io_test::TempDir;

namespace {

std::string Repeated(const std::string& piece, std::size_t times)
{
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

// The valid scalar file with extra inside its root element, before "<properties>".
std::string WithExtraInRoot(const std::string& extra)
{
    std::string text = kScalarFile;
    text.insert(text.find("<properties>"), extra);
    return text;
}

}  // namespace

class KeyframeHostileFiles : public ::testing::Test {
protected:
    // Loads the file and expects a format error naming it, a load failure
    // whose reason contains detail unless that is empty; the record keeps
    // its earlier contents.
    void ExpectRefused(const std::string& path, const std::string& detail)
    {
        KeyframeSequenceRecord record;
        record.name = "kept";
        record.play_type = KPT_LOOP;
        try {
            KeyframeSequenceLoader::Load(path, record);
            ADD_FAILURE() << path << " loaded";
        } catch (const KeyframeFormatError& error) {
            EXPECT_EQ(error.File(), path);
            if (!detail.empty()) {
                EXPECT_TRUE(error.Reason().starts_with("Couldnt load xml file: " + path)) << error.what();
                EXPECT_NE(error.Reason().find(detail), std::string::npos) << error.what();
                EXPECT_TRUE(error.Element().empty());
            }
        }
        EXPECT_EQ(record.name, "kept");
        EXPECT_EQ(record.play_type, KPT_LOOP);
        EXPECT_EQ(record.value_type, KVT_NONE);
        EXPECT_FALSE(record.keys.has_value());
    }

    KeyframeSequenceRecord Loaded(const std::string& text)
    {
        KeyframeSequenceRecord record;
        EXPECT_NO_THROW(KeyframeSequenceLoader::Load(m_dir.Write("valid.xml", text), record));
        return record;
    }

    TempDir m_dir;
};

// The parser takes a lead byte for the start of a sequence of up to four
// bytes and stepped past the end of its buffer when the file ended in one.
TEST_F(KeyframeHostileFiles, FilesEndingInTheLeadByteOfAMultiByteSequenceAreRefused)
{
    const std::string prefixes[] = {"<a>", "<?xml version=\"1.0\"?><a b=\"", "<!-- ",
                                    kScalarFile.substr(0, kScalarFile.find("First Fade") + 5)};
    for (const char lead : {'\xC2', '\xDF', '\xE0', '\xEF', '\xF0', '\xF4'})
        for (const std::string& prefix : prefixes) {
            SCOPED_TRACE(testing::Message() << "lead byte " << int(static_cast<unsigned char>(lead)) << " after "
                                            << prefix.size() << " bytes");
            // Unclosed elements or comments: a load failure or a missing root.
            ExpectRefused(m_dir.Write("lead.xml", prefix + lead), "");
        }

    // Bytes beyond ASCII still pass through into the name as they are, and
    // a leading byte order mark is read over.
    EXPECT_EQ(Loaded("\xEF\xBB\xBF" + std::string(kScalarFile)
                                          .replace(kScalarFile.find("First Fade"), 10,
                                                   "\xC3\x9C"
                                                   "berblendung"))
                  .name,
              "\xC3\x9C"
              "berblendung");
}

TEST_F(KeyframeHostileFiles, DeepNestingIsRefusedBeforeParsingInEveryDisguise)
{
    // 40 000 levels (280 KB) overflowed the parser's stack. The other forms
    // hide the nesting from a scan that ignored quotes, character
    // references, declarations or comments: each still opens an element a
    // level deeper per repetition, as the parser reads it.
    const std::string disguises[] = {
        "<a>",
        "<a x=\"/>\">",
        "<a x='</a>'>",
        "<a x=\"&#x\"x;/>\">",
        "<a>&#x<b x=\"x;",
        "<?xml version=\"?>\" ?><a>",
        "<a><!-- <a> --></a><a>",
    };
    for (const std::string& piece : disguises) {
        SCOPED_TRACE(piece);
        ExpectRefused(m_dir.Write("deep.xml", Repeated(piece, 40000)), "nested deeper than 32 levels");
    }

    // Ignored elements inside the root may nest up to the limit in all.
    EXPECT_EQ(Loaded(WithExtraInRoot(Repeated("<n>", 31) + Repeated("</n>", 31))).name, "First Fade");
    ExpectRefused(m_dir.Write("deep.xml", WithExtraInRoot(Repeated("<n>", 32) + Repeated("</n>", 32))),
                  "nested deeper than 32 levels");
    // Siblings, self-closing and closed elements do not add up.
    EXPECT_EQ(Loaded(WithExtraInRoot(Repeated("<n/><m x='1'/><k></k>", 100))).name, "First Fade");
}

TEST_F(KeyframeHostileFiles, ManyAttributesLargeFilesNulBytesAndFifosAreRefused)
{
    // The parser compares each attribute with all earlier ones of its element.
    std::string attributes = "<a";
    for (int i = 0; i < 200000; ++i) attributes += " b" + std::to_string(i) + "=''";
    ExpectRefused(m_dir.Write("attributes.xml", attributes + "/>"), "more than 16 attributes");

    // A file of exactly the largest size loads; one byte more is refused.
    const std::size_t limit = 4 * 1024 * 1024;
    const std::string filler = WithExtraInRoot("<!--" + std::string(limit - kScalarFile.size() - 7, '-') + "-->");
    ASSERT_EQ(filler.size(), limit);
    EXPECT_EQ(Loaded(filler).name, "First Fade");
    ExpectRefused(m_dir.Write("large.xml", filler + "\n"), "larger than 4194304 bytes");

    // The parser stops at a NUL byte and took the part before it for the whole file.
    ExpectRefused(m_dir.Write("nul.xml", kScalarFile + std::string(1, '\0') + "<more/>"), "NUL byte");

    const std::string fifo = m_dir.File("fifo.xml");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ExpectRefused(fifo, "not a regular file");
    ExpectRefused(m_dir.File(""), "not a regular file");
}
