// Every sound file of the game mapped to its recipe; its loudness tier is
// the manifest's. Each
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

enum class Output { Wav, Ogg, Loop };

struct SoundFile {
    const char* path;
    Pcm (*recipe)();
    Output output = Output::Wav;
};

const SoundFile kFiles[] = {
    {"sound/buttonclick.wav", sfx::ButtonClick},
    {"sound/buttonMO.wav", sfx::ButtonMouseOver},
    {"sound/GUI/Typing.wav", sfx::Typing},
    {"sound/GUI/SlideIn.wav", sfx::DialogSlideIn},
    {"sound/GUI/SlideOut.wav", sfx::DialogSlideOut},
    {"sound/GUI/OKDialog.wav", sfx::OkDialog},
    {"sound/GUI/Confirm.wav", sfx::Confirm},
    {"sound/GUI/Error.wav", sfx::Error},
    {"sound/MapScreen/ZoomIn.wav", sfx::MapZoomIn},
    {"sound/MapScreen/SlideDown.wav", sfx::MapSlideDown},
    {"sound/HUD/SlideInReverb.wav", sfx::BoardSlide},
    {"sound/HUD/GaugeFull.wav", sfx::GaugeFull},
    {"sound/HUD/GoalDone.wav", sfx::GoalDone},
    {"sound/Gems/Click.wav", sfx::GemClick},
    {"sound/Gems/ClickReverse.wav", sfx::GemClickReverse},
    {"sound/Gems/InvalidClick.wav", sfx::InvalidClick},
    {"sound/Gems/Swap.wav", sfx::Swap},
    {"sound/Gems/FailedSwap.wav", sfx::FailedSwap},
    {"sound/Gems/Match.wav", sfx::Match},
    {"sound/Gems/MatchOverTile.wav", sfx::MatchOverTile},
    {"sound/Gems/MatchOverArmour2.wav", sfx::MatchOverArmour2},
    {"sound/Gems/LockClick.wav", sfx::LockClick},
    {"sound/Gems/Unlock.wav", sfx::Unlock},
    {"sound/Gems/RockClick.wav", sfx::RockClick},
    {"sound/Gems/GemLanding.wav", sfx::GemLanding},
    {"sound/Gems/Hint.wav", sfx::Hint},
    {"sound/Gems/MagicReleased.wav", sfx::MagicReleased},
    {"sound/Gems/EggDrop.wav", sfx::EggDrop},
    {"sound/Gems/RockCracked.wav", sfx::RockCracked},
    {"sound/Gems/RockDestroyed.wav", sfx::RockDestroyed},
    {"sound/Bonuses/BonusAppears.wav", sfx::BonusAppears},
    {"sound/Bonuses/explode.wav", sfx::Explode},
    {"sound/Bonuses/bomb.wav", sfx::PumpkinThump},
    {"sound/Bonuses/Pumpkin.wav", sfx::PumpkinSplatter},
    {"sound/Bonuses/CrossBomb.wav", sfx::CrossBomb},
    {"sound/Bonuses/DiagonalBomb.wav", sfx::DiagonalBomb},
    {"sound/Bonuses/DiagonalBomb2.wav", sfx::DiagonalBomb2},
    {"sound/Bonuses/HolyWater.wav", sfx::HolyWater},
    {"sound/Bonuses/HolyWater2.wav", sfx::HolyWater2},
    {"sound/Bonuses/Garlic.wav", sfx::Garlic},
    {"sound/Bonuses/horizontalbomb.wav", sfx::RowBomb},
    {"sound/Bonuses/TorchExtra.wav", sfx::TorchExtra},
    {"sound/Bonuses/verticalbomb.wav", sfx::ColumnBomb},
    {"sound/Bonuses/lightning.wav", sfx::Lightning},
    {"sound/Bonuses/coin.wav", sfx::Coin},
    {"sound/Bonuses/bag.wav", sfx::Bag},
    {"sound/Bonuses/CoinDisappears.wav", sfx::CoinDisappears},
    {"sound/Bonuses/Stake.wav", sfx::Stake},
    {"sound/Bonuses/Broom.wav", sfx::Broom},
    {"sound/Bonuses/Random.wav", sfx::Tarot},
    {"sound/Level/LevelStart.wav", sfx::LevelStart},
    {"sound/Level/LevelEnd.ogg", sfx::LevelEnd, Output::Ogg},
    {"sound/Level/NoMoreMoves.wav", sfx::NoMoreMoves},
    {"sound/Level/TimeUp.wav", sfx::TimeUp},
    {"sound/Level/EchoPop.wav", sfx::EchoPop},
    {"sound/Level/LowTimeBeep.wav", sfx::LowTimeBeep},
    {"sound/Title/crow.wav", sfx::Crow},
    {"sound/Title/creak.wav", sfx::Creak},
    {"sound/Title/wind.wav", sfx::Wind},
    {"sound/GameFinishedScreen/Scream.wav", sfx::Scream},
    {"SplashSound.wav", sfx::SplashJingle, Output::Loop},
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

const Entry& CheckAgainstManifest(const std::string& path, const Pcm& pcm) {
    const Entry* entry = FindEntry(path);
    if (!entry) throw std::runtime_error("not in the manifest");
    if (entry->loudness == Loudness::None) throw std::runtime_error("no loudness tier");
    const double seconds = pcm.Seconds();
    if (seconds < entry->minSeconds || seconds > entry->maxSeconds) {
        throw std::runtime_error("length " + std::to_string(seconds) + " s is outside its bounds");
    }
    if (pcm.rate != entry->sampleRate) throw std::runtime_error("wrong sample rate");
    return *entry;
}

Bytes Make(const SoundFile& file) {
    Pcm pcm = file.recipe();
    const Loudness tier = CheckAgainstManifest(file.path, pcm).loudness;
    switch (file.output) {
        case Output::Wav:
            return sfx::FinishWav(std::move(pcm), tier);
        case Output::Ogg: {
            sfx::BlockDc(pcm);
            FadeEdges(pcm, 2.0, sfx::kEndFade * 1000.0);
            sfx::EndCleanly(pcm);
            sfx::LevelTo(pcm, tier);
            return EncodeOgg(pcm, 0.5f);
        }
        case Output::Loop: {
            // No edge fades: they would dip the level at every repeat.
            if (!JoinsCleanly(pcm)) {
                throw std::runtime_error("the loop does not join its start cleanly");
            }
            sfx::LevelTo(pcm, tier);
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
