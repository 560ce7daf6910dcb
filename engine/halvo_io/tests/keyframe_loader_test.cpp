#include <halvo_io/Loader/KeyframeSequenceLoader.h>

#include <locale>
#include <string>

#include <gtest/gtest.h>

#include "support/keyframe_files.h"
#include "support/temp_dir.h"

using namespace hlv_io;
using hlv_io_test::kScalarFile;
using hlv_io_test::kVec3File;
using hlv_io_test::TempDir;

namespace {

constexpr std::uint64_t kAllOnes = ~std::uint64_t(0);

// Every occurrence of from replaced by to; there must be one.
std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    for (; at != std::string::npos; at = text.find(from, at + to.size())) text.replace(at, from.size(), to);
    return text;
}

}  // namespace

class KeyframeLoaderTest : public ::testing::Test {
protected:
    KeyframeSequenceRecord LoadText(const std::string& text)
    {
        KeyframeSequenceRecord record;
        EXPECT_TRUE(KeyframeSequenceLoader::Load(m_dir.Write("sequence.xml", text), record));
        return record;
    }

    TempDir m_dir;
};

TEST_F(KeyframeLoaderTest, ScalarFileGivesEveryPropertyAndKeysInFileOrder)
{
    const KeyframeSequenceRecord record = LoadText(kScalarFile);
    EXPECT_EQ(record.name, "First Fade");
    EXPECT_EQ(record.time_unit, KTU_MILLISECONDS);
    EXPECT_EQ(record.value_type, KVT_FLOAT);
    EXPECT_EQ(record.value_structure, KVS_SCALAR);
    EXPECT_EQ(record.play_type, KPT_LOOP);
    EXPECT_EQ(record.interpolation, KI_LINEAR);
    EXPECT_EQ(record.start, 1500u);
    EXPECT_EQ(record.duration, 20000u);

    ASSERT_NE(record.ScalarKeys(), nullptr);
    EXPECT_EQ(record.Vec3Keys(), nullptr);
    const ScalarKeyList& keys = *record.ScalarKeys();
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].time, 0u);
    EXPECT_FLOAT_EQ(keys[0].value, 0.0f);
    EXPECT_EQ(keys[1].time, 4000u);
    EXPECT_FLOAT_EQ(keys[1].value, 1.25f);
    EXPECT_EQ(keys[2].time, 2000u);
    EXPECT_FLOAT_EQ(keys[2].value, -5.0f);
    for (const auto& key : keys) EXPECT_EQ(key.tag, kAllOnes);
}

TEST_F(KeyframeLoaderTest, Vec3FileTrimsPiecesAndEmptyTimingKeepsDefaults)
{
    const KeyframeSequenceRecord record = LoadText(kVec3File);
    EXPECT_EQ(record.name, "Main Camera Position");
    EXPECT_EQ(record.value_structure, KVS_VEC3);
    EXPECT_EQ(record.play_type, KPT_SINGLE);
    EXPECT_EQ(record.start, 0u);
    EXPECT_EQ(record.duration, kAllOnes);

    ASSERT_NE(record.Vec3Keys(), nullptr);
    const Vec3KeyList& keys = *record.Vec3Keys();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].time, 0u);
    EXPECT_EQ(keys[0].value, (pld_math::vector<float, 3>(1.0f, 2.0f, 3.0f)));
    EXPECT_EQ(keys[1].time, 10000u);
    EXPECT_FLOAT_EQ(keys[1].value[0], -4.5f);
    EXPECT_FLOAT_EQ(keys[1].value[1], 5.0f);
    EXPECT_FLOAT_EQ(keys[1].value[2], 0.6f);
}

TEST_F(KeyframeLoaderTest, SelfClosingTimingElementsAlsoKeepDefaults)
{
    std::string text = Replaced(kScalarFile, "<start>1500</start>", "<start/>");
    text = Replaced(text, "<duration>20000</duration>", "<duration>  </duration>");
    const KeyframeSequenceRecord record = LoadText(text);
    EXPECT_EQ(record.start, 0u);
    EXPECT_EQ(record.duration, kAllOnes);
}

TEST_F(KeyframeLoaderTest, AnEmptyNameIsAName)
{
    for (const char* empty : {"<name></name>", "<name/>"}) {
        const KeyframeSequenceRecord record = LoadText(Replaced(kScalarFile, "<name>First Fade</name>", empty));
        EXPECT_EQ(record.name, "") << empty;
        EXPECT_EQ(record.play_type, KPT_LOOP) << empty;
        ASSERT_NE(record.ScalarKeys(), nullptr) << empty;
        EXPECT_EQ(record.ScalarKeys()->size(), 3u) << empty;
    }
}

