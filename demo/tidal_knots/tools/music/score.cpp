// "Tidal Knots": the demo's track. Everything that makes the piece what it is
// lives here: tempo, key, the sections and their times, the chords, and the
// patterns of every instrument with their dynamics.
#include "music/score.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <utility>

namespace dmo_nimra::synth {

namespace {

constexpr double kTempo = 120.0;
constexpr int kBeatsPerBar = 4;
constexpr double kBeat = 60.0 / kTempo;        // 0.5 s
constexpr double kBar = kBeat * kBeatsPerBar;  // 2 s
constexpr double kSixteenth = kBeat / 4.0;
constexpr double kLength = 118.0;  // 59 bars
constexpr double kFadeOut = 4.0;

// Section times in seconds. The beat starts with Scene 2, stops for the
// break, returns with the climax and runs on into the outro.
constexpr double kGrooveStart = 10.0;
constexpr double kSnareStart = 26.0;
constexpr double kDriveStart = 42.0;
constexpr double kBreakStart = 75.0;
constexpr double kBuildStart = 78.0;
constexpr double kClimaxStart = 82.0;
constexpr double kOutroStart = 103.0;
constexpr double kBeatEnd = 110.0;

// D minor. A chord is a root pitch class (semitones above C) and its tones.
struct Chord {
    int root;
    std::array<int, 4> intervals;  // triad, then a colour tone
};
constexpr Chord kDm{2, {0, 3, 7, 14}};   // i add9
constexpr Chord kBb{10, {0, 4, 7, 11}};  // VI maj7
constexpr Chord kF{5, {0, 4, 7, 14}};    // III add9
constexpr Chord kC{0, {0, 4, 7, 14}};    // VII add9
constexpr Chord kGm{7, {0, 3, 7, 10}};   // iv7
constexpr Chord kA{9, {0, 4, 7, 10}};    // V7 (harmonic minor)

// One chord per bar: i-VI-III-VII cycles, with iv-V turns into the beat, the
// climax and the final chord.
std::vector<Chord> Harmony()
{
    std::vector<Chord> bars{kDm, kDm, kBb, kGm, kA};  // intro, 0-10 s
    const auto cycle = [&](int times) {
        for (int i = 0; i < times; ++i) bars.insert(bars.end(), {kDm, kBb, kF, kC});
    };
    cycle(8);                                                    // groove and drive, 10-74 s
    bars.insert(bars.end(), {kDm, kBb, kGm, kA});                // break and build, 74-82 s
    cycle(2);                                                    // climax, 82-98 s
    bars.insert(bars.end(), {kGm, kA, kDm});                     // 98-104 s
    bars.insert(bars.end(), {kBb, kF, kGm, kA, kDm, kDm, kDm});  // outro to 118 s
    return bars;
}

// The chord's root in the sub-bass register (MIDI 34-45).
int BassNote(const Chord& chord) { return 34 + (chord.root + 2) % 12; }

// The chord's tones in the pad register: the triad in 55-66, the colour tone
// above it in 67-78, so the voicing stays open and moves by small steps.
std::array<int, 4> Voicing(const Chord& chord)
{
    std::array<int, 4> notes{};
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const int low = i < 3 ? 55 : 67;
        notes[i] = low + ((chord.root + chord.intervals[i]) % 12 - low % 12 + 24) % 12;
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

// A piecewise-linear curve over time: the dynamics of a part.
class Curve {
public:
    Curve(std::initializer_list<std::pair<double, double>> points) : m_points(points) {}

    float operator()(double t) const
    {
        if (t <= m_points.front().first) return static_cast<float>(m_points.front().second);
        for (std::size_t i = 1; i < m_points.size(); ++i) {
            const auto& [t1, v1] = m_points[i];
            if (t <= t1) {
                const auto& [t0, v0] = m_points[i - 1];
                return static_cast<float>(v0 + (v1 - v0) * (t - t0) / (t1 - t0));
            }
        }
        return static_cast<float>(m_points.back().second);
    }

private:
    std::vector<std::pair<double, double>> m_points;
};

// Dynamics: velocity and filter opening of the parts over the piece.
const Curve kPadLevel{{0, 0.45}, {10, 0.64}, {42, 0.7}, {75, 0.75}, {82, 0.85}, {103, 0.85}, {118, 0.55}};
const Curve kPadTone{{0, 0.08}, {10, 0.48}, {42, 0.56}, {75, 0.56}, {78, 0.45}, {82, 0.8}, {103, 0.78}, {118, 0.15}};
const Curve kArpLevel{{6, 0.2}, {10, 0.35}, {26, 0.42}, {75, 0.55}, {82, 0.7}, {103, 0.7}, {112, 0.2}};
const Curve kArpTone{{6, 0.12}, {10, 0.3}, {26, 0.3}, {75, 0.55}, {76, 0.22}, {82, 0.88}, {103, 0.85}, {112, 0.25}};
const Curve kKickLevel{{10, 0.8}, {42, 0.86}, {82, 0.95}, {103, 0.95}, {110, 0.62}};

bool InClimax(double t) { return t >= kClimaxStart && t < kOutroStart; }
bool HasBeat(double t) { return (t >= kGrooveStart && t < kBreakStart) || (t >= kClimaxStart && t < kBeatEnd); }
// The last bar of every eight from the start of the beat gets a fill.
bool IsFillBar(int bar) { return bar >= 5 && (bar - 5) % 8 == 7; }

class Arranger {
public:
    explicit Arranger(std::vector<NoteEvent>& events) : m_events(events) {}

    void Add(Instrument instrument, double time, double length, int note, float velocity, float tone = 0.5f,
             float pan = 0.0f, float attack = 0.0f)
    {
        m_events.push_back({instrument, time, length, note, velocity, tone, pan, attack});
    }

    // Pads: the chord's five tones (its root an octave down, then the
    // voicing), one held note per run of equal chords.
    void Pads(const std::vector<Chord>& harmony)
    {
        std::size_t bar = 0;
        while (bar < harmony.size()) {
            std::size_t end = bar + 1;
            while (end < harmony.size() && harmony[end].root == harmony[bar].root) ++end;
            const double start = bar * kBar;
            const double length = (end - bar) * kBar + 0.05;
            const bool first = bar == 0;
            const float attack = first ? 3.5f : 0.9f;
            const std::array<int, 4> voicing = Voicing(harmony[bar]);
            const float level = kPadLevel(start);
            const float tone = kPadTone(start);
            // The last chord lets go early, so its release dies away within the piece.
            const double held = end == harmony.size() ? length - 1.5 : length;
            Add(Instrument::Pad, start, held, BassNote(harmony[bar]) + 12, level * 0.8f, tone, 0.0f, attack);
            for (std::size_t i = 0; i < voicing.size(); ++i) {
                const float pan = -0.6f + 0.4f * static_cast<float>(i);
                Add(Instrument::Pad, start, held, voicing[i], level, tone, pan, attack);
                if (InClimax(start))  // a shimmer an octave up
                    Add(Instrument::Pad, start, held, voicing[i] + 12, level * 0.35f, tone, -pan, attack);
            }
            bar = end;
        }
    }

    void Bass(const std::vector<Chord>& harmony)
    {
        for (std::size_t bar = 0; bar < harmony.size(); ++bar) {
            const double barStart = bar * kBar;
            const int root = BassNote(harmony[bar]);
            if (bar == 3 || bar == 4)  // a low swell under the intro's last chords
                Add(Instrument::Bass, barStart, kBar - 0.1, root, 0.45f, 0.3f, 0.0f, 0.6f);
            if (bar == 40)  // the dominant held under the build
                Add(Instrument::Bass, barStart, kBar - 0.05, root, 0.5f, 0.4f, 0.0f, 0.8f);
            if (bar == 56)  // the last chord's sub
                Add(Instrument::Bass, barStart, 3.0, root, 0.5f, 0.3f, 0.0f, 0.5f);
            for (int beat = 0; beat < kBeatsPerBar; ++beat) {
                const double t = barStart + beat * kBeat;
                if (!HasBeat(t)) continue;
                // Offbeat eighths, an octave up at the end of every other bar.
                const bool lift = beat == 3 && bar % 2 == 1;
                Add(Instrument::Bass, t + 2 * kSixteenth, 0.19, root + (lift ? 12 : 0), 0.8f, 0.45f);
                // Rolling sixteenths after the offbeat from the drive on.
                const bool roll = (t >= kDriveStart && beat % 2 == 1) || InClimax(t);
                if (roll) Add(Instrument::Bass, t + 3 * kSixteenth, 0.09, root, 0.55f, 0.5f);
            }
        }
    }

    void Drums(std::size_t bars)
    {
        for (std::size_t bar = 0; bar < bars; ++bar) {
            const double barStart = bar * kBar;
            const bool fill = IsFillBar(static_cast<int>(bar));
            for (int beat = 0; beat < kBeatsPerBar; ++beat) {
                const double t = barStart + beat * kBeat;
                if (!HasBeat(t)) continue;
                const float kick = kKickLevel(t);
                Add(Instrument::Kick, t, 0.3, 0, kick);
                if (fill && beat == 3) Add(Instrument::Kick, t + 2 * kSixteenth, 0.3, 0, kick * 0.8f);

                const bool snare = t >= kSnareStart && t < kOutroStart && beat % 2 == 1;
                if (snare) Add(Instrument::Snare, t, 0.2, 0, InClimax(t) ? 0.85f : 0.72f, 0.5f, 0.05f);
                if (fill && beat == 3 && t >= kSnareStart)
                    for (int s = 1; s < 4; ++s)
                        Add(Instrument::Snare, t + s * kSixteenth, 0.1, 0, 0.3f + 0.12f * s, 0.45f, 0.05f);

                // Airy hats: offbeat eighths, sixteenth ghosts from the drive
                // on, an open hat at the end of each climax bar.
                const bool open = InClimax(t) && beat == 3;
                const float side = beat % 2 == 0 ? -0.3f : 0.3f;
                Add(open ? Instrument::OpenHat : Instrument::Hat, t + 2 * kSixteenth, 0.05, 0, open ? 0.5f : 0.6f, 0.6f,
                    side);
                if ((t >= kDriveStart && t < kBreakStart) || InClimax(t)) {
                    Add(Instrument::Hat, t + kSixteenth, 0.03, 0, 0.22f, 0.75f, -side);
                    Add(Instrument::Hat, t + 3 * kSixteenth, 0.03, 0, 0.28f, 0.75f, side);
                }
            }
        }
    }

    // The build: a snare roll that doubles its rate each stretch.
    void Build()
    {
        const std::array<std::pair<double, double>, 3> stretches{
            {{kBuildStart, 2 * kSixteenth}, {kBuildStart + 2.0, kSixteenth}, {kBuildStart + 3.0, kSixteenth / 2}}};
        for (std::size_t i = 0; i < stretches.size(); ++i) {
            const double end = i + 1 < stretches.size() ? stretches[i + 1].first : kClimaxStart;
            for (double t = stretches[i].first; t < end - 1e-9; t += stretches[i].second) {
                const float rise = static_cast<float>((t - kBuildStart) / (kClimaxStart - kBuildStart));
                Add(Instrument::Snare, t, 0.05, 0, 0.22f + 0.55f * rise, 0.3f + 0.6f * rise, 0.0f);
            }
        }
    }

    void Arpeggio(const std::vector<Chord>& harmony)
    {
        static constexpr std::array<int, 16> kPattern{0, 2, 4, 6, 1, 3, 5, 7, 2, 4, 6, 4, 3, 5, 7, 5};
        for (std::size_t bar = 0; bar < harmony.size(); ++bar) {
            const std::array<int, 4> voicing = Voicing(harmony[bar]);
            for (int step = 0; step < 16; ++step) {
                const double t = bar * kBar + step * kSixteenth;
                const bool playing = (t >= 6.0 && t < kGrooveStart) || (t >= kSnareStart && t < 112.0);
                if (!playing) continue;
                const int index = kPattern[static_cast<std::size_t>(step)];
                const int note = voicing[static_cast<std::size_t>(index % 4)] + 12 * (index / 4);
                const float accent = step % 4 == 0 ? 1.0f : (step % 2 == 0 ? 0.8f : 0.65f);
                const float pan = 0.35f * static_cast<float>(std::sin(0.7 * (bar * 16 + step)));
                Add(Instrument::Arp, t, 0.1, note, kArpLevel(t) * accent, kArpTone(t), pan);
            }
        }
    }

    void Transitions()
    {
        Add(Instrument::Riser, 6.0, kGrooveStart - 6.0, 0, 0.35f, 0.5f);
        Add(Instrument::Riser, kDriveStart - 2.0, 2.0, 0, 0.3f, 0.5f);
        Add(Instrument::Riser, kBuildStart, kClimaxStart - kBuildStart, 0, 0.7f, 0.5f);
        Add(Instrument::Crash, kGrooveStart, 1.0, 0, 0.55f, 0.5f, -0.2f);
        Add(Instrument::Crash, kDriveStart, 1.0, 0, 0.45f, 0.5f, 0.2f);
        Add(Instrument::Crash, kClimaxStart, 1.0, 0, 0.8f, 0.6f, 0.0f);
        Add(Instrument::Crash, 98.0, 1.0, 0, 0.45f, 0.5f, -0.2f);
    }

private:
    std::vector<NoteEvent>& m_events;
};

Score Compose()
{
    Score score;
    score.tempo = kTempo;
    score.beatsPerBar = kBeatsPerBar;
    score.key = "D minor";
    score.length = kLength;
    score.fadeOut = kFadeOut;
    score.sections = {{"Intro", 0.0, kGrooveStart},          {"Groove", kGrooveStart, kDriveStart},
                      {"Drive", kDriveStart, kBreakStart},   {"Break", kBreakStart, kClimaxStart},
                      {"Climax", kClimaxStart, kOutroStart}, {"Outro", kOutroStart, kLength}};

    const std::vector<Chord> harmony = Harmony();
    if (harmony.size() * kBar != kLength) throw std::logic_error("the harmony does not fill the piece");

    Arranger arranger(score.events);
    arranger.Pads(harmony);
    arranger.Bass(harmony);
    arranger.Drums(harmony.size());
    arranger.Build();
    arranger.Arpeggio(harmony);
    arranger.Transitions();
    std::stable_sort(score.events.begin(), score.events.end(),
                     [](const NoteEvent& a, const NoteEvent& b) { return a.time < b.time; });
    return score;
}

}  // namespace

std::vector<double> Score::KickTimes() const
{
    std::vector<double> times;
    for (const NoteEvent& event : events)
        if (event.instrument == Instrument::Kick) times.push_back(event.time);
    return times;
}

const Section& Score::SectionAt(double t) const
{
    for (const Section& section : sections)
        if (t < section.end) return section;
    return sections.back();
}

const Score& TidalKnots()
{
    static const Score score = Compose();
    return score;
}

}  // namespace dmo_nimra::synth
