#include "midi_file.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

void putVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    if (value > 0x0FFFFFFF)
        throw std::out_of_range("MIDI delta time too large");
    std::uint8_t groups[4];
    int n = 0;
    do {
        groups[n++] = value & 0x7F;
        value >>= 7;
    } while (value != 0);
    while (n > 1)
        out.push_back(groups[--n] | 0x80);
    out.push_back(groups[0]);
}

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint8_t data7(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 127)); }

std::uint8_t channelNibble(int channel)
{
    if (channel < 0 || channel > 15)
        throw std::out_of_range("MIDI channel out of range");
    return static_cast<std::uint8_t>(channel);
}

} // namespace

void MidiTrack::add(std::uint32_t tick, int rank, std::vector<std::uint8_t> bytes)
{
    events.push_back({tick, rank, events.size(), std::move(bytes)});
    last = std::max(last, tick);
}

void MidiTrack::name(const std::string& text)
{
    std::vector<std::uint8_t> bytes{0xFF, 0x03};
    putVariableLength(bytes, static_cast<std::uint32_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    add(0, 0, std::move(bytes));
}

void MidiTrack::tempo(std::uint32_t tick, double beatsPerMinute)
{
    const auto microsPerQuarter = static_cast<std::uint32_t>(std::lround(60'000'000.0 / beatsPerMinute));
    std::vector<std::uint8_t> bytes{0xFF, 0x51, 0x03};
    putBigEndian(bytes, microsPerQuarter, 3);
    add(tick, 0, std::move(bytes));
}

void MidiTrack::timeSignature(std::uint32_t tick, int numerator, int denominatorPowerOfTwo)
{
    add(tick, 0, {0xFF, 0x58, 0x04, data7(numerator), data7(denominatorPowerOfTwo), 24, 8});
}

void MidiTrack::program(std::uint32_t tick, int channel, int program)
{
    add(tick, 2, {static_cast<std::uint8_t>(0xC0 | channelNibble(channel)), data7(program)});
}

void MidiTrack::control(std::uint32_t tick, int channel, int controller, int value)
{
    add(tick, 2, {static_cast<std::uint8_t>(0xB0 | channelNibble(channel)), data7(controller), data7(value)});
}

void MidiTrack::note(std::uint32_t tick, int channel, int key, int velocity, std::uint32_t length)
{
    const std::uint8_t ch = channelNibble(channel);
    add(tick, 2, {static_cast<std::uint8_t>(0x90 | ch), data7(key), data7(std::max(velocity, 1))});
    add(tick + std::max<std::uint32_t>(length, 1), 1, {static_cast<std::uint8_t>(0x80 | ch), data7(key), 0});
}

std::vector<std::uint8_t> MidiTrack::chunk() const
{
    auto sorted = events;
    std::sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        if (a.tick != b.tick)
            return a.tick < b.tick;
        if (a.rank != b.rank)
            return a.rank < b.rank;
        return a.order < b.order;
    });
    std::vector<std::uint8_t> body;
    std::uint32_t now = 0;
    for (const auto& e : sorted) {
        putVariableLength(body, e.tick - now);
        now = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});

    std::vector<std::uint8_t> out{'M', 'T', 'r', 'k'};
    putBigEndian(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<std::uint8_t> midiFileFormat1(std::uint16_t ticksPerQuarter, const std::vector<MidiTrack>& tracks)
{
    std::vector<std::uint8_t> out{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    putBigEndian(out, static_cast<std::uint32_t>(tracks.size()), 2);
    putBigEndian(out, ticksPerQuarter, 2);
    for (const auto& t : tracks) {
        const auto c = t.chunk();
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}
