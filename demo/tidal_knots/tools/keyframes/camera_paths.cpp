#include "keyframes/camera_paths.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace dmo_nimra::keys {

namespace {

using Vec3 = std::array<double, 3>;

struct Waypoint {
    double time;  // s
    Vec3 value;
};

// A C1 curve through waypoints at uneven times: cubic Hermite segments with
// finite-difference tangents (Catmull-Rom for uneven spacing), constant
// before the first and after the last waypoint.
class SmoothPath {
public:
    explicit SmoothPath(std::vector<Waypoint> points) : m_points(std::move(points))
    {
        if (m_points.size() < 2) throw std::invalid_argument("a path needs two waypoints");
        for (std::size_t i = 0; i < m_points.size(); ++i) {
            const Waypoint& before = m_points[i == 0 ? 0 : i - 1];
            const Waypoint& after = m_points[std::min(i + 1, m_points.size() - 1)];
            Vec3 slope{};
            for (int c = 0; c < 3; ++c) slope[c] = (after.value[c] - before.value[c]) / (after.time - before.time);
            m_slopes.push_back(slope);
        }
    }

    Vec3 At(double t) const
    {
        if (t <= m_points.front().time) return m_points.front().value;
        if (t >= m_points.back().time) return m_points.back().value;
        std::size_t i = 1;
        while (m_points[i].time < t) ++i;
        const Waypoint& a = m_points[i - 1];
        const Waypoint& b = m_points[i];
        const double span = b.time - a.time;
        const double s = (t - a.time) / span;
        const double h00 = (1 + 2 * s) * (1 - s) * (1 - s);
        const double h10 = s * (1 - s) * (1 - s);
        const double h01 = s * s * (3 - 2 * s);
        const double h11 = s * s * (s - 1);
        Vec3 v{};
        for (int c = 0; c < 3; ++c)
            v[c] = h00 * a.value[c] + h10 * span * m_slopes[i - 1][c] + h01 * b.value[c] + h11 * span * m_slopes[i][c];
        return v;
    }

private:
    std::vector<Waypoint> m_points;
    std::vector<Vec3> m_slopes;
};

// An orbit waypoint (azimuth in degrees, radius, height) around the origin,
// azimuth 0 on the negative z axis (where the cameras start) turning towards
// positive x. The spline runs over these three numbers, so the camera swings
// on arcs, not chords.
Vec3 FromOrbit(const Vec3& orbit)
{
    const double azimuth = orbit[0] * std::numbers::pi / 180.0;
    return {orbit[1] * std::sin(azimuth), orbit[2], -orbit[1] * std::cos(azimuth)};
}

// Scene 2's eye: a slow orbit at 450-370 units while the beat settles in,
// closer passes round the middle sphere in the drive, a lift that shows both
// lattices, a hold high over the break, a wide descending turn through the
// climax, then a slow pull-back as the credits roll.
const std::vector<Waypoint> kMainEyeOrbit{
    {0, {-25, 760, 140}},   {5, {-18, 640, 110}},   {10, {-10, 460, 70}},   {16, {8, 430, 50}},
    {22, {26, 410, 35}},    {28, {44, 390, 20}},    {34, {62, 370, 10}},    {42, {88, 320, -20}},
    {47, {112, 210, 0}},    {52, {140, 135, 25}},   {56, {165, 115, 40}},   {60, {192, 175, 10}},
    {65, {215, 330, 110}},  {70, {228, 520, 240}},  {75, {236, 600, 290}},  {78, {240, 610, 270}},
    {82, {250, 560, 160}},  {86, {285, 520, 70}},   {90, {325, 500, -30}},  {94, {365, 520, -70}},
    {98, {405, 560, 10}},   {103, {445, 620, 130}}, {108, {468, 720, 210}}, {113, {482, 840, 270}},
    {118, {492, 940, 310}}, {120, {495, 960, 315}},
};

// Scene 2's look-at point wanders near the middle cube, up towards the upper
// lattice and down towards the lower one in the climax.
const std::vector<Waypoint> kMainTarget{
    {0, {0, 0, 0}},      {10, {0, 10, 0}},     {22, {0, -10, 0}}, {34, {0, 15, 0}},  {42, {0, 0, 0}},
    {52, {0, 5, 0}},     {60, {0, 25, 0}},     {66, {0, 0, 0}},   {75, {0, -15, 0}}, {82, {0, 20, 0}},
    {88, {15, 60, -10}}, {94, {-15, -50, 10}}, {100, {0, 30, 0}}, {108, {0, 0, 0}},  {120, {0, 0, 0}},
};

// The background's eye drifts slowly along the rising band of cubes (x -2000
// to 0, z 800 to 4000) and turns towards the falling cubes of the climax,
// which are born near (1500, 2000, 2000).
const std::vector<Waypoint> kBackgroundEye{
    {0, {-150, -80, -1400}},   {20, {-320, 20, -1300}},  {40, {-480, 150, -1180}},  {60, {-620, 260, -1050}},
    {75, {-560, 240, -1100}},  {80, {-380, 140, -1230}}, {84, {-220, 20, -1320}},   {92, {-120, -80, -1380}},
    {100, {-160, -60, -1360}}, {106, {-320, 40, -1280}}, {113, {-480, 120, -1180}}, {120, {-560, 160, -1120}},
};

const std::vector<Waypoint> kBackgroundTarget{
    {0, {-650, -100, 1500}},  {20, {-780, 80, 1650}},  {40, {-900, 300, 1800}},  {60, {-1000, 520, 1950}},
    {75, {-820, 480, 1900}},  {80, {-200, 500, 2000}}, {84, {500, 700, 2300}},   {90, {750, 250, 2400}},
    {96, {800, -100, 2400}},  {102, {600, 200, 2300}}, {106, {-200, 350, 2000}}, {113, {-700, 420, 1800}},
    {120, {-850, 450, 1750}},
};

// Keys rounded to hundredths, which keeps the files short and exact.
KeyframeSequence Sample(const std::string& name, std::uint64_t step, std::uint64_t end,
                        Vec3 (*place)(const SmoothPath&, double), const SmoothPath& path)
{
    KeyframeSequence sequence{name, true, {}};
    for (std::uint64_t time = 0;; time = std::min(time + step, end)) {
        const Vec3 v = place(path, static_cast<double>(time) / 1000.0);
        Key key{time, {}};
        for (int c = 0; c < 3; ++c) key.value[c] = static_cast<float>(std::round(v[c] * 100.0) / 100.0);
        sequence.keys.push_back(key);
        if (time == end) break;
    }
    return sequence;
}

Vec3 OnPath(const SmoothPath& path, double t) { return path.At(t); }
Vec3 OnOrbit(const SmoothPath& path, double t) { return FromOrbit(path.At(t)); }

}  // namespace

