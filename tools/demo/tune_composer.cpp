#include "tune_composer.h"

#include "midi_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

constexpr std::uint32_t quarter = 480;
constexpr std::uint32_t eighth = quarter / 2;
constexpr std::uint32_t sixteenth = quarter / 4;
constexpr std::uint32_t bar = 4 * quarter;
constexpr int melodyChannel = 0, harmonyChannel = 1, bassChannel = 2, drumChannel = 9;

// splitmix64: small, fast and the same on every platform (unlike the std distributions).
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull ^ 0x5EED0F7E1D2Aull) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> const T& pick(const std::vector<T>& v)
    {
        return v[below(static_cast<int>(v.size()))];
    }

  private:
    std::uint64_t state;
};

using Scale = std::array<int, 7>;
const std::vector<Scale> scales = {
    {0, 2, 4, 5, 7, 9, 11}, // major
    {0, 2, 3, 5, 7, 8, 10}, // natural minor
    {0, 2, 3, 5, 7, 9, 10}, // dorian
    {0, 2, 4, 5, 7, 9, 10}, // mixolydian
};
// Chord roots as scale degrees, one chord per bar.
const std::vector<std::vector<int>> progressions = {
    {0, 4, 5, 3}, {0, 5, 3, 4}, {5, 3, 0, 4}, {0, 3, 0, 4}, {0, 3, 4, 3},
    {0, 5, 1, 4}, {0, 6, 5, 6}, {0, 2, 3, 4}, {3, 4, 2, 5}, {0, 3, 6, 4},
};
// Melody rhythms in eighths; a negative length is a rest.
const std::vector<std::vector<int>> barRhythms = {
    {2, 2, 2, 2},
    {3, 1, 2, 2},
    {2, 1, 1, 2, 2},
    {1, 1, 2, 1, 1, 2},
    {4, 2, 2},
    {2, 2, 4},
    {3, 3, 2},
    {1, 1, 1, 1, 2, 2},
    {2, -1, 1, 2, 2},
    {-2, 2, 1, 1, 2},
    {1, 1, 1, 1, 1, 1, 2},
};
const std::vector<std::vector<int>> closingRhythms = {{2, 2, 4}, {4, 4}, {3, 5}, {2, 6}, {8}, {1, 1, 6}};
const std::vector<int> leadPrograms = {80, 81, 73, 56, 11, 4, 62, 22, 65, 18, 71, 84, 9, 13};
const std::vector<int> padPrograms = {48, 89, 0, 16, 50, 4, 88, 24};
const std::vector<int> bassPrograms = {33, 34, 38, 39, 35, 32};

struct Key {
    int tonic; // MIDI key of the tonic in the melody's octave
    Scale scale;
    int pitch(int degree) const
    {
        const int octave = degree >= 0 ? degree / 7 : -((-degree + 6) / 7);
        return tonic + 12 * octave + scale[degree - 7 * octave];
    }
};

struct MelodyNote {
    int startEighth; // from the start of the phrase
    int lengthEighths;
    int degree;
};
using Motif = std::vector<MelodyNote>;

// The chord tone (root, third, fifth of `chord`, any octave) nearest to `target`.
int nearestChordTone(int chord, int target)
{
    int best = chord, bestDistance = 1000;
    for (int octave = -2; octave <= 3; ++octave)
        for (int step : {0, 2, 4}) {
            const int d = chord + step + 7 * octave;
            if (std::abs(d - target) < bestDistance) {
                best = d;
                bestDistance = std::abs(d - target);
            }
        }
    return best;
}

void melodyBar(Rng& rng, Motif& motif, int barIndex, int chord, const std::vector<int>& rhythm, int& degree)
{
    int position = 0;
    for (int length : rhythm) {
        const int eighths = std::abs(length);
        if (length > 0) {
            if (position % 2 == 0)
                degree = nearestChordTone(chord, degree + rng.between(-2, 2));
            else
                degree += rng.chance(50) ? 1 : -1;
            degree = std::clamp(degree, -2, 9);
            motif.push_back({barIndex * 8 + position, eighths, degree});
        }
        position += eighths;
    }
}

Motif makeMotif(Rng& rng, const std::vector<int>& progression)
{
    Motif motif;
    int degree = rng.pick(std::vector<int>{0, 2, 4});
    const auto& rhythmA = rng.pick(barRhythms);
    const auto& rhythmB = rng.pick(barRhythms);
    for (int b = 0; b < 3; ++b)
        melodyBar(rng, motif, b, progression[b], b == 1 ? rhythmB : rhythmA, degree);
    melodyBar(rng, motif, 3, progression[3], rng.pick(closingRhythms), degree);
    return motif;
}

