#pragma once
// Damaged streams. One corrupt byte in a frame header can give that frame
// another sample rate, channel count or layer, or make the header invalid, so
// that the decoder searches for the next one and the frame is lost; a decoder
// that searches other data for frame headers finds "frames" of every format.
//
// The stream's format is that of most of its frames. Frames of any other
// format are skipped, and silence stands in for every damaged stretch: as
// long as the frames of the stream's format that would fill its bytes, and at
// least a frame of the stream's for each skipped frame. So every later sample
// keeps its time, and music and picture stay together.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sound {

struct FrameFormat {
    long rate = 0;
    int channels = 0;
    int version = 0;  // MPEG 1, 2 or 2.5, as libmpg123 numbers them
    int layer = 0;
    int samplesPerFrame = 0;  // per channel; follows from version and layer

    bool operator==(const FrameFormat&) const = default;
};

// Frames of one format that follow each other in the file without a byte
// between them, and where their samples lie in the decoded buffer.
struct FormatRun {
    FrameFormat format;
    std::uint64_t frames = 0;
    std::uint64_t firstByte = 0;  // the file's bytes the frames occupy
    std::uint64_t endByte = 0;
    std::size_t firstSample = 0;  // interleaved
    std::size_t samples = 0;
};

class FormatRuns {
public:
    // Records a frame that occupied the file's bytes [firstByte, endByte) and
    // whose samples (interleaved) were appended to the decoded buffer.
    void Add(const FrameFormat& format, std::size_t samples, std::uint64_t firstByte, std::uint64_t endByte);

    const std::vector<FormatRun>& Runs() const { return runs_; }
    std::uint64_t Frames() const { return frames_; }
    // The format of most frames (the earliest such format on a tie); only
    // when Frames() > 0.
    FrameFormat StreamFormat() const;
    std::uint64_t FramesOf(const FrameFormat& format) const;
    // The mean size in bytes of a frame of format; 0 when there is none.
    double MeanFrameBytes(const FrameFormat& format) const;
    std::size_t FormatCount() const { return totals_.size(); }

private:
    struct FormatTotal {
        FrameFormat format;
        std::uint64_t frames = 0;
        std::uint64_t bytes = 0;
    };
    const FormatTotal* TotalOf(const FrameFormat& format) const;

    std::vector<FormatRun> runs_;
    std::vector<FormatTotal> totals_;  // one per format, in order of appearance (a few dozen at most)
    std::uint64_t frames_ = 0;
};

struct SkippedFrames {
    std::uint64_t frames = 0;         // frames not of the stream's format
    std::uint64_t silenceFrames = 0;  // samples per channel of silence put in for damage
};

// Rewrites samples, decoded as runs records, to hold only the stream format's
// audio, with silence in place of every damaged stretch between its frames
// (and of skipped frames before the first and after the last). Throws
// std::bad_alloc.
SkippedFrames KeepStreamFormat(const FormatRuns& runs, const FrameFormat& stream, std::vector<std::int16_t>& samples);

}  // namespace sound