TEST_F(KeyframeLoaderTest, LargestTimesAreRead)
{
    std::string text = Replaced(kScalarFile, "<duration>20000</duration>", "<duration>18446744073709551615</duration>");
    text = Replaced(text, "<time>4000</time>", "<time>+18446744073709551614</time>");
    const KeyframeSequenceRecord record = LoadText(text);
    EXPECT_EQ(record.duration, kAllOnes);
    EXPECT_EQ(record.ScalarKeys()->at(1).time, kAllOnes - 1);
}

TEST_F(KeyframeLoaderTest, AbsentOptionalPropertiesMeanScalarAndSingle)
{
    std::string text = Replaced(kScalarFile, "<value_structure>scalar</value_structure>", "");
    text = Replaced(text, "<play_type>loop</play_type>", "");
    const KeyframeSequenceRecord record = LoadText(text);
    EXPECT_EQ(record.value_structure, KVS_SCALAR);
    EXPECT_EQ(record.play_type, KPT_SINGLE);
    ASSERT_NE(record.ScalarKeys(), nullptr);
    EXPECT_EQ(record.ScalarKeys()->size(), 3u);
}

TEST_F(KeyframeLoaderTest, KeyframesWithoutChildrenGiveNoListAndACommentAnEmptyOne)
{
    const std::size_t from = kVec3File.find("<keyframes>");
    const std::size_t to = kVec3File.find("</keyframes>") + std::string("</keyframes>").size();
    const auto withKeyframes = [&](const std::string& element) {
        return kVec3File.substr(0, from) + element + kVec3File.substr(to);
    };

    EXPECT_FALSE(LoadText(withKeyframes("<keyframes></keyframes>")).keys.has_value());
    EXPECT_FALSE(LoadText(withKeyframes("<keyframes/>")).keys.has_value());
    EXPECT_FALSE(LoadText(withKeyframes("<keyframes>\n   \n</keyframes>")).keys.has_value());

    const KeyframeSequenceRecord commented = LoadText(withKeyframes("<keyframes><!-- none --></keyframes>"));
    ASSERT_NE(commented.Vec3Keys(), nullptr);
    EXPECT_TRUE(commented.Vec3Keys()->empty());
}

TEST_F(KeyframeLoaderTest, KeysStartAtTheFirstKeyframeAndTakeEveryLaterSibling)
{
    const std::string text = Replaced(kScalarFile, "<keyframe><time>0</time><value>0.0</value></keyframe>",
                                      "<note>ignored</note><keyframe><time>0</time><value>0.0</value></keyframe>"
                                      "<key><time>7</time><value>7</value></key>");
    const KeyframeSequenceRecord record = LoadText(text);
    const ScalarKeyList& keys = *record.ScalarKeys();
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[1].time, 7u);
    EXPECT_FLOAT_EQ(keys[1].value, 7.0f);
}

TEST_F(KeyframeLoaderTest, OtherSiblingsOfTheRootAreIgnoredAndCrLfIsRead)
{
    std::string text = Replaced(kScalarFile, "<keyframe_sequence>", "<notes>x</notes>\n<keyframe_sequence>");
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    const KeyframeSequenceRecord record = LoadText(crlf);
    EXPECT_EQ(record.name, "First Fade");
    EXPECT_EQ(record.ScalarKeys()->size(), 3u);
}

namespace {

// Decimal commas for every stream-based conversion of the process.
struct CommaNumbers : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

}  // namespace

TEST_F(KeyframeLoaderTest, NumbersIgnoreTheGlobalLocale)
{
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaNumbers));
    KeyframeSequenceRecord scalar, vector;
    try {
        scalar = LoadText(kScalarFile);
        vector = LoadText(kVec3File);
    } catch (...) {
        std::locale::global(previous);
        throw;
    }
    std::locale::global(previous);
    EXPECT_FLOAT_EQ(scalar.ScalarKeys()->at(1).value, 1.25f);
    EXPECT_FLOAT_EQ(vector.Vec3Keys()->at(1).value[0], -4.5f);
}

