// The loading screen: a background, a progress bar that fills as every asset
// loads, a "loading" caption, and a click-here button once all is done.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/Image.h"
#include "frame/Screen.h"

class TButton;

class TLoadingBar {
  public:
    int Mode = 0;  // 0 plain rectangle, 1 images, 2 image only
    ImagePtr Image, EmptyImage, FinalImage;
    int x = 0, y = 0, w = 0, h = 0;
    float Position = 0;
    float Steps = 0;
    float StepSize = 0;
    int CurrentStep = 0;
    int Finished = 0;
    int BgR = 50, BgG = 50, BgB = 50;
    int BorderR = 0, BorderG = 0, BorderB = 0;
    int DrawEmptyUnderFinal = 0;

    virtual ~TLoadingBar() = default;
    virtual void Init(const ImagePtr& image, const ImagePtr& empty, const ImagePtr& final);
    virtual void Centre(int newY);
    virtual void SetSteps(int n);
    virtual void SetBackgroundColour(int r, int g, int b);
    virtual void SetBorderColour(int r, int g, int b);
    virtual void Progress();
    virtual void Draw();
};

class TLoadingScreen : public TScreen {
  public:
    TLoadingScreen();

    std::shared_ptr<TLoadingBar> LoadingBar;
    std::shared_ptr<TButton> ClickHereButton;
    int Finished = 0;
    ImagePtr LoadingTextImage;
    int LoadingX = 0, LoadingY = 0;
    int DrawLoadingTextImage2 = 0;
    ImagePtr LoadingTextImage2;
    std::function<void()> CustomDrawFunction, CustomKillFunction;
    int EscapeCloses = 1;
    int FadeMusic = 0;

    void Start() override;
    void Kill() override;
    void Logic() override;
    void Draw() override;
    virtual void SpecialLoad(const std::string& image, const std::string& bar,
                             const std::string& caption);
    virtual void SetSteps(int n);
    virtual void SetClickHereButton(const std::string& image, const std::string& imageMO,
                                    const std::string& soundMO, const std::string& soundClick,
                                    int buttonY);
    virtual void DrawLoading(int mode);
    virtual void Progress();

  private:
    void Leave();
};
