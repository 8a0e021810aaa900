// From a score to finished stereo: every voice's notes, a shared room,
// the loop seam and one loudness for every piece.
#pragma once

#include <cstdint>
#include <vector>

#include "Score.h"
#include "assetkit/Audio.h"

namespace asset::music {

// All pieces are mastered to the music's loudness tier (manifest/Manifest.h),
// under the sound effects, with peaks kept under kPeakCeiling.
constexpr double kPeakCeiling = 0.89;  // -1 dBFS: headroom for the Ogg encoder

// The finished piece: 44.1 kHz stereo. A looped piece lasts exactly its
// bars, with everything that rings past its end (releases, the room) laid
// over its start, so it repeats without a seam; any other piece keeps its
// tail and fades out at the end.
Pcm RenderSong(const Song& song, uint64_t seed);
// The same before mastering: the level the voices' gains give.
Pcm MixSong(const Song& song, uint64_t seed);

// Freeverb-style room: eight damped combs and four all-passes per side, fed
// by the mono `send`; adds `wet` of its output to left and right.
void AddRoom(const std::vector<float>& send, double size, double damping, double wet,
             std::vector<float>& left, std::vector<float>& right);

}  // namespace asset::music
