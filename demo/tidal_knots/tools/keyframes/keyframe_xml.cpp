#include "keyframes/keyframe_xml.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace dmo_nimra::keys {

namespace {

// The shortest text that reads back as the same float; -0 is written as 0.
std::string Number(float value)
{
    if (value == 0.0f) value = 0.0f;
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof(text), value);
    if (error != std::errc()) throw std::invalid_argument("cannot format a keyframe value");
    return std::string(text, end);
}

std::string ValueText(const KeyframeSequence& sequence, const Key& key)
{
    if (!sequence.vec3) return Number(key.value[0]);
    return Number(key.value[0]) + "; " + Number(key.value[1]) + "; " + Number(key.value[2]);
}

}  // namespace

std::string ToXml(const KeyframeSequence& sequence)
{
    for (std::size_t i = 1; i < sequence.keys.size(); ++i)
        if (sequence.keys[i].time <= sequence.keys[i - 1].time)
            throw std::invalid_argument("\"" + sequence.name + "\": key times must rise strictly");
    for (const Key& key : sequence.keys)
        for (float v : key.value)
            if (!std::isfinite(v)) throw std::invalid_argument("\"" + sequence.name + "\": a value is not finite");

    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<keyframe_sequence>\n";
    xml += "  <properties>\n";
    xml += "    <name>" + sequence.name + "</name>\n";
    xml += "    <time_unit>ms</time_unit>\n";
    xml += "    <value_type>float</value_type>\n";
    xml += std::string("    <value_structure>") + (sequence.vec3 ? "vec3" : "scalar") + "</value_structure>\n";
    xml += "    <play_type>single</play_type>\n";
    xml += "    <interpolation>linear</interpolation>\n";
    xml += "  </properties>\n";
    xml += "  <timing>\n    <start>0</start>\n    <duration></duration>\n  </timing>\n";
    xml += "  <keyframes>\n";
    for (const Key& key : sequence.keys)
        xml += "    <keyframe><time>" + std::to_string(key.time) + "</time><value>" + ValueText(sequence, key) +
               "</value></keyframe>\n";
    xml += "  </keyframes>\n</keyframe_sequence>\n";
    return xml;
}

void WriteKeyframeFile(const std::filesystem::path& path, const KeyframeSequence& sequence)
{
    const std::string xml = ToXml(sequence);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(xml.data(), static_cast<std::streamsize>(xml.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace dmo_nimra::keys
