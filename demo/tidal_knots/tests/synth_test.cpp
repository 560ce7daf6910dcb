// The track's synthesiser on short renders of the piece: under full scale,
// centred, and with the kick sounding when the score says.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <vector>

#include "music/mixer.h"
#include "music/score.h"

namespace {

using namespace dmo_nimra::synth;

constexpr double kRate = 44100.0;

TEST(Synth, BusiestStretchStaysUnderFullScaleWithoutDcOffset)
{
    const StereoBuffer mix = RenderScore(TidalKnots(), 84.0, 88.0);
    ASSERT_EQ(mix.Frames(), static_cast<std::size_t>(4 * kRate));

    double peak = 0.0;
    double squares = 0.0;
    for (const std::vector<float>* channel : {&mix.left, &mix.right}) {
        for (float v : *channel) {
            peak = std::max(peak, static_cast<double>(std::abs(v)));
            squares += static_cast<double>(v) * v;
        }
        const double mean = std::accumulate(channel->begin(), channel->end(), 0.0) / channel->size();
        EXPECT_LT(std::abs(mean), 1e-3);  // -60 dBFS
    }
    EXPECT_LT(20.0 * std::log10(peak), -1.0);
    // Music, not near-silence: the climax is loud.
    EXPECT_GT(10.0 * std::log10(squares / (2.0 * mix.Frames())), -20.0);

    // Fixed seeds: the same stretch sounds the same every time.
    const StereoBuffer again = RenderScore(TidalKnots(), 84.0, 88.0);
    EXPECT_TRUE(again.left == mix.left && again.right == mix.right);
}

double LargestStep(const std::vector<float>& samples, std::size_t first, std::size_t last)
{
    double step = 0.0;
    for (std::size_t i = std::max<std::size_t>(first, 1); i < last; ++i)
        step = std::max(step, static_cast<double>(std::abs(samples[i] - samples[i - 1])));
    return step;
}

TEST(Synth, PieceRisesFromSilenceAndEndsInSilenceWithoutAClick)
{
    const Score& score = TidalKnots();
    const StereoBuffer start = RenderScore(score, 0.0, 1.0);
    EXPECT_EQ(start.left[0], 0.0f);
    EXPECT_EQ(start.right[0], 0.0f);
    EXPECT_LT(LargestStep(start.left, 0, start.Frames()), 0.01);

    const double from = score.length - 3.0;
    const StereoBuffer end = RenderScore(score, from, score.length + 0.5);
    const std::size_t endFrame = static_cast<std::size_t>(std::lround((score.length - from) * kRate));
    for (const std::vector<float>* channel : {&end.left, &end.right}) {
        EXPECT_LT(LargestStep(*channel, 0, endFrame), 0.05);
        const std::size_t lastTenth = endFrame - static_cast<std::size_t>(0.1 * kRate);
        for (std::size_t i = lastTenth; i < endFrame; ++i) ASSERT_LT(std::abs((*channel)[i]), 1e-3f) << i;
        for (std::size_t i = endFrame; i < channel->size(); ++i) ASSERT_EQ((*channel)[i], 0.0f) << i;
    }
}

TEST(Synth, KickOnsetsLandWithinFiveMillisecondsOfTheScore)
{
    const Score& score = TidalKnots();
    const double from = 9.0;
    const double to = 12.0;
    const StereoBuffer mix = RenderScore(score, from, to);

    // The low end of the mix, where the kick stands out from pads and hats.
    std::vector<double> low(mix.Frames());
    const double a = 1.0 - std::exp(-2.0 * 3.14159265 * 150.0 / kRate);
    double s1 = 0.0;
    double s2 = 0.0;
    for (std::size_t i = 0; i < low.size(); ++i) {
        s1 += a * (0.5 * (mix.left[i] + mix.right[i]) - s1);
        s2 += a * (s1 - s2);
        low[i] = std::abs(s2);
    }
    const auto maxIn = [&](double start, double end) {
        const std::size_t first = static_cast<std::size_t>(std::max(0.0, (start - from) * kRate));
        const std::size_t last = std::min(low.size(), static_cast<std::size_t>((end - from) * kRate));
        return *std::max_element(low.begin() + first, low.begin() + last);
    };

    std::size_t checked = 0;
    for (double scheduled : score.KickTimes()) {
        if (scheduled < from + 0.05 || scheduled > to - 0.1) continue;
        SCOPED_TRACE(scheduled);
        // Onset: where the low end first rises halfway from what was there
        // before to the kick's peak.
        const double before = maxIn(scheduled - 0.04, scheduled - 0.01);
        const double peak = maxIn(scheduled - 0.01, scheduled + 0.04);
        ASSERT_GT(peak, 2.0 * before);
        std::size_t i = static_cast<std::size_t>((scheduled - 0.01 - from) * kRate);
        while (low[i] < before + 0.5 * (peak - before)) ++i;
        const double onset = from + static_cast<double>(i) / kRate;
        EXPECT_LT(std::abs(onset - scheduled), 0.005) << "onset at " << onset;
        ++checked;
    }
    EXPECT_GE(checked, 3u);  // the first kicks of Scene 2: 10, 10.5, 11, 11.5 s
}

}  // namespace
