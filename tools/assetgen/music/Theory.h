// Pitches, keys and chords for the score reader: note names to MIDI numbers,
// chord symbols to chord tones, and voice-led chord voicings.
#pragma once

#include <string_view>
#include <vector>

namespace asset::music {

// "c4" = 60, "a4" = 69, "c#5", "bb3". False when the text is not a note.
bool ParsePitch(std::string_view text, int& midi);
double FrequencyOf(double midi);

// A key: tonic pitch class and mode. Minor keys also admit the raised sixth
// and seventh (melodic and harmonic minor), so leading tones need no mark.
struct Key {
    int tonic = 9;  // A
    bool minor = true;
    bool Contains(int midi) const;
};
bool ParseKey(std::string_view tonic, std::string_view mode, Key& key);

struct Chord {
    int root = 0;                // pitch class
    std::vector<int> intervals;  // semitones above the root, ascending, first 0
};
// "Am", "E7", "Fmaj7", "Bdim", "Dm6", "Csus4", "Ammaj7" ... False when unknown.
bool ParseChord(std::string_view text, Chord& chord);

// The pitch of a chord degree with the root placed at the lowest pitch >= low:
// 1 3 5 7 are the chord's first four members (7 of a triad is the octave),
// 8 10 12 14 the same an octave higher, 9 the ninth.
bool ChordTone(const Chord& chord, int degree, int low, int& midi);

// The chord's members in close position, lowest note in [low, low + 12),
// choosing the inversion that moves least from `previous` (empty: the one
// whose lowest note sits nearest low + 4, the middle of the range).
std::vector<int> VoiceChord(const Chord& chord, int low, const std::vector<int>& previous);

}  // namespace asset::music
