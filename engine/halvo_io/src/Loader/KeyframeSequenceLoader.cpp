#include <halvo_io/Loader/KeyframeSequenceLoader.h>

#include <iterator>
#include <string_view>
#include <utility>

#include <boost/algorithm/string/trim.hpp>
#include <boost/tokenizer.hpp>
#include <tinyxml.h>

#include "Loader/KeyframeFileText.h"
#include "Loader/NumberText.h"
#include "Loader/XmlShape.h"

namespace hlv_io {

namespace {

// An element together with its path from the root, for error reports.
struct Node {
    const TiXmlElement* element;
    std::string path;
};

// Reads the elements of one document and reports every breach of the format
// as a KeyframeFormatError about the file.
class DocumentReader {
public:
    explicit DocumentReader(const std::string& file) : m_file(file) {}

    [[noreturn]] void Fail(const Node& node, std::string reason) const
    {
        throw KeyframeFormatError(m_file, node.path, std::move(reason), node.element->Row());
    }

    std::optional<Node> OptionalChild(const Node& parent, const char* name) const
    {
        const TiXmlElement* child = parent.element->FirstChildElement(name);
        if (!child) return std::nullopt;
        return Node{child, parent.path + "/" + name};
    }

    Node Child(const Node& parent, const char* name) const
    {
        std::optional<Node> child = OptionalChild(parent, name);
        if (!child)
            throw KeyframeFormatError(m_file, parent.path + "/" + name, "Missing element.", parent.element->Row());
        return *child;
    }

    // The element's text; empty for an empty element.
    static std::string_view Text(const Node& node)
    {
        const char* text = node.element->GetText();
        return text ? std::string_view(text) : std::string_view();
    }

    std::string_view NonEmptyText(const Node& node) const
    {
        const std::string_view text = Text(node);
        if (text.empty()) Fail(node, "Empty element.");
        return text;
    }

    std::uint64_t Unsigned(const Node& node, std::string_view text) const
    {
        std::uint64_t value = 0;
        const NumberStatus status = ParseUnsigned64(text, value);
        if (status != NumberStatus::Ok) FailNumber(node, status, text);
        return value;
    }

    float Float(const Node& node, std::string_view text) const
    {
        float value = 0.0f;
        const NumberStatus status = ParseFloat(text, value);
        if (status != NumberStatus::Ok) FailNumber(node, status, text);
        return value;
    }

private:
    [[noreturn]] void FailNumber(const Node& node, NumberStatus status, std::string_view text) const
    {
        Fail(node, std::string(DescribeNumberStatus(status)) + "\"" + std::string(text) + "\"");
    }

