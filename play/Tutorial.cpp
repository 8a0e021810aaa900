// The tutorial's lists of live tips and arrows: making them in the game's
// tip style, managing, fading, clearing and drawing them.
#include "play/Tutorial.h"

#include "engine/Graphics.h"
#include "frame/Game.h"
#include "media/Fonts.h"
#include "progress/ShopScreen.h"

std::shared_ptr<TTutorial> Tutorial = std::make_shared<TTutorial>();

namespace {

// The panel's header and body, against its width w: the header fits w - 120,
// the text wraps at w - 80 (w - 44 for four lines, which then start higher).
constexpr int kHeaderMargin = 120, kTextMargin = 80, kWideTextMargin = 44;
constexpr int kHeaderY = 41, kLineGap = 29, kBodyY = 69, kFourLineBodyY = 54;
constexpr int kShortBodyDrop = 10, kThreeLineBodyLift = 4;
constexpr float kFadeSpeed = 0.04f;
// The label on an arrow: a little right of its middle, within its width - 20.
constexpr int kArrowTextMargin = 20, kArrowTextX = 6, kArrowTextY = 1;
constexpr int kBounceRange = 15;
constexpr int kGlowDropY = 4;

TFontPtr TipFont(const TBitmapFontPtr& font, int grey) {
    return TFont::Create(nullptr, TColor::Create(grey, grey, grey), nullptr, 0, font);
}

// Appends to a list of at most MAX_TIPS live entries. A full list drops its
// oldest entry (killed at once) to make room: the newest tip is the one the
// lesson needs now.
template <typename Entry>
void Append(std::array<std::shared_ptr<Entry>, TTutorial::MAX_TIPS>& list, int& count,
            const std::shared_ptr<Entry>& entry) {
    if (count >= TTutorial::MAX_TIPS) {
        if (list[0]) list[0]->Kill();
        for (int i = 1; i < TTutorial::MAX_TIPS; ++i)
            list[i - 1] = list[i];
        count = TTutorial::MAX_TIPS - 1;
    }
    list[count++] = entry;
}

template <typename Entry>
void RemoveAt(std::array<std::shared_ptr<Entry>, TTutorial::MAX_TIPS>& list, int& count,
              int index) {
    if (list[index]) list[index]->Kill();
    for (int i = index + 1; i < count; ++i)
        list[i - 1] = list[i];
    list[--count].reset();
}

}  // namespace

// ---------------------------------------------------------------- making tips

TDynamicTipPtr TTutorial::CreateDynamicTip(const std::string& header, const std::string& text,
                                           int x, int y, int timeLimit, int closeable) {
    const int w = TipWithCloseImage ? TipWithCloseImage->w : 0;
    TDynamicTipPtr tip =
        TDynamicTip::Create(TipWithCloseImage, static_cast<float>(x), static_cast<float>(y),
                            w - kHeaderMargin, w - kTextMargin, timeLimit, closeable);
    tip->SetHeaderFont(TipFont(ButtonFont, 255), 1.0f);
    tip->SetHeaderText(header, kHeaderY);
    tip->SetFont(TipFont(GUIFontSmall, 240), 1.0f);
    tip->SetText(text, kLineGap, kBodyY);
    const size_t lines = tip->_textWrapped.size();
    if (lines <= 2) {
        tip->_textYOffset += kShortBodyDrop;
    } else if (lines == 3) {
        tip->_textYOffset -= kThreeLineBodyLift;
    } else if (lines == 4) {
        tip->_textDrawWidth = w - kWideTextMargin;
        tip->SetText(text, kLineGap, kFourLineBodyY);
        tip->_textYOffset += kShortBodyDrop;
    }
    tip->SetFade(1, kFadeSpeed, kFadeSpeed);
    Append(Tips, TipsCount, tip);
    return tip;
}

TTipArrowPtr TTutorial::CreateDynamicTipArrow(const TGameImagePtr& image, int x, int y,
                                              int timeLimit, const std::string& text,
                                              int directionX, int directionY, int glow) {
    TTipArrowPtr arrow =
        TTipArrow::Create(image, static_cast<float>(x), static_cast<float>(y), timeLimit);
    arrow->SetFade(1, kFadeSpeed, kFadeSpeed);
    arrow->SetFont(TipFont(GUIFontSmall, 240), 1.0f);
    arrow->SetText(text, (image ? image->w : 0) - kArrowTextMargin, kArrowTextX, kArrowTextY);
    arrow->SetBounce(kBounceRange, 1.0f, directionX, directionY);
    Append(TipArrows, TipArrowsCount, arrow);
    if (glow) MakeTipGlow(x, y);
    return arrow;
}

