// The game's sound effects and the logo jingle: 44.1-kHz, 16-bit WAV (one
// Ogg), with the lengths the game's use of each allows.
#include "manifest/Manifest.h"

namespace asset {

namespace {

struct SoundSpec {
    const char* path;
    Loudness loudness;
    double minSeconds, maxSeconds;
    const char* notes;
};

// Loudness: the interface (clicks, dialogs, the map, the title's ambience)
// stays under the board's events, and bombs and powerups stand out above both.
// Lengths: clicks and ticks stay under 120 ms; the landing knock under
// 150 ms (the next landing waits for its channel); the low-time beep well
// under the second between beeps; bangs 0.8-2 s; thunder 2-3 s; the title
// ambience 1-4 s, so one sound has ended before the next is due.
constexpr SoundSpec kSounds[] = {
    {"sound/buttonclick.wav", Loudness::Interface, 0.03, 0.12, "button click: a small wooden tock"},
    {"sound/buttonMO.wav", Loudness::Interface, 0.03, 0.12, "mouse-over: a soft rising blip"},
    {"sound/Gems/Click.wav", Loudness::Interface, 0.03, 0.12, "gem selected: a glassy tick"},
    {"sound/Gems/ClickReverse.wav", Loudness::Interface, 0.03, 0.12,
     "selection dropped: two falling glass taps"},
    {"sound/Gems/InvalidClick.wav", Loudness::Interface, 0.05, 0.2,
     "invalid click: a dull bonk bending down"},
    {"sound/Gems/Swap.wav", Loudness::Board, 0.15, 0.3, "swap: a soft whoosh"},
    {"sound/Gems/FailedSwap.wav", Loudness::Board, 0.2, 0.45,
     "swap undone: whoosh back and a falling uh-oh"},
    {"sound/Gems/MatchOverTile.wav", Loudness::Board, 0.3, 0.6,
     "match over armour: a gilded clink with shards"},
    {"sound/Gems/MatchOverArmour2.wav", Loudness::Board, 0.3, 0.7,
     "match over double armour: two heavier clinks and a thud"},
    {"sound/Gems/Match.wav", Loudness::Board, 0.3, 0.6,
     "match: a bright strummed chime chord (played at 0.8 of its rate)"},
    {"sound/Gems/LockClick.wav", Loudness::Interface, 0.08, 0.25,
     "click on a locked gem: a padlock rattle"},
    {"sound/Gems/Unlock.wav", Loudness::Board, 0.4, 0.8,
     "lock opened: a clack and a chain slithering away"},
    {"sound/Gems/RockClick.wav", Loudness::Interface, 0.08, 0.2,
     "click on a gem in rock: a dull stone tap"},
    {"sound/Gems/GemLanding.wav", Loudness::Interface, 0.06, 0.15,
     "gem landing: a soft wooden knock"},
    {"sound/Gems/Hint.wav", Loudness::Interface, 0.4, 0.9, "hint: a gentle four-note twinkle"},
    {"sound/Gems/MagicReleased.wav", Loudness::Board, 0.6, 1.2,
     "magic released: a rising shimmer with glitter"},
    {"sound/Gems/EggDrop.wav", Loudness::Board, 0.4, 0.8,
     "golden skull collected: a golden clink bouncing"},
    {"sound/Gems/RockCracked.wav", Loudness::Board, 0.3, 0.6,
     "rock cracked: a stone snap and crunch"},
    {"sound/Gems/RockDestroyed.wav", Loudness::Board, 0.7, 1.3,
     "rock destroyed: a crack, a thump and crumbling rubble"},
    {"sound/Level/LevelStart.wav", Loudness::Board, 0.8, 1.5,
     "level start (Go): pickup notes into a bright chord stab"},
    {"sound/Level/LevelEnd.ogg", Loudness::Board, 1.5, 2.5,
     "all goals met: a rising celesta run into a shimmering chord"},
    {"sound/Level/NoMoreMoves.wav", Loudness::Board, 0.8, 1.3,
     "no more moves: two falling muted-horn notes (played at 0.7)"},
    {"sound/Level/TimeUp.wav", Loudness::Board, 1.0, 1.6,
     "time up: a bell tolling twice (played at 0.7)"},
    {"sound/Level/EchoPop.wav", Loudness::Board, 0.6, 1.0,
     "lost level: a pop echoing between the sides"},
    {"sound/Level/LowTimeBeep.wav", Loudness::Board, 0.05, 0.25,
     "last seconds: a short clock beep"},
    {"sound/Bonuses/BonusAppears.wav", Loudness::Board, 0.4, 0.8, "bomb created: a magical pop-in"},
    {"sound/Bonuses/explode.wav", Loudness::Big, 0.8, 2.0, "explosion layer under several bombs"},
    {"sound/Bonuses/bomb.wav", Loudness::Big, 0.8, 2.0, "pumpkin bomb body: a heavy thump"},
    {"sound/Bonuses/Pumpkin.wav", Loudness::Big, 0.8, 1.2,
     "pumpkin bomb: a hollow bonk, squelch and splatter"},
    {"sound/Bonuses/CrossBomb.wav", Loudness::Big, 0.8, 2.0,
     "gravestone bomb: a double boom and grinding stone"},
    {"sound/Bonuses/DiagonalBomb.wav", Loudness::Big, 0.3, 0.8, "torch bomb: a fiery swish"},
    {"sound/Bonuses/DiagonalBomb2.wav", Loudness::Big, 0.5, 1.0,
     "upgraded torch: two crossing swishes and a flare"},
    {"sound/Bonuses/HolyWater.wav", Loudness::Big, 0.8, 2.0,
     "well bomb: a splash with drops and shimmer"},
    {"sound/Bonuses/HolyWater2.wav", Loudness::Big, 0.8, 2.0,
     "well bomb layer: a pure swelling chord and spray"},
    {"sound/Bonuses/Garlic.wav", Loudness::Big, 1.2, 2.5,
     "garlic mega bomb: a big deep boom and rumble"},
    {"sound/Bonuses/horizontalbomb.wav", Loudness::Big, 0.5, 1.0,
     "lantern row bomb: a whoosh and zap sweeping sideways"},
    {"sound/Bonuses/TorchExtra.wav", Loudness::Big, 0.5, 1.0,
     "upgraded row bomb layer: a roaring flame"},
    {"sound/Bonuses/verticalbomb.wav", Loudness::Big, 0.5, 1.0,
     "candle column bomb: a rising hiss"},
    {"sound/Bonuses/lightning.wav", Loudness::Big, 2.0, 3.0,
     "lightning and title thunder: a crack and a rolling rumble"},
    {"sound/Bonuses/coin.wav", Loudness::Board, 0.3, 0.7, "coin taken: a bright double coin ring"},
    {"sound/Bonuses/bag.wav", Loudness::Board, 0.6, 1.2, "money bag: a jingle of many coins"},
    {"sound/Bonuses/CoinDisappears.wav", Loudness::Board, 0.4, 0.8,
     "coin expires: a sinking, wobbling metallic fade"},
    {"sound/Bonuses/Stake.wav", Loudness::Big, 0.3, 0.8,
     "stake powerup: a wooden thwack with splinters"},
    {"sound/Bonuses/Broom.wav", Loudness::Big, 0.5, 1.0, "broom powerup: two bristly sweeps"},
    {"sound/Bonuses/Random.wav", Loudness::Big, 0.8, 1.6,
     "tarot powerup: a card riffle over a mystic shimmer"},
    {"sound/HUD/GaugeFull.wav", Loudness::Board, 0.5, 1.0,
     "powerup charged: a rising charge and two bells"},
    {"sound/HUD/SlideInReverb.wav", Loudness::Interface, 1.0, 2.0,
     "board drops in or falls away: a roomy falling whoosh"},
    {"sound/HUD/GoalDone.wav", Loudness::Board, 0.7, 1.3,
     "goal met, purchase: a harp run and a bell"},
    {"sound/MapScreen/SlideDown.wav", Loudness::Interface, 0.8, 1.5,
     "map slide: a long falling sweep of air (played at 0.75)"},
    {"sound/MapScreen/ZoomIn.wav", Loudness::Interface, 0.4, 0.9,
     "zoom into a level: a rising whoosh and glint"},
    {"sound/Title/crow.wav", Loudness::Interface, 0.6, 1.5, "title: a crow cawing twice"},
    {"sound/Title/creak.wav", Loudness::Interface, 1.0, 4.0, "title: a slowly creaking door"},
    {"sound/Title/wind.wav", Loudness::Interface, 1.0, 4.0, "title: a gust of howling wind"},
    {"sound/GUI/SlideIn.wav", Loudness::Interface, 0.3, 0.6,
     "dialog slides in: a rising airy whoosh"},
    {"sound/GUI/SlideOut.wav", Loudness::Interface, 0.3, 0.6,
     "dialog slides out: a falling airy whoosh"},
    {"sound/GUI/OKDialog.wav", Loudness::Interface, 0.6, 1.2, "message dialog: two soft bells"},
    {"sound/GUI/Confirm.wav", Loudness::Interface, 0.6, 1.2,
     "confirm dialog: three soft rising bells"},
    {"sound/GUI/Error.wav", Loudness::Interface, 0.3, 0.6, "error dialog: a low buzz and thud"},
    {"sound/GUI/Typing.wav", Loudness::Interface, 0.03, 0.12, "typing: a typewriter tick"},
    {"sound/GameFinishedScreen/Scream.wav", Loudness::Board, 1.2, 2.0, "ending: a ghostly wail"},
};

}  // namespace

void AddSoundEntries(std::vector<Entry>& entries) {
    for (const SoundSpec& spec : kSounds) {
        Entry entry = Sound(spec.path, "sounds", spec.minSeconds, spec.maxSeconds);
        entry.notes = spec.notes;
        entry.loudness = spec.loudness;
        entries.push_back(entry);
    }
    // Looped at 0.9 of its rate under the 4-s logo fade: its end joins its start.
    Entry jingle = Sound("SplashSound.wav", "sounds", 1.8, 2.2);
    jingle.looped = true;
    jingle.loudness = Loudness::Interface;
    jingle.notes = "logo jingle: a seamless soft shimmer of pad, chimes and glitter";
    entries.push_back(jingle);
}

}  // namespace asset
