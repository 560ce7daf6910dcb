#pragma once
// Valid keyframe-sequence files for the loader tests.
#include <string>

namespace hlv_io_test {

inline const std::string kScalarFile = R"(<?xml version="1.0" ?>
<keyframe_sequence>
    <properties>
        <name>First Fade</name>
        <time_unit>ms</time_unit>
        <value_type>float</value_type>
        <value_structure>scalar</value_structure>
        <play_type>loop</play_type>
        <interpolation>linear</interpolation>
    </properties>
    <timing>
        <start>1500</start>
        <duration>20000</duration>
    </timing>
    <keyframes>
        <keyframe><time>0</time><value>0.0</value></keyframe>
        <keyframe><time>4000</time><value>1.25</value></keyframe>
        <keyframe><time>2000</time><value>-0.5e1</value></keyframe>
    </keyframes>
</keyframe_sequence>
)";

inline const std::string kVec3File = R"(<?xml version="1.0" ?>
<keyframe_sequence>
    <properties>
        <name>Main Camera Position</name>
        <time_unit>ms</time_unit>
        <value_type>float</value_type>
        <value_structure>vec3</value_structure>
        <play_type>single</play_type>
        <interpolation>linear</interpolation>
    </properties>
    <timing>
        <start></start>
        <duration></duration>
    </timing>
    <keyframes>
        <keyframe><time>0</time><value>1.0;2.0;3.0</value></keyframe>
        <keyframe><time>10000</time><value>  -4.5 ;	5 ; 6e-1  </value></keyframe>
    </keyframes>
</keyframe_sequence>
)";

}  // namespace hlv_io_test
