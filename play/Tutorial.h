// The tutorial: tip panels with a header and a few lines of text, bouncing
// arrows that point at board cells or goal rows, and the glow that marks the
// two cells of a swap. The early levels show them at fixed moments (the
// lesson plan, play/Lessons.h); the shop uses one arrow.
//
// Single-threaded: everything runs in the logic step (Manage, the Show
// operations) or the frame (Draw), on the game's one thread. Outputs: the
// live tips and arrows, the glow sprite the board draws, TipsCount (the level
// play screen holds its automatic hint while a tip shows) and, for the two
// lessons that ignore the tips switch, the player's one-time flags in the
// profile, saved at once. Nothing here fails: a missing text makes no panel,
// and a full list drops its oldest entry.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "media/Animation.h"
#include "media/GameImage.h"
#include "media/Label.h"
#include "media/Sprite.h"

class TTipArrow;
using TTipArrowPtr = std::shared_ptr<TTipArrow>;
class TDynamicTip;
using TDynamicTipPtr = std::shared_ptr<TDynamicTip>;

// What the tutorial makes a tip and its arrow from.
struct TTipData {
    std::string theHeaderText;
    std::string theText;
    int tipX = 0, tipY = 0;      // the panel's top-left corner
    int arrowX = 0, arrowY = 0;  // the arrow's centre
    int arrowDirectionX = 0, arrowDirectionY = 0;
    std::string arrowText;
    TGameImagePtr arrowType;  // none: no arrow
    int timeLimit = 0;        // ms; 0: stays until closed or faded
    int tipGlow = 0;          // 1: the glow sprite under the arrow
};

// Fading in, holding, fading out and the time limit, shared by panels and arrows.
class TTipFade {
  public:
    static constexpr float FADE_IN_DEFAULT = 0.04f;
    static constexpr float FADE_OUT_DEFAULT = 0.04f;

    int visible = 0;
    float x = 0, y = 0;
    int _fade = 0;
    int _fadeIn = 0;
    float _fadeInSpeed = FADE_IN_DEFAULT, _fadeOutSpeed = FADE_OUT_DEFAULT;
    float _fadeLevel = 0;
    int _timeLimit = 0;  // logic steps
    float _timeLimitCounter = 0;

    virtual ~TTipFade() = default;
    void SetFade(int fade, float inSpeed, float outSpeed);
    virtual void Hide();
    // 1 when the tip was hidden at once (it does not fade).
    virtual int StartFadeOut();

  protected:
    // The fade and the time limit of one step; 1 once hidden.
    int FadeAndTimeStep();
    // The alpha the drawing uses.
    float DrawAlpha() const { return _fade ? _fadeLevel : 1.0f; }
};

class TTipArrow : public TTipFade {
  public:
    TSineCounterPtr _bounceCounter;
    int _bounceDirectionX = 0, _bounceDirectionY = 0;
    int _bounceRange = 15;
    float _bounceSpeed = 1.0f;
    TFontPtr _font;
    float _fontScale = 1.0f;
    TGameImagePtr _image;
    std::string _text;
    int _textXOffset = 0, _textYOffset = 0;

    static TTipArrowPtr Create(const TGameImagePtr& image, float x, float y, int timeLimitMs);
    void Draw() const;
    void Kill();
    // 1 once the arrow has faded out (or was hidden).
    int Logic();
    void SetBounce(int range, float speed, int directionX, int directionY);
    void SetFont(const TFontPtr& font, float scale);
    void SetText(const std::string& text, int maxWidth, int xOffset, int yOffset);
    // The bounce offset as the counter stands now.
    float BounceOffset() const;
};

