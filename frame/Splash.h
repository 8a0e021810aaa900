// Splash screens before loading: any branding pictures found in the data
// folder, then the maker's logo with its jingle.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Audio.h"
#include "engine/Image.h"
#include "frame/Screen.h"

class TSplashScreen {
  public:
    ImagePtr Image;
    SoundPtr Sample;
    int Sound = 1;
    float SampleRate = 1.0f;
    int FadeSound = 0;
    ChannelPtr Channel;
    std::shared_ptr<TFade> fade = std::make_shared<TFade>();
    float TimeIn = 2000, TimeFull = 1000, TimeOut = 2000;
    int OriginalPolledInputState = 0;
    ImagePtr background;
    float BackgroundXSpeed = 0, BackgroundYSpeed = 0, BackgroundZoomSpeed = 0,
          BackgroundFadeTime = 0;

    virtual ~TSplashScreen() = default;
    virtual void Init(const std::string& imagePath, const std::string& samplePath, int sound,
                      int fadeSound, float timeIn, float timeFull, float timeOut);
    virtual void InitTimes(float timeIn, float timeFull, float timeOut);
    // 0 when it ran to its end, -1 when a key or click cut it short.
    virtual int DoSplash();
    virtual void CleanUp();
};

// The maker's logo: its picture and its looped jingle, played a little slow,
// whose volume follows the fade; 1750 ms in, 750 ms shown, 1500 ms out.
void InitLogoSplash(TSplashScreen& logo);
// The branding splashes, then the maker's logo.
void ShowSplashScreens();
// The branding picture names found in the folder, in the order shown
// ("splash1.png", "splash2.jpg", ... up to the first gap).
std::vector<std::string> BrandingSplashNames(const std::string& folder);
