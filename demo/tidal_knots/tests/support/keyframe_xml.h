#pragma once
// Keyframe-sequence files written by the tests themselves.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace dmo_nimra_test {

struct KeyframeFile {
    explicit KeyframeFile(std::string sequenceName, std::string valueStructure = "scalar")
        : name(std::move(sequenceName)), structure(std::move(valueStructure))
    {
    }

    std::string name;
    std::string structure;            // "scalar" or "vec3"
    std::string playType = "single";  // or "loop"; empty: no element
    std::string start;                // empty: no value
    std::string duration;             // empty: no value
    std::string interpolation = "linear";
    // (time, value text) in file order.
    std::vector<std::pair<std::uint64_t, std::string>> keys;

    std::string Text() const
    {
        std::string text = "<?xml version=\"1.0\" ?>\n<keyframe_sequence>\n<properties>\n<name>" + name +
                           "</name><time_unit>ms</time_unit><value_type>float</value_type>"
                           "<value_structure>" +
                           structure + "</value_structure>";
        if (!playType.empty()) text += "<play_type>" + playType + "</play_type>";
        text += "<interpolation>" + interpolation + "</interpolation>\n</properties>\n<timing><start>" + start +
                "</start><duration>" + duration + "</duration></timing>\n<keyframes>\n";
        for (const auto& [time, value] : keys)
            text += "<keyframe><time>" + std::to_string(time) + "</time><value>" + value + "</value></keyframe>\n";
        return text + "</keyframes>\n</keyframe_sequence>\n";
    }

    void Write(const std::filesystem::path& path) const { std::ofstream(path) << Text(); }
};

}  // namespace dmo_nimra_test
