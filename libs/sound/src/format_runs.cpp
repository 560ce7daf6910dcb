#include "format_runs.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace sound {

void FormatRuns::Add(const FrameFormat& format, std::size_t samples, std::uint64_t firstByte, std::uint64_t endByte)
{
    if (runs_.empty() || !(runs_.back().format == format) || runs_.back().endByte != firstByte) {
        const std::size_t first = runs_.empty() ? 0 : runs_.back().firstSample + runs_.back().samples;
        runs_.push_back({format, 0, firstByte, firstByte, first, 0});
    }
    FormatRun& run = runs_.back();
    ++run.frames;
    run.endByte = endByte;
    run.samples += samples;
    ++frames_;

    const std::uint64_t bytes = endByte > firstByte ? endByte - firstByte : 0;
    const auto total =
        std::find_if(totals_.begin(), totals_.end(), [&](const FormatTotal& t) { return t.format == format; });
    if (total != totals_.end()) {
        ++total->frames;
        total->bytes += bytes;
    } else {
        totals_.push_back({format, 1, bytes});
    }
}

const FormatRuns::FormatTotal* FormatRuns::TotalOf(const FrameFormat& format) const
{
    const auto total =
        std::find_if(totals_.begin(), totals_.end(), [&](const FormatTotal& t) { return t.format == format; });
    return total != totals_.end() ? &*total : nullptr;
}

std::uint64_t FormatRuns::FramesOf(const FrameFormat& format) const
{
    const FormatTotal* total = TotalOf(format);
    return total ? total->frames : 0;
}

double FormatRuns::MeanFrameBytes(const FrameFormat& format) const
{
    const FormatTotal* total = TotalOf(format);
    return total ? static_cast<double>(total->bytes) / static_cast<double>(total->frames) : 0.0;
}

FrameFormat FormatRuns::StreamFormat() const
{
    const auto most = std::max_element(totals_.begin(), totals_.end(),
                                       [](const FormatTotal& a, const FormatTotal& b) { return a.frames < b.frames; });
    return most != totals_.end() ? most->format : FrameFormat{};
}

SkippedFrames KeepStreamFormat(const FormatRuns& runs, const FrameFormat& stream, std::vector<std::int16_t>& samples)
{
    SkippedFrames skipped;
    if (runs.Runs().size() <= 1) return skipped;

    const double frameBytes = runs.MeanFrameBytes(stream);
    const auto spf = static_cast<std::uint64_t>(stream.samplesPerFrame);
    const auto channels = static_cast<std::size_t>(stream.channels);
    std::vector<std::int16_t> kept;
    kept.reserve(samples.size());
    const auto putSilence = [&](std::uint64_t frames) {
        kept.resize(kept.size() + static_cast<std::size_t>(frames) * channels, 0);
        skipped.silenceFrames += frames;
    };

    std::uint64_t pending = 0;  // silence owed to skipped frames since the last kept run
    bool keptOne = false;
    std::uint64_t keptEnd = 0;
    for (const FormatRun& run : runs.Runs()) {
        if (!(run.format == stream)) {
            // What the run decoded to (less than whole frames where the
            // encoder's delay or padding was cut), in frames of its format,
            // stands for as many frames of the stream's.
            const std::uint64_t runFrames = run.samples / static_cast<std::size_t>(run.format.channels);
            pending += runFrames * spf / static_cast<std::uint64_t>(run.format.samplesPerFrame);
            skipped.frames += run.frames;
            continue;
        }
        // Between two kept runs the damaged bytes tell how many frames they
        // held; before the first one lie the file's tags, which hold none.
        if (keptOne && run.firstByte > keptEnd && frameBytes > 0.0) {
            const double lost = std::round(static_cast<double>(run.firstByte - keptEnd) / frameBytes);
            pending = std::max(pending, static_cast<std::uint64_t>(lost) * spf);
        }
        putSilence(pending);
        pending = 0;
        const auto from = samples.begin() + static_cast<std::ptrdiff_t>(run.firstSample);
        kept.insert(kept.end(), from, from + static_cast<std::ptrdiff_t>(run.samples));
        keptOne = true;
        keptEnd = run.endByte;
    }
    putSilence(pending);
    samples = std::move(kept);
    return skipped;
}

}  // namespace sound
