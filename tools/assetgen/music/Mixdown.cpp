#include "Mixdown.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "Instruments.h"
#include "Synth.h"
#include "manifest/Manifest.h"

namespace asset::music {

namespace {

// Players are never exactly on the grid: notes land up to a few ms late
// and a little louder or softer.
constexpr double kTimingSpread = 0.006;
constexpr double kLoudnessSpread = 0.06;
// Repeated organ chords need a breath between them to sound again.
constexpr double kReleaseGap = 0.012;
// A note that starts this soon after the last one ended is legato.
constexpr double kLegatoGap = 0.03;
constexpr double kRoomSeconds = 4.0;
constexpr double kFadeOutSeconds = 0.4;
constexpr double kLimiterKnee = 0.75;

struct Bus {
    std::vector<float> left, right, send;
    void Reserve(size_t frames) {
        if (left.size() >= frames) return;
        left.resize(frames, 0.0f);
        right.resize(frames, 0.0f);
        send.resize(frames, 0.0f);
    }
};

struct Placement {
    float left, right, send;
};

Placement PlaceNote(const Voice& voice, const NoteEvent& note, bool kit, float velocityScale) {
    const double pan =
        std::clamp(voice.pan + (kit ? 0.0 : voice.spread * (note.pitch - 60) / 24.0), -1.0, 1.0);
    // Equal power, unity in both sides at the centre.
    const double angle = (pan + 1) * M_PI / 4;
    const float gain = static_cast<float>(voice.gain) * velocityScale;
    return {static_cast<float>(std::sqrt(2.0) * std::cos(angle)) * gain,
            static_cast<float>(std::sqrt(2.0) * std::sin(angle)) * gain,
            static_cast<float>(voice.send) * gain};
}

void MixNote(const std::vector<float>& sound, size_t at, const Placement& place, Bus& bus) {
    bus.Reserve(at + sound.size());
    for (size_t i = 0; i < sound.size(); ++i) {
        bus.left[at + i] += sound[i] * place.left;
        bus.right[at + i] += sound[i] * place.right;
        bus.send[at + i] += sound[i] * place.send;
    }
}

// A pad holds a chord tone that the next chord shares instead of sounding
// it again.
std::vector<NoteEvent> JoinRepeats(std::vector<NoteEvent> notes) {
    std::stable_sort(notes.begin(), notes.end(),
                     [](const NoteEvent& a, const NoteEvent& b) { return a.beat < b.beat; });
    std::vector<NoteEvent> joined;
    std::map<int, size_t> latest;  // pitch -> its last note in `joined`
    for (const NoteEvent& note : notes) {
        const auto found = latest.find(note.pitch);
        if (found != latest.end()) {
            NoteEvent& last = joined[found->second];
            if (std::fabs(last.beat + last.length - note.beat) < 1e-6) {
                last.length += note.length;
                continue;
            }
        }
        latest[note.pitch] = joined.size();
        joined.push_back(note);
    }
    return joined;
}

void RenderVoice(const Song& song, const Voice& voice, uint64_t seed, Bus& bus) {
    const std::unique_ptr<Instrument> instrument = MakeInstrument(voice.instrument);
    if (!instrument) throw std::runtime_error("unknown instrument " + voice.instrument);
    const bool kit = IsKit(voice.instrument);
    const std::vector<NoteEvent> notes =
        instrument->HoldsRepeats() ? JoinRepeats(voice.notes) : voice.notes;
    Rng human(seed);
    std::vector<float> sound;
    double previousEnd = -1, previousFrequency = 0;
    for (size_t i = 0; i < notes.size(); ++i) {
        const NoteEvent& note = notes[i];
        const double start = song.SecondsAt(note.beat),
                     end = song.SecondsAt(note.beat + note.length);
        NoteRequest request;
        request.frequency = kit ? 0 : FrequencyOf(note.pitch);
        request.drum = kit ? note.pitch : -1;
        request.heldSeconds = std::max(0.02, end - start - kReleaseGap);
        request.velocity = note.velocity;
        request.seed = seed ^ (0x9E3779B97F4A7C15ull * (i + 1));
        if (instrument->Glides() && std::fabs(start - previousEnd) < kLegatoGap)
            request.glideFrom = previousFrequency;
        previousEnd = end;
        previousFrequency = request.frequency;
        instrument->Render(request, sound);
        const double late = human.Range(0, kTimingSpread);
        const float loudness =
            static_cast<float>(1 + human.Range(-kLoudnessSpread, kLoudnessSpread));
        MixNote(sound, static_cast<size_t>((start + late) * kRate),
                PlaceNote(voice, note, kit, loudness), bus);
    }
}

// Everything past the loop's end sounds again over its start.
Pcm FoldLoop(const Bus& bus, size_t loopFrames) {
    Pcm out(2, loopFrames);
    for (size_t i = 0; i < bus.left.size(); ++i) {
        out.At(i % loopFrames, 0) += bus.left[i];
        out.At(i % loopFrames, 1) += bus.right[i];
    }
    return out;
}

Pcm TrimWithFade(const Bus& bus, size_t frames) {
    Pcm out(2, frames);
    for (size_t i = 0; i < std::min(frames, bus.left.size()); ++i) {
        out.At(i, 0) = bus.left[i];
        out.At(i, 1) = bus.right[i];
    }
    FadeEdges(out, 1.0, kFadeOutSeconds * 1000);
    return out;
}

void RemoveRumble(std::vector<float>& samples) {
    Biquad filter = Biquad::HighPass(kRate, 20);
    for (float& s : samples)
        s = static_cast<float>(filter.Process(s));
}

// Above the knee, peaks bend smoothly towards the ceiling instead of
// clipping; a piece mixed with headroom never reaches the knee.
float SoftLimit(float x) {
    const float magnitude = std::fabs(x);
    if (magnitude <= kLimiterKnee) return x;
    const float room = static_cast<float>(kPeakCeiling - kLimiterKnee);
    const float bent = static_cast<float>(kLimiterKnee) +
                       room * std::tanh((magnitude - static_cast<float>(kLimiterKnee)) / room);
    return x < 0 ? -bent : bent;
}

void Master(Pcm& pcm) {
    const double level =
        LevelDb(Loudness::Music, pcm.samples.data(), pcm.Frames(), pcm.channels, pcm.rate);
    const float gain =
        static_cast<float>(std::pow(10.0, (LoudnessDb(Loudness::Music) - level) / 20));
    for (float& s : pcm.samples)
        s = SoftLimit(s * gain);
}

}  // namespace

Pcm MixSong(const Song& song, uint64_t seed) {
    Bus bus;
    const size_t bodyFrames = static_cast<size_t>(std::llround(song.LengthSeconds() * kRate));
    bus.Reserve(bodyFrames + FramesOf(song.tailSeconds));
    for (size_t v = 0; v < song.voices.size(); ++v) {
        RenderVoice(song, song.voices[v], seed + 7919 * (v + 1), bus);
    }
    bus.Reserve(bus.left.size() + FramesOf(kRoomSeconds * song.roomSize + 1));
    AddRoom(bus.send, song.roomSize, song.damping, song.wet, bus.left, bus.right);
    RemoveRumble(bus.left);
    RemoveRumble(bus.right);
    return song.looped ? FoldLoop(bus, bodyFrames)
                       : TrimWithFade(bus, bodyFrames + FramesOf(song.tailSeconds));
}

Pcm RenderSong(const Song& song, uint64_t seed) {
    Pcm pcm = MixSong(song, seed);
    Master(pcm);
    return pcm;
}

}  // namespace asset::music
