// Screens, the screen fade that drives every switch, the exit pseudo-screen
// and the blocking real-time fade of the splash screens.
#pragma once

#include <memory>
#include <string>

#include "engine/Audio.h"
#include "engine/Image.h"

class TSprite;
class TMenu;
class TGameChannel;
class TScreen;
using TScreenPtr = std::shared_ptr<TScreen>;

class TScreen {
  public:
    ImagePtr Image;
    std::shared_ptr<TSprite> Header;
    std::string Ext = ".png";
    std::shared_ptr<TMenu> Menu;
    std::string name;
    int StopKill = 0;
    int StopInit = 0;
    TScreenPtr Destination;

    virtual ~TScreen() = default;
    virtual void ImageLoad(const std::string& file, int flags, int precache);
    virtual void HeaderLoad(const std::string& file, int x, int y, int precache);
    virtual void PreStart();
    virtual void ResetStops();
    virtual void Load();
    virtual void Start();
    virtual void CoreStart();
    virtual void PostFadeIn();
    virtual void PostFadeOut();
    virtual void Kill();
    virtual void Logic();
    virtual void Draw();
    virtual int SetEscDestination();
    virtual void SpecificKeys();

    // The screen object behind this reference (screens are shared globals).
    TScreenPtr Self();
    void SetSelf(const TScreenPtr& self) { self_ = self; }

  private:
    std::weak_ptr<TScreen> self_;
};

class TExitScreen : public TScreen {};

class TGameFade {
  public:
    int Length = 0;
    float Counter = 0;
    int Active = 0;
    int Out = 1;
    float Ratio = 0;
    int Done = 0;
    ChannelPtr Channel;
    std::shared_ptr<TGameChannel> Channel2;
    int Channel2IsGameChannelArray = 1;
    int AllowAnim = 0;
    int FadeInAborted = 0;
    float FadeCounterBeforeAbort = 0;
    int SetToFullOnAbort = 1;
    int AbortKey = 0;

    virtual ~TGameFade() = default;
    virtual int Init(int length, int out, const ChannelPtr& channel, int allowAnim,
                     float counterStart, const std::shared_ptr<TGameChannel>& channel2);
    virtual void Finish();
    virtual int Manage();
    virtual void CalcRatio();
    virtual void FadeChannels();
    virtual void Draw();
    virtual int GetDone();
};

class TFade {
  public:
    ChannelPtr Channel;
    ImagePtr Image;
    int X = 0, Y = 0;
    float Length = 0, StartTime = 0, Elapsed = 0, Ratio = 0, LastTime = 0;
    ImagePtr Background;
    float BackgroundX = 0, BackgroundY = 0, BackgroundZoom = 1.0f;
    float BackgroundXSpeed = 0, BackgroundYSpeed = 0, BackgroundZoomSpeed = 0;
    float BackgroundFadeTime = 0;
    float BackgroundAlpha = 0;
    int Out = 0;

    virtual ~TFade() = default;
    virtual void Init(float length, const ImagePtr& image, const ChannelPtr& channel);
    virtual void Reset();
    virtual void CentreImage();
    virtual int FadeDo(int out);
    virtual void MoveBackground(float now, float elapsed);
    virtual int WaitForTime(float ms);
    virtual void Draw();
    virtual void Full();
    virtual void Zero();

  private:
    int RunLoop(float until, int out);
    bool ClickedOrKeyHit();
    void RestoreDrawing();
};

// Makes a screen object of type T and lets it know its own reference.
template <typename T, typename... Args>
std::shared_ptr<T> MakeScreen(Args&&... args) {
    auto screen = std::make_shared<T>(std::forward<Args>(args)...);
    screen->SetSelf(screen);
    return screen;
}
