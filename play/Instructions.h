// The instructions screen: four small boards that play their lesson over and
// over (a line of three, breaking ice, breaking rocks, opening locks), each
// beside a block of text, and an OK button. It is reached from the title
// screen (key H) and from the in-game menu; whoever opens it sets its
// Destination (OpenInstructions does both) and it returns there on any click,
// OK or Esc.
//
// Single-threaded, as every screen. Outputs: frames and the demonstrations'
// particle effects (layers 2 and 3). Missing pictures are fatal at Load.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "frame/Screen.h"
#include "media/Animation.h"
#include "media/BitmapFont.h"

class TInstructionsScreen : public TScreen {
  public:
    static constexpr int col1x = 113, col2x = 570, row1y = 160, row2y = 410;
    // The demonstration's timeline: still, swap, match, and the result.
    static constexpr int PHASE_STILL = 0, PHASE_SWAP = 1, PHASE_MATCH = 2;
    static constexpr int PANELS = 4;

    TAnimationPtr Anim1;
    TSineCounterPtr glow1 = std::make_shared<TSineCounter>();
    TBitmapFontPtr InstructionsFont;
    int ox = 62, oy = -20;
    int PageWidth = 340;
    std::vector<std::string> Text;
    int TotalLines = 0;

    TInstructionsScreen();
    void Load() override;
    void Start() override;
    void Kill() override;
    void Logic() override;
    void Draw() override;
    int SetEscDestination() override;
    virtual void Close();
    virtual void DrawAnims();
    virtual void DrawCells(float x, float y, int kind);
    virtual void DrawRing(float x, float y);
    virtual void OutputText(int n, float x, float y);

    // The top-left corner of demonstration panel n (1 to 4).
    float PanelX(int n) const;
    float PanelY(int n) const;
    // How many times each panel's match moment has come (its effect started).
    int MatchesShown = 0;

  private:
    int lastPhase_ = 0;
    int closing_ = 0;
    int cameFromMap_ = 0;
    // The wrapped lines of text block n, made once at Load.
    std::array<std::vector<std::string>, PANELS> blocks_{};
    std::array<float, PANELS> blockScale_{};
    void StartMatchEffects();
    void DrawPanel(int n);
};

extern std::shared_ptr<TInstructionsScreen> InstructionsScreen;

// Fades out to the instructions screen, which comes back to returnTo.
void OpenInstructions(const TScreenPtr& returnTo);
