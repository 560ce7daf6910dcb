#include <plovdane/keyframe_sequence.h>

#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

using pld_ani::keyframe;
using pld_ani::keyframe_sequence;
using pld_math::vector;

namespace {

constexpr float kTolerance = 1e-5f;

template <typename T>
keyframe<T> Key(T value, std::uint64_t time)
{
    keyframe<T> k;
    k.value = value;
    k.time = time;
    return k;
}

keyframe_sequence<float> ExampleSequence()
{
    keyframe_sequence<float> s;
    s.add_key(Key(0.0f, 0));
    s.add_key(Key(1.0f, 10000));
    s.add_key(Key(1.0f, 11000));
    s.add_key(Key(0.0f, 101000));
    return s;
}

// Plain reference: clamp, then interpolate between the keys around t; of keys
// at one time the last in order wins.
float Reference(const std::vector<std::pair<std::uint64_t, float>>& sorted, std::uint64_t t)
{
    if (t < sorted.front().first) return sorted.front().second;
    if (t >= sorted.back().first) return sorted.back().second;
    auto hi =
        std::upper_bound(sorted.begin(), sorted.end(), t, [](std::uint64_t v, const auto& k) { return v < k.first; });
    auto lo = hi - 1;
    const float f = float(t - lo->first) / float(hi->first - lo->first);
    return lo->second + (hi->second - lo->second) * f;
}

}  // namespace

TEST(LinearSpline, SegmentIndexAndEvaluation)
{
    pld_math::linear_spline<float> spline;
    EXPECT_EQ(spline.evaluate(0.5f), 0.0f);
    spline.add_point(2.0f);
    EXPECT_EQ(spline.evaluate(0.7f), 2.0f);
    spline.add_point(4.0f);
    spline.add_point(8.0f);
    spline.insert_point(1, 3.0f);  // 2, 3, 4, 8
    EXPECT_EQ(spline.segment_count(), 3u);
    EXPECT_EQ(spline.segment_index(1.0f), 2u);
    EXPECT_EQ(spline.segment_index(0.0f), 0u);
    EXPECT_NEAR(spline.evaluate(0.0f), 2.0f, kTolerance);
    EXPECT_NEAR(spline.evaluate(1.0f), 8.0f, kTolerance);
    EXPECT_NEAR(spline.evaluate(0.5f), 3.5f, kTolerance);
}

TEST(KeyframeSequence, ExampleCurve)
{
    auto s = ExampleSequence();
    EXPECT_NEAR(s.evaluate(0), 0.0f, kTolerance);
    EXPECT_NEAR(s.evaluate(10000), 1.0f, kTolerance);
    EXPECT_NEAR(s.evaluate(5000), 0.5f, kTolerance);
    EXPECT_NEAR(s.evaluate(101000), 0.0f, kTolerance);
    EXPECT_NEAR(s.evaluate(56000), 0.5f, kTolerance);
    // Earlier after later: the search finds its way back.
    EXPECT_NEAR(s.evaluate(5000), 0.5f, kTolerance);
    EXPECT_NEAR(s.evaluate(10500), 1.0f, kTolerance);
}

TEST(KeyframeSequence, TimesOutsideTheKeysClamp)
{
    keyframe_sequence<float> s;
    s.add_key(Key(3.0f, 1000));
    s.add_key(Key(5.0f, 2000));
    EXPECT_EQ(s.evaluate(0), 3.0f);
    EXPECT_EQ(s.evaluate(999), 3.0f);
    EXPECT_EQ(s.evaluate(2000), 5.0f);
    EXPECT_EQ(s.evaluate(~std::uint64_t(0)), 5.0f);
    EXPECT_NEAR(s.evaluate(1500), 4.0f, kTolerance);
}

TEST(KeyframeSequence, EmptyAndSingleKeySequences)
{
    keyframe_sequence<float> empty;
    EXPECT_EQ(empty.evaluate(0), 0.0f);
    EXPECT_EQ(empty.evaluate(12345), 0.0f);
    keyframe_sequence<vector<float, 3>> empty3;
    EXPECT_EQ(empty3.evaluate(7), (vector<float, 3>{0, 0, 0}));

    keyframe_sequence<float> one;
    one.add_key(Key(4.0f, 500));
    EXPECT_EQ(one.evaluate(0), 4.0f);
    EXPECT_EQ(one.evaluate(500), 4.0f);
    EXPECT_EQ(one.evaluate(800), 4.0f);
}