// The same phrase with a new last bar, so a repeat does not sound like a loop.
Motif varyLastBar(Rng& rng, const Motif& motif, const std::vector<int>& progression)
{
    Motif varied;
    int degree = 0;
    for (const auto& n : motif)
        if (n.startEighth < 24) {
            varied.push_back(n);
            degree = n.degree;
        }
    melodyBar(rng, varied, 3, progression[3], rng.pick(closingRhythms), degree);
    return varied;
}

struct Style {
    int drumPattern;
    int bassPattern;
    int harmonyPattern;
};

void drumBar(MidiTrack& t, std::uint32_t at, int pattern, bool fill, bool crash)
{
    auto hit = [&](int step, int key, int velocity) {
        t.note(at + step * sixteenth, drumChannel, key, velocity, sixteenth);
    };
    constexpr int kick = 36, snare = 38, closedHat = 42, openHat = 46, crashCymbal = 49, lowTom = 45,
                  highTom = 50;
    const int lastStep = fill ? 12 : 16;
    for (int s = 0; s < lastStep; ++s) {
        switch (pattern) {
        case 0: // straight eight
            if (s == 0 || s == 8 || s == 10)
                hit(s, kick, 110);
            if (s == 4 || s == 12)
                hit(s, snare, 100);
            if (s % 2 == 0)
                hit(s, closedHat, s % 4 == 0 ? 80 : 60);
            break;
        case 1: // four on the floor
            if (s % 4 == 0)
                hit(s, kick, 112);
            if (s == 4 || s == 12)
                hit(s, snare, 96);
            if (s % 4 == 2)
                hit(s, openHat, 70);
            break;
        case 2: // half time
            if (s == 0 || s == 6 || s == 10)
                hit(s, kick, 108);
            if (s == 8)
                hit(s, snare, 104);
            if (s % 2 == 0)
                hit(s, closedHat, 64);
            break;
        default: // galop
            if (s == 0 || s == 3 || s == 8 || s == 11)
                hit(s, kick, 106);
            if (s == 4 || s == 12 || s == 15)
                hit(s, snare, s == 15 ? 70 : 100);
            hit(s, closedHat, s % 2 == 0 ? 72 : 48);
            break;
        }
    }
    if (fill)
        for (int s = 12; s < 16; ++s)
            hit(s, s < 14 ? highTom : lowTom, 90 + 4 * (s - 12));
    if (crash)
        hit(0, crashCymbal, 96);
}

void bassBar(MidiTrack& t, std::uint32_t at, const Key& key, int chord, int pattern)
{
    const int root = key.pitch(chord) - 24;
    const int fifth = key.pitch(chord + 4) - 24;
    auto play = [&](int eighthStart, int eighths, int pitch, int velocity) {
        t.note(at + eighthStart * eighth, bassChannel, pitch, velocity, eighths * eighth - 20);
    };
    switch (pattern) {
    case 0:
        for (int q = 0; q < 4; ++q)
            play(2 * q, 2, q == 2 ? fifth : root, q == 0 ? 104 : 92);
        break;
    case 1:
        for (int e = 0; e < 8; ++e)
            play(e, 1, e % 2 == 0 ? root : root + 12, e % 2 == 0 ? 100 : 84);
        break;
    case 2:
        play(0, 3, root, 104);
        play(3, 1, root, 88);
        play(4, 4, fifth, 96);
        break;
    default:
        for (int e = 0; e < 8; ++e)
            play(e, 1, root, e % 4 == 0 ? 106 : 86);
        break;
    }
}

void harmonyBar(MidiTrack& t, std::uint32_t at, const Key& key, int chord, int pattern)
{
    const std::array<int, 3> tones = {key.pitch(chord) - 12, key.pitch(chord + 2) - 12,
                                      key.pitch(chord + 4) - 12};
    switch (pattern) {
    case 0: // held chord
        for (int p : tones)
            t.note(at, harmonyChannel, p, 58, bar - 10);
        break;
    case 1: // arpeggio up and down
        for (int e = 0; e < 8; ++e) {
            static constexpr int order[8] = {0, 1, 2, 1, 0, 1, 2, 1};
            t.note(at + e * eighth, harmonyChannel, tones[order[e]] + (e == 2 ? 12 : 0), 62, eighth - 10);
        }
        break;
    default: // off-beat stabs
        for (int beat = 0; beat < 4; ++beat)
            for (int p : tones)
                t.note(at + beat * quarter + eighth, harmonyChannel, p, 64, eighth - 30);
        break;
    }
}

