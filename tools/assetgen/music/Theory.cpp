#include "Theory.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace asset::music {

namespace {

int PitchClassOfLetter(char letter) {
    switch (letter) {
        case 'c':
            return 0;
        case 'd':
            return 2;
        case 'e':
            return 4;
        case 'f':
            return 5;
        case 'g':
            return 7;
        case 'a':
            return 9;
        case 'b':
            return 11;
        default:
            return -1;
    }
}

// Reads a letter and an optional accidental; returns the characters used.
size_t ParsePitchClass(std::string_view text, int& pitchClass) {
    if (text.empty()) return 0;
    const int base = PitchClassOfLetter(static_cast<char>(std::tolower(text[0])));
    if (base < 0) return 0;
    size_t used = 1;
    int shift = 0;
    if (text.size() > 1 && text[1] == '#') shift = 1, used = 2;
    // A 'b' straight after the letter is a flat: "bb3" is B flat, "b3" is B.
    if (text.size() > 1 && text[1] == 'b') shift = -1, used = 2;
    pitchClass = (base + shift + 12) % 12;
    return used;
}

struct Quality {
    std::string_view name;
    std::vector<int> intervals;
};

const std::vector<Quality>& Qualities() {
    static const std::vector<Quality> qualities = {
        {"", {0, 4, 7}},           {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},
        {"m7", {0, 3, 7, 10}},     {"maj7", {0, 4, 7, 11}},   {"mmaj7", {0, 3, 7, 11}},
        {"dim", {0, 3, 6}},        {"dim7", {0, 3, 6, 9}},    {"m7b5", {0, 3, 6, 10}},
        {"aug", {0, 4, 8}},        {"sus4", {0, 5, 7}},       {"sus2", {0, 2, 7}},
        {"7sus4", {0, 5, 7, 10}},  {"6", {0, 4, 7, 9}},       {"m6", {0, 3, 7, 9}},
        {"add9", {0, 4, 7, 14}},   {"madd9", {0, 3, 7, 14}},  {"9", {0, 4, 7, 10, 14}},
        {"m9", {0, 3, 7, 10, 14}}, {"7b9", {0, 4, 7, 10, 13}}};
    return qualities;
}

// Sum over each note of the distance to the nearest note of the other set:
// small when the voices of a pad move little.
int VoiceLeadingCost(const std::vector<int>& a, const std::vector<int>& b) {
    int cost = 0;
    for (int x : a) {
        int nearest = INT_MAX;
        for (int y : b)
            nearest = std::min(nearest, std::abs(x - y));
        cost += nearest;
    }
    return cost;
}

}  // namespace

bool ParsePitch(std::string_view text, int& midi) {
    int pitchClass = 0;
    const size_t used = ParsePitchClass(text, pitchClass);
    if (used == 0 || used + 1 != text.size() || std::isdigit(text[used]) == 0) return false;
    // The octave changes at C, so b#3 is C4 and cb4 is B3, as musicians expect.
    const int letterClass = PitchClassOfLetter(static_cast<char>(std::tolower(text[0])));
    const int shift = used == 2 ? (text[1] == '#' ? 1 : -1) : 0;
    midi = 12 * (text[used] - '0' + 1) + letterClass + shift;
    return midi >= 0 && midi <= 127;
}

double FrequencyOf(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

bool Key::Contains(int midi) const {
    static const int kMajor[] = {0, 2, 4, 5, 7, 9, 11};
    // Natural minor plus the raised sixth (9) and seventh (11).
    static const int kMinor[] = {0, 2, 3, 5, 7, 8, 9, 10, 11};
    const int degree = ((midi - tonic) % 12 + 12) % 12;
    if (minor) return std::find(std::begin(kMinor), std::end(kMinor), degree) != std::end(kMinor);
    return std::find(std::begin(kMajor), std::end(kMajor), degree) != std::end(kMajor);
}

bool ParseKey(std::string_view tonic, std::string_view mode, Key& key) {
    int pitchClass = 0;
    if (ParsePitchClass(tonic, pitchClass) != tonic.size() || tonic.empty()) return false;
    if (mode != "minor" && mode != "major") return false;
    key.tonic = pitchClass;
    key.minor = mode == "minor";
    return true;
}

bool ParseChord(std::string_view text, Chord& chord) {
    int pitchClass = 0;
    size_t used = ParsePitchClass(text, pitchClass);
    if (used == 0) return false;
    for (const Quality& quality : Qualities()) {
        if (text.substr(used) == quality.name) {
            chord.root = pitchClass;
            chord.intervals = quality.intervals;
            return true;
        }
    }
    return false;
}

bool ChordTone(const Chord& chord, int degree, int low, int& midi) {
    const int root = low + ((chord.root - low) % 12 + 12) % 12;
    if (degree == 9) {
        midi = root + (chord.intervals.size() > 4 ? chord.intervals[4] : 14);
        return true;
    }
    int octave = 0;
    if (degree >= 8) octave = 12, degree -= 7;
    if (degree < 1 || degree > 7 || degree % 2 == 0) return false;
    const size_t member = static_cast<size_t>(degree - 1) / 2;
    const int interval = member < chord.intervals.size() ? chord.intervals[member] : 12;
    midi = root + interval + octave;
    return true;
}

std::vector<int> VoiceChord(const Chord& chord, int low, const std::vector<int>& previous) {
    std::vector<int> classes;
    for (int interval : chord.intervals) {
        const int pitchClass = (chord.root + interval) % 12;
        if (std::find(classes.begin(), classes.end(), pitchClass) == classes.end()) {
            classes.push_back(pitchClass);
        }
    }
    std::vector<int> best;
    int bestCost = INT_MAX;
    for (size_t inversion = 0; inversion < classes.size(); ++inversion) {
        std::vector<int> voicing;
        int pitch = low + ((classes[inversion] - low) % 12 + 12) % 12;
        for (size_t i = 0; i < classes.size(); ++i) {
            const int pitchClass = classes[(inversion + i) % classes.size()];
            while (((pitch - pitchClass) % 12 + 12) % 12 != 0)
                ++pitch;
            voicing.push_back(pitch);
        }
        const int cost = previous.empty() ? std::abs(voicing.front() - (low + 4))
                                          : VoiceLeadingCost(voicing, previous) +
                                                VoiceLeadingCost(previous, voicing);
        if (cost < bestCost) bestCost = cost, best = voicing;
    }
    return best;
}

}  // namespace asset::music
