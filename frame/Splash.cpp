#include "frame/Splash.h"

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/Strings.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"

namespace {

void ResetDrawingState() {
    SetBlend(SOLIDBLEND);
    SetAlpha(1);
    SetColor(255, 255, 255);
}

// Polled input lets the blocking fades see keys and clicks; the engine's
// counts from before the splash must not end it at once.
void SwitchToPolledInput() {
    for (int key = 0; key < 256; ++key)
        PolledKeyHit(key);
    for (int button = 1; button <= 3; ++button)
        PolledMouseHit(button);
    UsePolledInput = 1;
}

}  // namespace

void TSplashScreen::Init(const std::string& imagePath, const std::string& samplePath, int sound,
                         int fadeSound, float timeIn, float timeFull, float timeOut) {
    Image = LoadImageOrFail(imagePath, 0);
    Image->PrepareAllFrames();
    if (!samplePath.empty()) Sample = LoadSoundOrFail(samplePath, fadeSound == 1 ? SOUND_LOOP : 0);
    if (timeIn != 0) TimeIn = timeIn;
    if (timeFull != 0) TimeFull = timeFull;
    if (timeOut != 0) TimeOut = timeOut;
    Sound = sound;
    FadeSound = fadeSound;
    FlushAll();
    OriginalPolledInputState = UsePolledInput;
    SwitchToPolledInput();
}

void TSplashScreen::InitTimes(float timeIn, float timeFull, float timeOut) {
    TimeIn = timeIn;
    TimeFull = timeFull;
    TimeOut = timeOut;
}

int TSplashScreen::DoSplash() {
    SetClsColor(Game->ClsColor->R, Game->ClsColor->G, Game->ClsColor->B);
    Cls();
    Flip(1);
    if (Sound && Sample) {
        if (FadeSound == 1) {
            Channel = Sample->Cue();
            Channel->SetRate(SampleRate);
            Channel->SetVolume(0);
            Channel->SetPaused(false);
        } else {
            Channel = Sample->Play();
        }
    }
    if (background) {
        fade->Background = background;
        fade->BackgroundXSpeed = BackgroundXSpeed;
        fade->BackgroundYSpeed = BackgroundYSpeed;
        fade->BackgroundZoomSpeed = BackgroundZoomSpeed;
        fade->BackgroundFadeTime = BackgroundFadeTime;
    }
    fade->Init(TimeIn, Image, FadeSound == 1 ? Channel : nullptr);
    fade->CentreImage();
    int result = fade->FadeDo(0);
    if (result != -1) result = fade->WaitForTime(TimeFull);
    if (result != -1) {
        fade->Reset();
        fade->Length = TimeOut;
        result = fade->FadeDo(1);
    }
    if (result != -1) {
        fade->Zero();
        ResetDrawingState();
    }
    CleanUp();
    return result == -1 ? -1 : 0;
}

void TSplashScreen::CleanUp() {
    if (Sound && Channel) Channel->Stop();
    ResetDrawingState();
    FlushAll();
    if (OriginalPolledInputState == 0) {
        UsePolledInput = 0;
        FlushEvents();
    }
    FlushAll();
}

std::vector<std::string> BrandingSplashNames(const std::string& folder) {
    if (FileType(folder) != FILETYPE_DIR)
        ReportError("Failed to read splash folder '" + folder + "'", 1);
    const std::vector<std::string> listing = LoadDir(folder);
    std::vector<std::string> names;
    for (int n = 1;; ++n) {
        const std::string png = "splash" + FromInt(n) + ".png",
                          jpg = "splash" + FromInt(n) + ".jpg";
        // Case matters here, unlike every other data lookup.
        auto found = std::find_if(listing.begin(), listing.end(), [&](const std::string& entry) {
            return entry == png || entry == jpg;
        });
        if (found == listing.end()) break;
        names.push_back(*found);
    }
    return names;
}

void InitLogoSplash(TSplashScreen& logo) {
    logo.Init(Game->DataPrefix + "data/BrackenfoldGames.png",
              Game->DataPrefix + "data/SplashSound.wav", Game->Sound, 1, 0, 0, 0);
    logo.SampleRate = 0.9f;
    logo.BackgroundXSpeed = 20;
    logo.BackgroundYSpeed = 10;
    logo.BackgroundZoomSpeed = 0.02f;
    logo.BackgroundFadeTime = 250;
    logo.InitTimes(1750, 750, 1500);
}

void ShowSplashScreens() {
    const bool autoMid = AutoMidHandleEnabled();
    AutoMidHandle(false);
    const std::string folder = ResolvePath(Game->DataPrefix + "data/branding") + "/";
    for (const std::string& name : BrandingSplashNames(folder)) {
        // A close request ends the splashes; loading then stops before it begins.
        if (Game->TerminatedEvent) break;
        TSplashScreen splash;
        splash.InitTimes(750, 750, 750);
        splash.Init(folder + name, "", 1, 0, 0, 0, 0);
        splash.DoSplash();
    }
    if (Game->Fade && !Game->TerminatedEvent) {
        TSplashScreen logo;
        InitLogoSplash(logo);
        logo.DoSplash();
    }
    AutoMidHandle(autoMid);
}