TEST(KeyframeSequence, KeysAtOneTimeStepToTheLaterKey)
{
    keyframe_sequence<float> s;
    s.add_key(Key(0.0f, 0));
    s.add_key(Key(10.0f, 100));  // sorts last of the two at 100
    s.add_key(Key(20.0f, 100));  // goes before the existing key at 100
    s.add_key(Key(30.0f, 200));
    EXPECT_EQ(s.key(1).value, 20.0f);
    EXPECT_EQ(s.key(2).value, 10.0f);
    EXPECT_NEAR(s.evaluate(50), 10.0f, kTolerance);
    EXPECT_NEAR(s.evaluate(100), 10.0f, kTolerance);
    EXPECT_NEAR(s.evaluate(150), 20.0f, kTolerance);
    EXPECT_FALSE(std::isnan(s.evaluate(100)));

    keyframe_sequence<float> front;
    front.add_key(Key(1.0f, 0));
    front.add_key(Key(2.0f, 0));
    front.add_key(Key(3.0f, 10));
    EXPECT_NEAR(front.evaluate(0), 1.0f, kTolerance);
    EXPECT_NEAR(front.evaluate(5), 2.0f, kTolerance);
}

TEST(KeyframeSequence, OutOfOrderInsertionGivesTheSameCurveAndStableIds)
{
    const std::vector<std::pair<float, std::uint64_t>> keys{{0.0f, 0}, {1.0f, 10000}, {1.0f, 11000}, {0.0f, 101000}};
    keyframe_sequence<float> shuffled;
    std::vector<std::size_t> ids(keys.size());
    for (std::size_t i : {3u, 1u, 0u, 2u}) ids[i] = shuffled.add_key(Key(keys[i].first, keys[i].second));
    auto ordered = ExampleSequence();
    for (std::uint64_t t = 0; t <= 101000; t += 250)
        EXPECT_NEAR(shuffled.evaluate(t), ordered.evaluate(t), kTolerance) << t;
    for (std::size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(shuffled.key(shuffled.key_position(ids[i])).time, keys[i].second);
}

TEST(KeyframeSequence, VectorValues)
{
    keyframe_sequence<vector<float, 3>> s;
    s.add_key(Key(vector<float, 3>{0, 0, 0}, 0));
    s.add_key(Key(vector<float, 3>{2, 4, -8}, 1000));
    vector<float, 3> out;
    auto& r = s.evaluate(250, out);
    EXPECT_EQ(&r, &out);
    EXPECT_NEAR(out[0], 0.5f, kTolerance);
    EXPECT_NEAR(out[1], 1.0f, kTolerance);
    EXPECT_NEAR(out[2], -2.0f, kTolerance);
}

TEST(KeyframeSequence, RandomisedAgainstReference)
{
    std::mt19937_64 rng(20261207);
    for (int round = 0; round < 200; ++round) {
        const int count = 1 + static_cast<int>(rng() % 60);
        std::vector<std::uint64_t> times;
        while (static_cast<int>(times.size()) < count) {
            const std::uint64_t t = rng() % 200000;
            if (std::find(times.begin(), times.end(), t) == times.end()) times.push_back(t);
        }
        keyframe_sequence<float> s;
        std::vector<std::pair<std::uint64_t, float>> sorted;
        for (std::uint64_t t : times) {  // random order of insertion
            const float v = static_cast<float>(rng() % 2001) / 100.0f - 10.0f;
            s.add_key(Key(v, t));
            sorted.emplace_back(t, v);
        }
        std::sort(sorted.begin(), sorted.end());
        const std::uint64_t lo = sorted.front().first, hi = sorted.back().first;
        for (int q = 0; q < 200; ++q) {
            const std::uint64_t t = lo + (hi > lo ? rng() % (hi - lo + 1) : 0);
            ASSERT_NEAR(s.evaluate(t), Reference(sorted, t), 1e-4f) << "round " << round << " t " << t;
        }
    }
}
