// A piece of music as read from its text score (the format is described in
// data/README.md): tempo, metre, key, voices and every note each voice plays.
#pragma once

#include <string>
#include <vector>

#include "Theory.h"

namespace asset::music {

struct NoteEvent {
    double beat = 0;    // start, in quarter notes from the start of the piece
    double length = 0;  // in quarter notes
    int pitch = 0;      // MIDI number, or the drum of a kit voice
    float velocity = 0.8f;
};

struct Voice {
    std::string name;
    std::string instrument;
    double gain = 0.5;
    double pan = 0;      // -1 left .. 1 right
    double spread = 0;   // extra pan per two octaves away from middle C
    double send = 0.25;  // share sent to the reverb
    int low = 60;        // lowest root of chord-tone patterns and voicings
    std::vector<NoteEvent> notes;
};

struct SectionMark {
    std::string name;
    double beat = 0;
};

struct HarmonySpan {
    double beat = 0, length = 0;
    std::string symbol;
    Chord chord;
};

struct Song {
    std::string title;
    Key key;
    double tempo = 100;  // quarter notes per minute
    int meterTop = 4, meterBottom = 4;
    double swing = 0.5;  // share of each beat taken by its first eighth
    bool looped = true;
    double roomSize = 0.6, damping = 0.4, wet = 0.3;
    double tailSeconds = 3;  // rendered after the last bar (folded onto the start of a loop)
    std::vector<Voice> voices;
    std::vector<SectionMark> sections;
    std::vector<HarmonySpan> harmony;
    double lengthBeats = 0;

    double BarBeats() const { return meterTop * 4.0 / meterBottom; }
    double LengthSeconds() const { return lengthBeats * 60.0 / tempo; }
    // Time of a beat, with the swing applied to off-beat eighths.
    double SecondsAt(double beat) const;
};

// Reads a score; throws std::runtime_error("<name>:<line>: <fault>") on any
// fault, including bars whose notes do not fill the metre and notes outside
// the key that are not marked as meant.
Song ReadSong(const std::string& text, const std::string& name);

}  // namespace asset::music