void TTutorial::MakeTipGlow(int x, int y) {
    KillTipGlowSprite();
    if (!ImageBank.Contains("TIPGLOW")) return;
    TipGlowSprite = TSprite::Create(ImageBank.Find("TipGlow"), static_cast<float>(x),
                                    static_cast<float>(y + kGlowDropY));
}

void TTutorial::CreateDynamicTipWrapper(const TTipData& data) {
    TTipArrowPtr arrow;
    if (data.arrowType) {
        arrow = CreateDynamicTipArrow(data.arrowType, data.arrowX, data.arrowY, data.timeLimit,
                                      data.arrowText, data.arrowDirectionX, data.arrowDirectionY,
                                      data.tipGlow);
    }
    if (data.theText.empty()) return;
    TDynamicTipPtr tip =
        CreateDynamicTip(data.theHeaderText, data.theText, data.tipX, data.tipY, data.timeLimit, 1);
    tip->associatedArrow = arrow;
}

// ---------------------------------------------------------------- per step

void TTutorial::Manage() {
    ManageTips();
    ManageTipArrows();
}

void TTutorial::ManageTips() {
    for (int i = 0; i < TipsCount;) {
        if (!Tips[i] || Tips[i]->Logic() != 1) {
            ++i;
            continue;
        }
        RemoveAt(Tips, TipsCount, i);
        // Closing the level-start tip brings its follow-up at once.
        if (Game->CurrentTScreen != ShopScreen) ShowSwapCompleteTip();
    }
}

void TTutorial::ManageTipArrows() {
    for (int i = 0; i < TipArrowsCount;) {
        if (TipArrows[i] && TipArrows[i]->visible && TipArrows[i]->Logic() != 1) {
            ++i;
            continue;
        }
        RemoveAt(TipArrows, TipArrowsCount, i);
    }
}

// ---------------------------------------------------------------- clearing

void TTutorial::ClearTips() {
    for (TDynamicTipPtr& tip : Tips) {
        if (tip) tip->Kill();
        tip.reset();
    }
    for (TTipArrowPtr& arrow : TipArrows) {
        if (arrow) arrow->Kill();
        arrow.reset();
    }
    TipsCount = TipArrowsCount = CurrentTip = 0;
}

void TTutorial::Clear() {
    PumpkinTipShown = GoalCompleteShown = MagicTipShown = NearlyDoneShown = 0;
    ClearTips();
}

void TTutorial::FadeTips() {
    for (int i = 0; i < TipsCount; ++i)
        if (Tips[i]) Tips[i]->StartFadeOut();
    for (int i = 0; i < TipArrowsCount; ++i)
        if (TipArrows[i]) TipArrows[i]->StartFadeOut();
}

void TTutorial::Kill() {
    KillTipGlowSprite();
}

void TTutorial::KillTipGlowSprite() {
    if (TipGlowSprite) TipGlowSprite->Kill();
    TipGlowSprite.reset();
}

void TTutorial::SetImages() {
    ArrowSmallImage = ImageBank.Find("ArrowSmall");
    TipWithCloseImage = ImageBank.Find("TipWithClose");
    ArrowThinImage = ImageBank.Find("ArrowThin");
    for (const TGameImagePtr& image : {ArrowSmallImage, TipWithCloseImage, ArrowThinImage})
        image->Precache();
}

// ---------------------------------------------------------------- drawing

void TTutorial::Draw() {
    // A tip's own arrow lies over its panel; the goal arrows lie under the
    // panels: a goal arrow's tail runs under the panel that explains it, its
    // label and point in sight beside it.
    DrawArrows(false);
    DrawTips();
    DrawArrows(true);
}

bool TTutorial::HasOwnTip(const TTipArrow& arrow) const {
    for (int i = 0; i < TipsCount; ++i)
        if (Tips[i] && Tips[i]->associatedArrow.get() == &arrow) return true;
    return false;
}

void TTutorial::DrawArrows(bool ownedByTips) {
    for (int i = 0; i < TipArrowsCount; ++i)
        if (TipArrows[i] && HasOwnTip(*TipArrows[i]) == ownedByTips) TipArrows[i]->Draw();
}

void TTutorial::DrawTips() {
    for (int i = 0; i < TipsCount; ++i)
        if (Tips[i]) Tips[i]->Draw();
}

void TTutorial::DrawTipArrows() {
    for (int i = 0; i < TipArrowsCount; ++i)
        if (TipArrows[i]) TipArrows[i]->Draw();
}