CameraPaths DesignCameraPaths(std::uint64_t step, std::uint64_t end)
{
    return {Sample("Main Camera Position", step, end, OnOrbit, SmoothPath(kMainEyeOrbit)),
            Sample("Main Camera Lookat", step, end, OnPath, SmoothPath(kMainTarget)),
            Sample("Background Camera Position", step, end, OnPath, SmoothPath(kBackgroundEye)),
            Sample("Background Camera Lookat", step, end, OnPath, SmoothPath(kBackgroundTarget))};
}

double SharpestCorner(const KeyframeSequence& sequence)
{
    double sharpest = 0.0;
    const auto& keys = sequence.keys;
    for (std::size_t i = 1; i + 1 < keys.size(); ++i) {
        Vec3 a{};
        Vec3 b{};
        for (int c = 0; c < 3; ++c) {
            a[c] = keys[i].value[c] - keys[i - 1].value[c];
            b[c] = keys[i + 1].value[c] - keys[i].value[c];
        }
        const double la = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
        const double lb = std::sqrt(b[0] * b[0] + b[1] * b[1] + b[2] * b[2]);
        if (la < 10.0 || lb < 10.0) continue;  // slow: its turns do not show
        const double cosine = std::clamp((a[0] * b[0] + a[1] * b[1] + a[2] * b[2]) / (la * lb), -1.0, 1.0);
        sharpest = std::max(sharpest, std::acos(cosine) * 180.0 / std::numbers::pi);
    }
    return sharpest;
}

}  // namespace dmo_nimra::keys