class TDynamicTip : public TTipFade {
  public:
    TTipArrowPtr associatedArrow;
    int _closeable = 1;
    TFontPtr _font;
    float _fontScale = 1.0f;
    int _headerDrawWidth = 0;
    TFontPtr _headerFont;
    float _headerFontScale = 1.0f;
    int _headerTextYOffset = 0;
    std::string _headerText;
    TGameImagePtr _image;
    int _lineGap = 0;
    std::string _text;
    int _textDrawWidth = 200;
    int _textYOffset = 0;
    std::vector<std::string> _textWrapped;

    static TDynamicTipPtr Create(const TGameImagePtr& image, float x, float y, int headerDrawWidth,
                                 int textDrawWidth, int timeLimitMs, int closeable);
    void Draw() const;
    void Hide() override;
    void Kill();
    // 1 once the tip has ended. A click on the panel is used up here and
    // closes the tip: it never reaches the board below.
    int Logic();
    void SetFont(const TFontPtr& font, float scale);
    void SetHeaderFont(const TFontPtr& font, float scale);
    void SetHeaderText(const std::string& text, int yOffset);
    void SetText(const std::string& text, int lineGap, int yOffset);
    int StartFadeOut() override;
    bool Contains(float px, float py) const;
};

class TTutorial {
  public:
    static constexpr int MAX_TIPS = 5;

    // The profile's one-time flags of the two lessons that show even with
    // the tips switched off (the story messages use 1 to 38, the map 80).
    static constexpr int MAGIC_TIP_HINT = 81;
    static constexpr int PUMPKIN_TIP_HINT = 82;

    int CurrentTip = 0;  // 1 while a level-start tip waits for its follow-up
    std::array<TDynamicTipPtr, MAX_TIPS> Tips{};
    int TipsCount = 0;
    std::array<TTipArrowPtr, MAX_TIPS> TipArrows{};
    int TipArrowsCount = 0;
    TSpritePtr TipGlowSprite;
    int PumpkinTipShown = 0, GoalCompleteShown = 0, MagicTipShown = 0, NearlyDoneShown = 0;
    TGameImagePtr ArrowSmallImage, ArrowThinImage, TipWithCloseImage;

    virtual ~TTutorial() = default;
    virtual void Clear();
    virtual void ClearTips();
    virtual TDynamicTipPtr CreateDynamicTip(const std::string& header, const std::string& text,
                                            int x, int y, int timeLimit, int closeable);
    virtual TTipArrowPtr CreateDynamicTipArrow(const TGameImagePtr& image, int x, int y,
                                               int timeLimit, const std::string& text,
                                               int directionX, int directionY, int glow);
    virtual void CreateDynamicTipWrapper(const TTipData& data);
    virtual void Draw();
    virtual void DrawTipArrows();
    virtual void DrawTips();
    virtual void FadeTips();
    virtual void Kill();
    virtual void KillTipGlowSprite();
    virtual void Manage();
    virtual void ManageTipArrows();
    virtual void ManageTips();
    virtual void SetImages();
    // The lesson plan (Lessons.cpp).
    virtual void ShowGoalCompleteTip();
    virtual int CanShowGoalTip(int row);
    // The arrow's y, or 0 when none was made.
    virtual int ShowGoalArrowTip(int row, int ms);
    virtual void ShowLevelStartTip();
    virtual void ShowNearlyDoneTip();
    virtual void ShowPumpkinTip();
    virtual void ShowMagicTip();
    virtual void ShowSwapCompleteTip();

  protected:
    // Tips switched on in the player's options.
    static bool TipsOn();
    // The player's one-time flag: true the first time it is asked (and then
    // it is set and the profile saved); without a profile, always true.
    static bool FirstTimeForPlayer(int hint);
    // The glow that marks the cells of a swap (sprite), from the arrow's centre.
    void MakeTipGlow(int x, int y);
    // Whether a live tip fades with this arrow.
    bool HasOwnTip(const TTipArrow& arrow) const;
    // The arrows of tips, or the others, in list order.
    void DrawArrows(bool ownedByTips);
};

extern std::shared_ptr<TTutorial> Tutorial;