    const std::string& m_file;
};

// Property text -> code; a text that names none gives 0.
template <std::size_t N>
std::uint32_t LookupCode(std::string_view text, const std::pair<std::string_view, std::uint32_t> (&table)[N])
{
    for (const auto& [name, code] : table)
        if (text == name) return code;
    return 0;
}

void ReadProperties(const DocumentReader& reader, const Node& root, KeyframeSequenceRecord& record)
{
    const Node properties = reader.Child(root, "properties");

    // Any text names the sequence, none included.
    record.name = std::string(DocumentReader::Text(reader.Child(properties, "name")));

    const Node timeUnit = reader.Child(properties, "time_unit");
    record.time_unit = LookupCode(DocumentReader::Text(timeUnit), {{"ms", KTU_MILLISECONDS}});
    if (!record.time_unit) reader.Fail(timeUnit, "Unsupported time unit.");

    const Node valueType = reader.Child(properties, "value_type");
    record.value_type = LookupCode(DocumentReader::Text(valueType), {{"float", KVT_FLOAT}});
    if (!record.value_type) reader.Fail(valueType, "Unsupported value type.");

    if (const std::optional<Node> structure = reader.OptionalChild(properties, "value_structure")) {
        const std::string_view text = DocumentReader::Text(*structure);
        record.value_structure = LookupCode(text, {{"scalar", KVS_SCALAR}, {"vec3", KVS_VEC3}});
        if (!record.value_structure) reader.Fail(*structure, "Unsupported value structure: " + std::string(text));
    } else {
        record.value_structure = KVS_SCALAR;
    }

    if (const std::optional<Node> playType = reader.OptionalChild(properties, "play_type")) {
        record.play_type = LookupCode(DocumentReader::Text(*playType), {{"single", KPT_SINGLE}, {"loop", KPT_LOOP}});
        if (!record.play_type) reader.Fail(*playType, "Unsupported play type.");
    } else {
        record.play_type = KPT_SINGLE;
    }

    const Node interpolation = reader.Child(properties, "interpolation");
    record.interpolation = LookupCode(DocumentReader::Text(interpolation), {{"linear", KI_LINEAR}});
    if (!record.interpolation) reader.Fail(interpolation, "Unsupported interpolation type.");
}

void ReadTiming(const DocumentReader& reader, const Node& root, KeyframeSequenceRecord& record)
{
    const Node timing = reader.Child(root, "timing");
    const Node start = reader.Child(timing, "start");
    const Node duration = reader.Child(timing, "duration");
    if (const std::string_view text = DocumentReader::Text(start); !text.empty())
        record.start = reader.Unsigned(start, text);
    if (const std::string_view text = DocumentReader::Text(duration); !text.empty())
        record.duration = reader.Unsigned(duration, text);
}

template <typename List, typename ReadValue>
List ReadKeys(const DocumentReader& reader, const Node& keyframes, ReadValue readValue)
{
    List keys;
    // Every element from the first "keyframe" on is a key, whatever its name.
    std::size_t number = 1;
    for (const TiXmlElement* element = keyframes.element->FirstChildElement("keyframe"); element;
         element = element->NextSiblingElement(), ++number) {
        const Node key{element, keyframes.path + "/" + element->Value() + "[" + std::to_string(number) + "]"};
        const Node time = reader.Child(key, "time");
        const Node value = reader.Child(key, "value");
        typename List::value_type keyframe;
        keyframe.time = reader.Unsigned(time, reader.NonEmptyText(time));
        keyframe.value = readValue(value, reader.NonEmptyText(value));
        keys.push_back(keyframe);
    }
    return keys;
}

void ReadKeyframes(const DocumentReader& reader, const Node& root, KeyframeSequenceRecord& record)
{
    const Node keyframes = reader.Child(root, "keyframes");
    if (!keyframes.element->FirstChild()) return;

    if (record.value_structure == KVS_VEC3) {
        record.keys = ReadKeys<Vec3KeyList>(reader, keyframes, [&](const Node& node, std::string_view text) {
            const std::optional<pld_math::vector<float, 3>> value =
                KeyframeSequenceLoader::ParseVec3(std::string(text));
            if (!value)
                reader.Fail(node, "Malformed vector value, three numbers separated by \";\" expected: \"" +
                                      std::string(text) + "\"");
            return *value;
        });
    } else {
        record.keys = ReadKeys<ScalarKeyList>(
            reader, keyframes, [&](const Node& node, std::string_view text) { return reader.Float(node, text); });
    }
}

// Parses the file into the document; throws a KeyframeFormatError naming the
// file when it cannot be read or parsed, or is larger or deeper than any
// keyframe file.
void ParseFile(const std::string& path, TiXmlDocument& document)
{
    const std::string loadFailure = "Couldnt load xml file: " + path;
    const auto fail = [&](const std::string& detail, int line) {
        throw KeyframeFormatError(path, "", loadFailure + " (" + detail + ")", line);
    };

    const KeyframeFileText file = ReadKeyframeFileText(path, KeyframeSequenceLoader::kMaxFileBytes);
    if (!file.problem.empty()) fail(file.problem, file.line);
    if (const std::optional<XmlShapeProblem> problem = FindXmlShapeProblem(
            file.text, {KeyframeSequenceLoader::kMaxNesting, KeyframeSequenceLoader::kMaxAttributes}))
        fail(problem->reason, problem->line);

    // Single-byte characters: the format's names are ASCII, other bytes pass
    // through as they are, and the parser never steps over a byte as part of
    // a multi-byte sequence (which the shape check could not follow).
    document.Parse(file.text.c_str(), nullptr, TIXML_ENCODING_LEGACY);
    if (document.Error()) fail(document.ErrorDesc(), document.ErrorRow());
}

}  // namespace

bool KeyframeSequenceLoader::Load(const std::string& path, KeyframeSequenceRecord& record)
{
    TiXmlDocument document;
    ParseFile(path, document);

    const DocumentReader reader(path);
    const TiXmlElement* rootElement = document.FirstChildElement("keyframe_sequence");
    if (!rootElement) throw KeyframeFormatError(path, "keyframe_sequence", "Missing element.", 0);
    const Node root{rootElement, "keyframe_sequence"};

    KeyframeSequenceRecord result;
    ReadProperties(reader, root, result);
    ReadTiming(reader, root, result);
    ReadKeyframes(reader, root, result);
    record = std::move(result);
    return true;
}

std::optional<pld_math::vector<float, 3>> KeyframeSequenceLoader::ParseVec3(const std::string& text)
{
    using Tokenizer = boost::tokenizer<boost::char_separator<char>>;
    const Tokenizer pieces(text, boost::char_separator<char>(";"));

    pld_math::vector<float, 3> value;
    std::size_t count = 0;
    for (auto piece = pieces.begin(); piece != pieces.end() && count < 3; ++piece, ++count) {
        const std::string trimmed = boost::algorithm::trim_copy(*piece, std::locale::classic());
        if (ParseFloat(trimmed, value[count]) != NumberStatus::Ok) return std::nullopt;
    }
    if (count < 3) return std::nullopt;
    return value;
}

}  // namespace hlv_io
