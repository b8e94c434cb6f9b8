#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A standard MIDI file writer: events are given at absolute ticks in any order and written
// sorted, as delta times, with an end-of-track at the end of every track.
class MidiTrack {
  public:
    void name(const std::string& text);
    void tempo(std::uint32_t tick, double beatsPerMinute);
    void timeSignature(std::uint32_t tick, int numerator, int denominatorPowerOfTwo);
    void program(std::uint32_t tick, int channel, int program);
    void control(std::uint32_t tick, int channel, int controller, int value);
    // A note-on at `tick` and its note-off `length` ticks later.
    void note(std::uint32_t tick, int channel, int key, int velocity, std::uint32_t length);

    std::uint32_t lastTick() const { return last; }
    std::vector<std::uint8_t> chunk() const;

  private:
    struct Event {
        std::uint32_t tick;
        int rank; // at the same tick: meta first, then note-offs, then everything else
        std::size_t order;
        std::vector<std::uint8_t> bytes;
    };
    void add(std::uint32_t tick, int rank, std::vector<std::uint8_t> bytes);

    std::vector<Event> events;
    std::uint32_t last = 0;
};

// Format 1: the first track carries tempo and metre, the others the parts.
std::vector<std::uint8_t> midiFileFormat1(std::uint16_t ticksPerQuarter,
                                          const std::vector<MidiTrack>& tracks);