void setUpChannel(MidiTrack& t, const std::string& name, int channel, int program, int volume, int pan)
{
    t.name(name);
    if (channel != drumChannel)
        t.program(0, channel, program);
    t.control(0, channel, 7, volume);
    t.control(0, channel, 10, pan);
    t.control(0, channel, 91, 40); // reverb
}

// The closing bar on the key's root, then silence on every channel.
void closeTune(MidiTrack& melody, MidiTrack& harmony, MidiTrack& bass, MidiTrack& drums, const Key& key,
               std::uint32_t ending)
{
    melody.note(ending, melodyChannel, key.pitch(0), 100, bar);
    harmonyBar(harmony, ending, key, 0, 0);
    bass.note(ending, bassChannel, key.pitch(0) - 24, 110, bar);
    drums.note(ending, drumChannel, 36, 120, quarter);
    drums.note(ending, drumChannel, 49, 110, bar);

    // Some sound fonts give pads and cymbals a release of many seconds: two beats after the last
    // note-off everything falls silent (All Sound Off), so every player ends the tune alike.
    const std::uint32_t silence = ending + bar + 2 * quarter;
    for (auto [track, channel] : {std::pair{&melody, melodyChannel}, std::pair{&harmony, harmonyChannel},
                                  std::pair{&bass, bassChannel}, std::pair{&drums, drumChannel}})
        track->control(silence, channel, 120, 0);
}

} // namespace

Tune composeTune(int number)
{
    Rng rng(static_cast<std::uint64_t>(number) * 7919u + 17u);
    Tune tune;
    tune.number = number;
    tune.beatsPerMinute = rng.between(92, 148);
    const Key key{60 + rng.between(-5, 6), rng.pick(scales)};
    const auto& progressionA = rng.pick(progressions);
    auto progressionB = rng.pick(progressions);
    if (progressionB == progressionA)
        progressionB = {3, 4, 0, 4};
    const Style style{rng.below(4), rng.below(4), rng.below(3)};

    // Phrases of four bars after two bars of intro and before one closing bar, 34 to 80 seconds.
    const double barSeconds = 240.0 / tune.beatsPerMinute;
    const double target = rng.between(34, 80);
    const int phrases = std::max(2, static_cast<int>(std::lround((target / barSeconds - 3) / 4)));
    tune.bars = 2 + 4 * phrases + 1;

    MidiTrack conductor, melody, harmony, bass, drums;
    conductor.name("Veldrun tune " + std::to_string(number));
    conductor.timeSignature(0, 4, 2);
    conductor.tempo(0, tune.beatsPerMinute);
    setUpChannel(melody, "Melody", melodyChannel, rng.pick(leadPrograms), 110, 64);
    setUpChannel(harmony, "Harmony", harmonyChannel, rng.pick(padPrograms), 78, 40);
    setUpChannel(bass, "Bass", bassChannel, rng.pick(bassPrograms), 108, 64);
    setUpChannel(drums, "Drums", drumChannel, 0, 100, 64);

    for (int b = 0; b < 2; ++b) {
        drumBar(drums, b * bar, style.drumPattern, b == 1, false);
        bassBar(bass, b * bar, key, 0, style.bassPattern);
    }
    const Motif motifA = makeMotif(rng, progressionA);
    const Motif motifA2 = varyLastBar(rng, motifA, progressionA);
    const Motif motifB = makeMotif(rng, progressionB);
    static constexpr char form[] = "AaBa";
    for (int p = 0; p < phrases; ++p) {
        const char section = p == phrases - 1 ? 'A' : form[p % 4];
        const auto& progression = section == 'B' ? progressionB : progressionA;
        const Motif& motif = section == 'B' ? motifB : section == 'a' ? motifA2 : motifA;
        const std::uint32_t start = (2 + 4 * p) * bar;
        for (const auto& n : motif)
            melody.note(start + n.startEighth * eighth, melodyChannel, key.pitch(n.degree),
                        n.startEighth % 4 == 0 ? 108 : 94, n.lengthEighths * eighth - 15);
        for (int b = 0; b < 4; ++b) {
            const std::uint32_t at = start + b * bar;
            harmonyBar(harmony, at, key, progression[b], style.harmonyPattern);
            bassBar(bass, at, key, progression[b], style.bassPattern);
            drumBar(drums, at, style.drumPattern, b == 3, b == 0);
        }
    }

    closeTune(melody, harmony, bass, drums, key, (tune.bars - 1) * bar);

    const std::uint32_t lastTick =
        std::max({melody.lastTick(), harmony.lastTick(), bass.lastTick(), drums.lastTick()});
    tune.seconds = lastTick / static_cast<double>(quarter) * 60.0 / tune.beatsPerMinute;
    tune.midi = midiFileFormat1(quarter, {conductor, melody, harmony, bass, drums});
    return tune;
}
