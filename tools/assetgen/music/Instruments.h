// The synthesised instruments of the music: each renders one note at a time
// into a mono buffer (its attack, body and release), which the mixdown pans
// and sums. Instruments hold no mutable state, so one can serve many notes.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace asset::music {

struct NoteRequest {
    double frequency = 440;
    double heldSeconds = 0.5;  // until the key is let go
    double velocity = 0.8;     // 0..1
    double glideFrom = 0;      // Hz of a legato predecessor, 0 when none
    int drum = -1;             // the sound of a kit voice
    uint64_t seed = 1;         // for the noise in attacks and plucks
};

class Instrument {
  public:
    virtual ~Instrument() = default;
    // Overwrites `out` with the whole note, release included.
    virtual void Render(const NoteRequest& note, std::vector<float>& out) const = 0;
    // Slides into a note that follows without a gap.
    virtual bool Glides() const { return false; }
    // Holds a repeated note on instead of sounding it again (a pad).
    virtual bool HoldsRepeats() const { return false; }
};

// celesta, musicbox, glock, organ, harpsichord, pizz, bass, ghost, horn,
// timpani, kit. Null for an unknown name.
std::unique_ptr<Instrument> MakeInstrument(std::string_view name);
bool IsKnownInstrument(std::string_view name);

// The kit's sounds by the names a score uses ("wb", "br", ...); -1 if unknown.
bool IsKit(std::string_view instrument);
int DrumOf(std::string_view name);

}  // namespace asset::music
