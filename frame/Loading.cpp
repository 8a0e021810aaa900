// Loading every asset once, in a fixed order, behind the loading screen.
#include "frame/Loading.h"

#include <cstdio>

#include "board/Cell.h"
#include "board/Gem.h"
#include "board/Powerups.h"
#include "engine/Clock.h"
#include "engine/Graphics.h"
#include "engine/Strings.h"
#include "engine/platform/Platform.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/LoadingScreen.h"
#include "frame/MousePointer.h"
#include "frame/Splash.h"
#include "media/Effects.h"
#include "media/Fonts.h"
#include "media/GameImage.h"
#include "media/GameText.h"
#include "media/Sound.h"
#include "play/GameScreen.h"
#include "progress/LevelDialogs.h"
#include "progress/MapScreen.h"
#include "progress/ShopScreen.h"
#include "screens/IntroScreen.h"
#include "screens/TitleScreen.h"
#include "ui/Button.h"
#include "ui/Menu.h"

TGameImagePtr SparkleImage;
bool ShowSplashes = true;

namespace {

struct SoundEntry {
    const char* file;
    float pitch = 1.0f;
    float volume = 1.0f;
};

const SoundEntry kSounds[] = {
    {"Gems/Click"},
    {"Gems/ClickReverse"},
    {"Gems/InvalidClick"},
    {"Gems/Swap"},
    {"Gems/FailedSwap"},
    {"Gems/MatchOverTile"},
    {"Gems/MatchOverArmour2"},
    {"Gems/Match"},
    {"Gems/LockClick"},
    {"Gems/Unlock"},
    {"Gems/RockClick"},
    {"Gems/GemLanding", 1.0f, 0.7f},
    {"Gems/Hint"},
    {"Gems/MagicReleased"},
    {"Gems/EggDrop"},
    {"Gems/RockCracked"},
    {"Gems/RockDestroyed"},
    {"Level/LevelStart"},
    {"Level/LevelEnd.ogg"},
    {"Level/NoMoreMoves", 0.7f},
    {"Level/TimeUp", 0.7f},
    {"Level/EchoPop"},
    {"Level/LowTimeBeep"},
    {"Bonuses/BonusAppears", 1.3f},
    {"Bonuses/explode"},
    {"Bonuses/bomb"},
    {"Bonuses/CrossBomb"},
    {"Bonuses/DiagonalBomb"},
    {"Bonuses/DiagonalBomb2"},
    {"Bonuses/HolyWater"},
    {"Bonuses/HolyWater2"},
    {"Bonuses/horizontalbomb"},
    {"Bonuses/verticalbomb"},
    {"Bonuses/lightning"},
    {"Bonuses/coin"},
    {"Bonuses/bag"},
    {"Bonuses/CoinDisappears"},
    {"Bonuses/Stake"},
    {"Bonuses/Broom"},
    {"Bonuses/Pumpkin"},
    {"Bonuses/TorchExtra"},
    {"Bonuses/Garlic"},
    {"Bonuses/Random"},
    {"HUD/GaugeFull"},
    {"HUD/SlideInReverb"},
    {"HUD/GoalDone"},
    {"MapScreen/SlideDown"},
    {"MapScreen/ZoomIn"},
    {"Title/crow"},
    {"Title/creak"},
    {"Title/wind"},
    {"GUI/SlideIn", 1.2f},
    {"GUI/SlideOut", 1.25f},
    {"GUI/OKDialog"},
    {"GUI/Confirm"},
    {"GUI/Error"},
    {"GUI/Typing", 1.1f},
    {"buttonMO"},
};

// How an image entry goes into the bank.
enum class Into { Bank, BankNamed, BankToBar, Strip };

struct ImageEntry {
    Into how;
    std::string file;
    std::string name;
    int cellWidth = 0, cellHeight = 0, frames = 0;
};

ImageEntry Plain(const std::string& file) {
    return {Into::Bank, file, ""};
}
ImageEntry Named(const std::string& file, const std::string& name) {
    return {Into::BankNamed, file, name};
}
ImageEntry ToBar(const std::string& file) {
    return {Into::BankToBar, file, ""};
}
ImageEntry StripEntry(const std::string& file, int w, int h, int frames) {
    return {Into::Strip, file, "", w, h, frames};
}

// Groups 3 to 8 of the image manifest (the pointer, the dialog pictures and
// the shop come first and are loaded separately).
std::vector<ImageEntry> ImageManifest() {
    std::vector<ImageEntry> list;
    for (const char* stage : {"empty", "filling", "full"}) {
        for (int n = 1; n <= 6; ++n)
            list.push_back(Plain("HUD/Powers/powerup" + FromInt(n) + stage));
    }
    for (const char* file :
         {"HUD/empty ring1", "HUD/unpurchased", "HUD/powerupLevel1", "HUD/powerupLevel2",
          "HUD/powerupLevel3", "HUD/StakeCursor", "HUD/BroomCursor", "HUD/HammerCursor"}) {
        list.push_back(Plain(file));
    }
    for (const char* file : {"Grid/Rock1Var1", "Grid/Rock1Var2", "Grid/Rock2", "Grid/EmptyTile",
                             "Grid/IceTile", "Grid/SnowTile"}) {
        list.push_back(ToBar(file));
    }
    for (const char* file :
         {"Grid/BonusHighlight", "Grid/MagicHighlight", "Grid/MagicHighlightParticle"}) {
        list.push_back(Plain(file));
    }
    list.push_back(ToBar("Cursor/Cursor"));
    for (const char* piece :
         {"BorderBottom",    "BorderLeft",       "BorderRight",      "BorderTop",
          "CornerBL",        "CornerBR",         "CornerTL",         "CornerTR",
          "InnerCornerBL",   "InnerCornerBR",    "InnerCornerTL",    "InnerCornerTR",
          "ExtraLongBottom", "ExtraLongLeft",    "ExtraLongRight",   "ExtraLongTop",
          "ExtraBottomLeft", "ExtraBottomRight", "ExtraTopLeft",     "ExtraTopRight",
          "ExtraLeftBottom", "ExtraLeftTop",     "ExtraRightBottom", "ExtraRightTop"}) {
        list.push_back(ToBar(std::string("Border/") + piece));
    }
    list.push_back(StripEntry("Gems/Gems", 66, 66, 14));
    for (const char* file :
         {"Gems/Gold Skull", "Gems/Lock1", "Gems/Lock2", "Bonuses/pump1", "Bonuses/pump2",
          "Bonuses/lantern1", "Bonuses/lantern2", "Bonuses/candle1", "Bonuses/candle2",
          "Bonuses/grave1", "Bonuses/grave2", "Bonuses/torch1", "Bonuses/torch2", "Bonuses/well1",
          "Bonuses/well2", "Bonuses/garlic", "Bonuses/moneybag"}) {
        list.push_back(Plain(file));
    }
    list.push_back(StripEntry("Bonuses/coin", 80, 80, COIN_SPIN_FRAMES));
    list.push_back(ToBar("HUD/Panel"));
    list.push_back(Plain("HUD/HourglassShadow"));
    list.push_back(StripEntry("HUD/HourglassAnim", 78, 113, 13));
    list.push_back(StripEntry("HUD/SandAnim", 78, 113, 14));
    list.push_back(Plain("Particles/GoldTileParticle"));
    list.push_back(Plain("Particles/SilverTileParticle"));
    list.push_back(StripEntry("Particles/blurefireanim", 120, 120, 4));
    for (const char* file : {"Particles/dust1", "Particles/dust2", "Particles/dust3"})
        list.push_back(Plain(file));
    list.push_back(StripEntry("Particles/fireballanim", 90, 64, 4));
    for (const char* file : {"Particles/garlicchunk3",
                             "Particles/garlicchunk4",
                             "Particles/lightbeam thick",
                             "Particles/lightbeam thin",
                             "Particles/pumpkinchunkedge1",
                             "Particles/pumpkinchunkedge2",
                             "Particles/pumpkinchunklarge1",
                             "Particles/pumpkinchunklarge2",
                             "Particles/pumpkinchunklarge3",
                             "Particles/pumpkinchunkmedium1",
                             "Particles/pumpkinchunkmedium2",
                             "Particles/pumpkinchunksmall1",
                             "Particles/pumpkinchunksmall2",
                             "Particles/silverbulletparticle",
                             "Particles/stonechunkbig1",
                             "Particles/stonechunkbig2",
                             "Particles/stonechunkbig3",
                             "Particles/stonechunkbig4",
                             "Particles/stonechunkmedium1",
                             "Particles/stonechunkmedium2",
                             "Particles/stonechunkmedium3",
                             "Particles/stonechunksmall1",
                             "Particles/stonechunksmall2",
                             "Particles/stonechunksmall3",
                             "Particles/ParticleRing",
                             "Particles/ParticleRingPink",
                             "Particles/ParticleRingGreen",
                             "Particles/ParticleRingOrange",
                             "Particles/ParticleRingWhite",
                             "Particles/Clausparkle",
                             "Particles/ClausparkleFull",
                             "Particles/sparkle",
                             "Particles/sparklegold",
                             "Particles/RedBall",
                             "Particles/GoldDust"}) {
        list.push_back(Plain(file));
    }
    for (const char* file :
         {"Particles/score1", "Particles/score2", "Particles/score3", "Particles/score4",
          "Particles/score5", "Particles/score6", "Particles/score7", "Particles/score8",
          "Particles/score10", "Particles/score20", "Particles/score30", "Particles/score40",
          "Particles/score50", "Particles/score60", "Particles/score70", "Particles/score80",
          "Particles/score100", "Particles/Fireball"}) {
        list.push_back(Plain(file));
    }
    list.push_back(StripEntry("Particles/Lightning", 132, 150, 3));
    for (const char* file : {"MapScreen/MapDotInactive", "MapScreen/MapDot", "MapScreen/MapDotMO",
                             "MapScreen/MapDotSpecialInactive", "MapScreen/MapDotSpecial",
                             "MapScreen/MapDotSpecialMO", "Hints/ArrowThin", "Hints/ArrowSmall"}) {
        list.push_back(Plain(file));
    }
    list.push_back(Named("Hints/TipWithClose", "TipWithClose"));
    list.push_back(Named("Hints/TipGlow", "TipGlow"));
    return list;
}

const char* const kFonts[] = {"BigText",      "Button",       "LargeWhite", "GUIFont",
                              "GUIFontSmall", "DialogHeader", "Embossed"};

void LoadEntry(const ImageEntry& entry) {
    switch (entry.how) {
        case Into::Bank:
            ImageBank.Load(entry.file, StripDir(entry.file), -1, 1);
            break;
        case Into::BankNamed: {
            TGameImagePtr image = ImageBank.Load(entry.file, entry.name, -1, 1);
            if (entry.name == "TipWithClose") image->MidHandle(0);
            break;
        }
        case Into::BankToBar:
            LoadImageToBank(entry.file);
            return;  // counts its own step
        case Into::Strip:
            ImageBank.LoadAnim(entry.file, entry.cellWidth, entry.cellHeight, 0, entry.frames, -1,
                               1);
            break;
    }
    Game->MoveBar();
}

void LoadSounds() {
    for (const SoundEntry& entry : kSounds) {
        SoundBank.Load(entry.file, entry.pitch, entry.volume, "", 0);
        Game->MoveBar();
    }
}

void LoadImages() {
    SetMaskColor(0, 0, 0);
    Game->Mouse->offsetx = 4;
    Game->Mouse->offsety = 0;
    Game->Mouse->Load("pointer");
    ImageBank.LoadNoMid("pointer");
    Game->MoveBar();
    LevelDialogs::CreateDialogData();
    Game->MoveBar();
    ImageBank.Load("HUD/Powerup Slot Mouse Over", "Powerup Slot Mouse Over", -1, 1);
    Game->MoveBar();
    TShopScreen::LoadData(ImageBank);
    for (const ImageEntry& entry : ImageManifest())
        LoadEntry(entry);
    // The slots' pictures are in the bank now.
    LoadHUDPowerups();
    LoadParticleImages();
}

void LoadFonts() {
    std::vector<TBitmapFontPtr*> globals = {&BigTextFont, &ButtonFont,   &LargeWhiteFont,
                                            &GUIFont,     &GUIFontSmall, &DialogHeaderFont,
                                            &EmbossedFont};
    for (size_t i = 0; i < globals.size(); ++i) {
        *globals[i] = TBitmapFont::Create(Game->FontPath + kFonts[i], -1, 1, 0);
        Game->MoveBar();
    }
    DialogTextFont = GUIFont;
    DialogTextFont->DrawOffsetY += 1;
    DialogHeaderFont->DrawOffsetY += 1;
    EmbossedFont->DrawOffsetY += 1;
    Game->MoveBar();
}

// A text without the keys the screens look up would start the game with
// blank captions.
void LoadGameText() {
    const std::string file = "gametext.txt";
    GameText = TGameText::Create(file);
    const std::string missing = GameText->FirstMissingKey(GameTextKeys());
    if (!missing.empty()) {
        ReportError(
            "Error loading file " + Game->TextPath + file + " (no text \"" + missing + "\")", 1);
    }
}

void Debug(const char* text) {
    if (Game->Debug) std::printf("%s\n", text);
}

}  // namespace