TEST(KeyframeParseVec3, TakesThreeTrimmedPiecesAndIgnoresMore)
{
    using V = pld_math::vector<float, 3>;
    EXPECT_EQ(KeyframeSequenceLoader::ParseVec3(" 1 ;\t2 ;3\n"), V(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(KeyframeSequenceLoader::ParseVec3("1;2;3;4"), V(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(KeyframeSequenceLoader::ParseVec3("1;2;3;not a number"), V(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(KeyframeSequenceLoader::ParseVec3("+1;-2.5e1;.5"), V(1.0f, -25.0f, 0.5f));
    // Empty pieces between separators are skipped.
    EXPECT_EQ(KeyframeSequenceLoader::ParseVec3("1;;2;3"), V(1.0f, 2.0f, 3.0f));
}

TEST(KeyframeParseVec3, RefusesTooFewOrMalformedPieces)
{
    for (const char* text : {"", "1", "1;2", "1;2;", ";;", "1;2;x", "1;2; ", "1;2;3,5", "1;2;nan", "1;2;inf",
                             "1;2;1e39", "1;2;+-3", "1;2;0x10"})
        EXPECT_FALSE(KeyframeSequenceLoader::ParseVec3(text).has_value()) << '"' << text << '"';
}

struct FormatErrorCase {
    const char* what;
    const std::string* file;
    std::string from;
    std::string to;
    std::string reason;
    std::string element;
};

void PrintTo(const FormatErrorCase& c, std::ostream* os) { *os << c.what; }

inline const std::string kKey0 = "<keyframe><time>0</time><value>0.0</value></keyframe>";

const FormatErrorCase kFormatErrors[] = {
    {"no root", &kScalarFile, "keyframe_sequence>", "sequence>", "Missing element.", "keyframe_sequence"},
    {"no properties", &kScalarFile, "properties>", "propertiez>", "Missing element.", "keyframe_sequence/properties"},
    {"no name", &kScalarFile, "<name>First Fade</name>", "", "Missing element.", "keyframe_sequence/properties/name"},
    {"no time unit", &kScalarFile, "<time_unit>ms</time_unit>", "", "Missing element.",
     "keyframe_sequence/properties/time_unit"},
    {"time unit case", &kScalarFile, "<time_unit>ms</time_unit>", "<time_unit>MS</time_unit>", "Unsupported time unit.",
     "keyframe_sequence/properties/time_unit"},
    {"empty time unit", &kScalarFile, "<time_unit>ms</time_unit>", "<time_unit/>", "Unsupported time unit.",
     "keyframe_sequence/properties/time_unit"},
    {"no value type", &kScalarFile, "<value_type>float</value_type>", "", "Missing element.",
     "keyframe_sequence/properties/value_type"},
    {"value type", &kScalarFile, "<value_type>float</value_type>", "<value_type>double</value_type>",
     "Unsupported value type.", "keyframe_sequence/properties/value_type"},
    {"value structure", &kScalarFile, "<value_structure>scalar</value_structure>",
     "<value_structure>vec4</value_structure>", "Unsupported value structure: vec4",
     "keyframe_sequence/properties/value_structure"},
    {"empty value structure", &kScalarFile, "<value_structure>scalar</value_structure>",
     "<value_structure></value_structure>",
     "Unsupported value structure: ", "keyframe_sequence/properties/value_structure"},
    {"play type", &kScalarFile, "<play_type>loop</play_type>", "<play_type>once</play_type>", "Unsupported play type.",
     "keyframe_sequence/properties/play_type"},
    {"no interpolation", &kScalarFile, "<interpolation>linear</interpolation>", "", "Missing element.",
     "keyframe_sequence/properties/interpolation"},
    {"interpolation", &kScalarFile, "<interpolation>linear</interpolation>", "<interpolation>cubic</interpolation>",
     "Unsupported interpolation type.", "keyframe_sequence/properties/interpolation"},
    {"no timing", &kScalarFile, "timing>", "timin>", "Missing element.", "keyframe_sequence/timing"},
    {"no start", &kScalarFile, "<start>1500</start>", "", "Missing element.", "keyframe_sequence/timing/start"},
    {"no duration", &kScalarFile, "<duration>20000</duration>", "", "Missing element.",
     "keyframe_sequence/timing/duration"},
    {"malformed start", &kScalarFile, "<start>1500</start>", "<start>15OO</start>", "Malformed number: \"15OO\"",
     "keyframe_sequence/timing/start"},
    {"negative duration", &kScalarFile, "<duration>20000</duration>", "<duration>-1</duration>",
     "Negative number where an unsigned one is expected: \"-1\"", "keyframe_sequence/timing/duration"},
    {"duration too large", &kScalarFile, "<duration>20000</duration>", "<duration>18446744073709551616</duration>",
     "Number out of range: \"18446744073709551616\"", "keyframe_sequence/timing/duration"},
    {"no keyframes", &kScalarFile, "keyframes>", "keyframe_list>", "Missing element.", "keyframe_sequence/keyframes"},
    {"key without time", &kScalarFile, "<time>4000</time>", "", "Missing element.",
     "keyframe_sequence/keyframes/keyframe[2]/time"},
    {"key without value", &kScalarFile, "<value>1.25</value>", "", "Missing element.",
     "keyframe_sequence/keyframes/keyframe[2]/value"},
    {"empty time", &kScalarFile, "<time>4000</time>", "<time></time>", "Empty element.",
     "keyframe_sequence/keyframes/keyframe[2]/time"},
    {"empty value", &kScalarFile, "<value>1.25</value>", "<value/>", "Empty element.",
     "keyframe_sequence/keyframes/keyframe[2]/value"},
    {"negative time", &kScalarFile, "<time>4000</time>", "<time>-4000</time>",
     "Negative number where an unsigned one is expected: \"-4000\"", "keyframe_sequence/keyframes/keyframe[2]/time"},
    {"fractional time", &kScalarFile, "<time>4000</time>", "<time>4000.5</time>", "Malformed number: \"4000.5\"",
     "keyframe_sequence/keyframes/keyframe[2]/time"},
    {"decimal comma", &kScalarFile, "<value>1.25</value>", "<value>1,25</value>", "Malformed number: \"1,25\"",
     "keyframe_sequence/keyframes/keyframe[2]/value"},
    {"not a number", &kScalarFile, "<value>1.25</value>", "<value>nan</value>", "Number is not finite: \"nan\"",
     "keyframe_sequence/keyframes/keyframe[2]/value"},
    {"float overflow", &kScalarFile, "<value>1.25</value>", "<value>1e39</value>", "Number out of range: \"1e39\"",
     "keyframe_sequence/keyframes/keyframe[2]/value"},
    {"scalar given a vector", &kScalarFile, "<value>1.25</value>", "<value>1;2;3</value>",
     "Malformed number: \"1;2;3\"", "keyframe_sequence/keyframes/keyframe[2]/value"},
    {"stray sibling", &kScalarFile, "</keyframes>", "<note>x</note></keyframes>", "Missing element.",
     "keyframe_sequence/keyframes/note[4]/time"},
    {"vector of two", &kVec3File, "<value>1.0;2.0;3.0</value>", "<value>1.0;2.0</value>",
     "Malformed vector value, three numbers separated by \";\" expected: \"1.0;2.0\"",
     "keyframe_sequence/keyframes/keyframe[1]/value"},
    {"vector piece", &kVec3File, "<value>1.0;2.0;3.0</value>", "<value>1.0;two;3.0</value>",
     "Malformed vector value, three numbers separated by \";\" expected: \"1.0;two;3.0\"",
     "keyframe_sequence/keyframes/keyframe[1]/value"},
};

class KeyframeFormatErrors : public ::testing::TestWithParam<FormatErrorCase> {};

TEST_P(KeyframeFormatErrors, NameTheFileTheElementAndTheReasonAndLeaveTheRecord)
{
    const FormatErrorCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.Write("broken.xml", Replaced(*c.file, c.from, c.to));

    KeyframeSequenceRecord record;
    record.name = "kept";
    try {
        KeyframeSequenceLoader::Load(path, record);
        FAIL() << "loaded";
    } catch (const KeyframeFormatError& error) {
        EXPECT_EQ(error.File(), path);
        EXPECT_EQ(error.Reason(), c.reason);
        EXPECT_EQ(error.Element(), c.element);
        // Below the root the report points at the line of the element or its parent.
        if (c.element.find('/') != std::string::npos) {
            EXPECT_GT(error.Line(), 0);
        }
        const std::string what = error.what();
        EXPECT_NE(what.find(error.Reason()), std::string::npos) << what;
        EXPECT_NE(what.find(path), std::string::npos) << what;
        EXPECT_NE(what.find(error.Element()), std::string::npos) << what;
    }
    EXPECT_EQ(record.name, "kept");
    EXPECT_EQ(record.value_type, KVT_NONE);
    EXPECT_FALSE(record.keys.has_value());
}

INSTANTIATE_TEST_SUITE_P(EveryBreach, KeyframeFormatErrors, ::testing::ValuesIn(kFormatErrors));

TEST(KeyframeLoadFailure, MissingUnparsableAndDirectoryPathsAreReportedAsLoadFailures)
{
    TempDir dir;
    const std::string truncated = dir.Write("truncated.xml", kScalarFile.substr(0, 200));
    for (const std::string& path : {dir.File("missing.xml"), truncated, dir.File("")}) {
        KeyframeSequenceRecord record;
        try {
            KeyframeSequenceLoader::Load(path, record);
            ADD_FAILURE() << path << " loaded";
        } catch (const KeyframeFormatError& error) {
            EXPECT_TRUE(error.Reason().starts_with("Couldnt load xml file: " + path)) << error.what();
            EXPECT_EQ(error.File(), path);
            EXPECT_TRUE(error.Element().empty());
        }
    }
}
