// Every sound file of the game mapped to its recipe and loudness. Each
// generator checks its result against the manifest before writing it, so a
// recipe that drifts out of its length bounds fails here, not in the game.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "Recipes.h"
#include "assetkit/Registry.h"
#include "manifest/Manifest.h"

namespace asset {

namespace {

using sfx::kAmbientLoudness;
using sfx::kEffectLoudness;
using sfx::kTickLoudness;

enum class Output { Wav, Ogg, Loop };

struct SoundFile {
    const char* path;
    Pcm (*recipe)();
    double loudness;
    Output output = Output::Wav;
};

// The beep repeats every second for ten seconds: present, never shrill.
constexpr double kBeepLoudness = 0.14;
// The logo jingle sits under a picture fading in and out.
constexpr double kJingleLoudness = 0.15;

const SoundFile kFiles[] = {
    {"sound/buttonclick.wav", sfx::ButtonClick, kTickLoudness},
    {"sound/buttonMO.wav", sfx::ButtonMouseOver, kTickLoudness * 0.8},
    {"sound/GUI/Typing.wav", sfx::Typing, kTickLoudness},
    {"sound/GUI/SlideIn.wav", sfx::DialogSlideIn, kEffectLoudness * 0.7},
    {"sound/GUI/SlideOut.wav", sfx::DialogSlideOut, kEffectLoudness * 0.7},
    {"sound/GUI/OKDialog.wav", sfx::OkDialog, kEffectLoudness * 0.8},
    {"sound/GUI/Confirm.wav", sfx::Confirm, kEffectLoudness * 0.8},
    {"sound/GUI/Error.wav", sfx::Error, kEffectLoudness},
    {"sound/MapScreen/ZoomIn.wav", sfx::MapZoomIn, kEffectLoudness},
    {"sound/MapScreen/SlideDown.wav", sfx::MapSlideDown, kEffectLoudness},
    {"sound/HUD/SlideInReverb.wav", sfx::BoardSlide, kEffectLoudness},
    {"sound/HUD/GaugeFull.wav", sfx::GaugeFull, kEffectLoudness},
    {"sound/HUD/GoalDone.wav", sfx::GoalDone, kEffectLoudness},
    {"sound/Gems/Click.wav", sfx::GemClick, kTickLoudness},
    {"sound/Gems/ClickReverse.wav", sfx::GemClickReverse, kTickLoudness},
    {"sound/Gems/InvalidClick.wav", sfx::InvalidClick, kTickLoudness * 1.3},
    {"sound/Gems/Swap.wav", sfx::Swap, kEffectLoudness},
    {"sound/Gems/FailedSwap.wav", sfx::FailedSwap, kEffectLoudness * 0.8},
    {"sound/Gems/Match.wav", sfx::Match, kEffectLoudness},
    {"sound/Gems/MatchOverTile.wav", sfx::MatchOverTile, kEffectLoudness * 0.9},
    {"sound/Gems/MatchOverArmour2.wav", sfx::MatchOverArmour2, kEffectLoudness * 0.9},
    {"sound/Gems/LockClick.wav", sfx::LockClick, kTickLoudness * 1.3},
    {"sound/Gems/Unlock.wav", sfx::Unlock, kEffectLoudness},
    {"sound/Gems/RockClick.wav", sfx::RockClick, kTickLoudness * 1.3},
    {"sound/Gems/GemLanding.wav", sfx::GemLanding, kTickLoudness * 1.3},
    {"sound/Gems/Hint.wav", sfx::Hint, kEffectLoudness * 0.7},
    {"sound/Gems/MagicReleased.wav", sfx::MagicReleased, kEffectLoudness},
    {"sound/Gems/EggDrop.wav", sfx::EggDrop, kEffectLoudness},
    {"sound/Gems/RockCracked.wav", sfx::RockCracked, kEffectLoudness},
    {"sound/Gems/RockDestroyed.wav", sfx::RockDestroyed, kEffectLoudness},
    {"sound/Bonuses/BonusAppears.wav", sfx::BonusAppears, kEffectLoudness},
    {"sound/Bonuses/explode.wav", sfx::Explode, kEffectLoudness},
    {"sound/Bonuses/bomb.wav", sfx::PumpkinThump, kEffectLoudness},
    {"sound/Bonuses/Pumpkin.wav", sfx::PumpkinSplatter, kEffectLoudness},
    {"sound/Bonuses/CrossBomb.wav", sfx::CrossBomb, kEffectLoudness},
    {"sound/Bonuses/DiagonalBomb.wav", sfx::DiagonalBomb, kEffectLoudness},
    {"sound/Bonuses/DiagonalBomb2.wav", sfx::DiagonalBomb2, kEffectLoudness},
    {"sound/Bonuses/HolyWater.wav", sfx::HolyWater, kEffectLoudness},
    {"sound/Bonuses/HolyWater2.wav", sfx::HolyWater2, kEffectLoudness},
    {"sound/Bonuses/Garlic.wav", sfx::Garlic, kEffectLoudness},
    {"sound/Bonuses/horizontalbomb.wav", sfx::RowBomb, kEffectLoudness},
    {"sound/Bonuses/TorchExtra.wav", sfx::TorchExtra, kEffectLoudness},
    {"sound/Bonuses/verticalbomb.wav", sfx::ColumnBomb, kEffectLoudness},
    {"sound/Bonuses/lightning.wav", sfx::Lightning, kEffectLoudness},
    {"sound/Bonuses/coin.wav", sfx::Coin, kEffectLoudness},
    {"sound/Bonuses/bag.wav", sfx::Bag, kEffectLoudness},
    {"sound/Bonuses/CoinDisappears.wav", sfx::CoinDisappears, kEffectLoudness * 0.8},
    {"sound/Bonuses/Stake.wav", sfx::Stake, kEffectLoudness},
    {"sound/Bonuses/Broom.wav", sfx::Broom, kEffectLoudness},
    {"sound/Bonuses/Random.wav", sfx::Tarot, kEffectLoudness},
    {"sound/Level/LevelStart.wav", sfx::LevelStart, kEffectLoudness},
    {"sound/Level/LevelEnd.ogg", sfx::LevelEnd, kEffectLoudness, Output::Ogg},
    {"sound/Level/NoMoreMoves.wav", sfx::NoMoreMoves, kEffectLoudness},
    {"sound/Level/TimeUp.wav", sfx::TimeUp, kEffectLoudness},
    {"sound/Level/EchoPop.wav", sfx::EchoPop, kEffectLoudness},
    {"sound/Level/LowTimeBeep.wav", sfx::LowTimeBeep, kBeepLoudness},
    {"sound/Title/crow.wav", sfx::Crow, kAmbientLoudness},
    {"sound/Title/creak.wav", sfx::Creak, kAmbientLoudness},
    {"sound/Title/wind.wav", sfx::Wind, kAmbientLoudness},
    {"sound/GameFinishedScreen/Scream.wav", sfx::Scream, kEffectLoudness},
    {"SplashSound.wav", sfx::SplashJingle, kJingleLoudness, Output::Loop},
};

// The largest step between neighbouring samples, and the step across the
// loop's seam (last sample to first): a seam step above the largest step
// inside the sound would be heard as a click on every repeat.
bool JoinsCleanly(const Pcm& loop) {
    const size_t frames = loop.Frames();
    if (frames < 2) return false;
    for (int c = 0; c < loop.channels; ++c) {
        double largest = 0;
        for (size_t i = 1; i < frames; ++i) {
            largest = std::max(largest, double(std::fabs(loop.At(i, c) - loop.At(i - 1, c))));
        }
        if (std::fabs(loop.At(0, c) - loop.At(frames - 1, c)) > largest) return false;
    }
    return true;
}

void CheckAgainstManifest(const std::string& path, const Pcm& pcm) {
    const Entry* entry = FindEntry(path);
    if (!entry) throw std::runtime_error("not in the manifest");
    const double seconds = pcm.Seconds();
    if (seconds < entry->minSeconds || seconds > entry->maxSeconds) {
        throw std::runtime_error("length " + std::to_string(seconds) + " s is outside its bounds");
    }
    if (pcm.rate != entry->sampleRate) throw std::runtime_error("wrong sample rate");
}

Bytes Make(const SoundFile& file) {
    Pcm pcm = file.recipe();
    CheckAgainstManifest(file.path, pcm);
    switch (file.output) {
        case Output::Wav:
            return sfx::FinishWav(std::move(pcm), file.loudness);
        case Output::Ogg: {
            sfx::BlockDc(pcm);
            FadeEdges(pcm, 2.0, 8.0);
            sfx::LevelTo(pcm, file.loudness);
            return EncodeOgg(pcm, 0.5f);
        }
        case Output::Loop: {
            // No edge fades: they would dip the level at every repeat.
            if (!JoinsCleanly(pcm)) {
                throw std::runtime_error("the loop does not join its start cleanly");
            }
            sfx::LevelTo(pcm, file.loudness);
            return EncodeWav16(pcm);
        }
    }
    return {};
}

}  // namespace

void RegisterSounds(Registry& registry) {
    for (const SoundFile& file : kFiles) {
        registry.Add(file.path, [&file] { return Make(file); });
    }
}

}  // namespace asset