int LoadingSteps() {
    const int sounds = static_cast<int>(std::size(kSounds));
    const int images = 3 + static_cast<int>(ImageManifest().size());
    const int fonts = static_cast<int>(std::size(kFonts)) + 1;
    // The first step, the title screen's two, the click-here button's one.
    return 1 + sounds + images + fonts + 2 + 1;
}

void LoadImageToBank(const std::string& file) {
    TGameImagePtr image = ImageBank.Load(file, "", -1, 1);
    image->Precache();
    Game->MoveBar();
}

void EndLoadingIfClosed() {
    Game->DoPeekEvent();
    if (Game->TerminatedEvent) Game->GameTerminated();
    if (Game->InstantExit) throw TCloseDuringLoading{};
}

void TGame::MoveBar() {
    if (!LoadingScreen) return;
    EndLoadingIfClosed();
    LoadingScreen->Progress();
    // Presenting waits for the display; drawing every one of some 250 steps
    // would make loading last seconds, so the bar is shown at the display's
    // pace and always at its end.
    static int lastShown = 0;
    const int now = MilliSecs();
    if (!LoadingScreen->Finished && now - lastShown < 15) return;
    lastShown = now;
    LoadingScreen->Draw();
    Flip(0);
}

void LoadAll() {
    TLoadingScreen& screen = *Game->LoadingScreen;
    screen.SetSteps(LoadingSteps());
    screen.LoadingBar->Centre(ScreenHeight / 2 - 100);
    screen.LoadingBar->Mode = 1;
    screen.LoadingBar->DrawEmptyUnderFinal = 1;
    screen.LoadingY = ScreenHeight / 2 + 100 - 23;
    screen.EscapeCloses = 0;
    screen.Destination = TitleScreen;
    screen.Draw();
    Game->MoveBar();
    Debug("Loading text");
    LoadGameText();
    Debug("Loading sounds");
    LoadSounds();
    Debug("Loading images");
    LoadImages();
    Debug("Loading fonts");
    LoadFonts();
    Debug("Loading Title Screen");
    TitleScreen->LoadSpecial(1, 0);
    Game->MoveBar();
    Game->MoveBar();
    TGameScreen::FillColorArray();
    TGem::Load();
    TCell::Load();
    Debug("Loading DONE");
    screen.SetClickHereButton("../Menus/ButtonLong", "../Menus/ButtonLongMO", "buttonMO",
                              "buttonClick", ScreenHeight - 110);
    TButton& button = *screen.ClickHereButton;
    button.LoadMouseClick("../Menus/ButtonLongDown", 350);
    SetupMenuButtonCaption(button, GameText->FindString("Click Text"), 320, 1.0f, 0, 0);
    button.Caption->Y -= 1;
    button.SetFixedGlowOnMO(0.2f, 0.005f, 0);
    Game->MoveBar();
    Game->Mouse->ParticleFunc = PointerSparkle;
    SparkleImage = ImageBank.Find("clausparkle");
    if (!WindowHasFocus()) Game->SuspendedEvent = 1;
    Game->Mouse->UpdateCoords();
    Game->Mouse->On();
    FlushAll();
    Game->FixedRateLogic->Init();
}

void LoadGame() {
    AutoMidHandle(true);
    SetClsColor(Game->ClsColor->R, Game->ClsColor->G, Game->ClsColor->B);
    Cls();
    Flip(1);
    TLoadingScreen& screen = *Game->LoadingScreen;
    screen.SpecialLoad("Backgrounds/LoadingScreen.jpg", "LoadingScreen/LoadingBar.png",
                       "BigText/loading.png");
    SetBlend(ALPHABLEND);
    Game->Mouse->Off();
    screen.DrawLoading(1);
    SoundBank.Load("buttonclick", 1, 1, "", 0);
    SoundBank.Load("buttonMO", 1, 1, "", 0);
    Game->SpritePausedCreate(ImageBank.Load("BigText/paused", "", -1, 1));
    if (ShowSplashes) ShowSplashScreens();
    EndLoadingIfClosed();
    Game->CurrentTScreen = Game->LoadingScreen;
    IntroScreen->Destination = MapScreen;
    Game->MusicLoad("title.ogg", 1);
    Game->MusicPlay(0, 0, 0);
    LoadAll();
    if (!WindowHasFocus()) Game->SuspendedEvent = 1;
}

void LoadAllResources() {
    const LoadingHeapScope loading;
    LoadGame();
}
