// A list box: lines of text in a box with a highlighted selection, chosen
// by click, double click, the Up and Down keys (with key repeat) and
// scrolled by the mouse wheel. The player list of the player manager.
//
// The owner fills `Strings`, calls Manage once per logic step and Draw once
// per frame, on the game's one thread. Every call is safe on an empty list
// and with any index; sounds play only when there is a click sound.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Audio.h"
#include "engine/Containers.h"
#include "media/Animation.h"
#include "media/GameImage.h"
#include "media/Label.h"
#include "media/Sound.h"
#include "ui/Repeat.h"

class TListBox;
using TListBoxPtr = std::shared_ptr<TListBox>;

class TListBox {
  public:
    TFontPtr Font;
    int DrawBox = 1;
    TBoxPtr Box;
    TGameImagePtr Background;
    int BackgroundOffsetX = 0, BackgroundOffsetY = 0;
    int TextBorder = 10;
    int Gap = 5;
    int LineYOffset = 0;
    int LineHeight = 0;
    int Centred = 0;
    TList<std::string> Strings;
    int Index = -1;
    int TopIndex = 0;
    std::string Value;
    int Clicked = -1;
    TColorPtr HighlightCol;
    int HighlightUnder = 1;
    int HighlightTopBorder = 0, HighlightBottomBorder = 0;
    int DoubleClicked = -1;
    float DoubleClickTime = 0;
    float DoubleClickCounter = 0;
    int Limit = 0;  // most lines shown at once, 0 = all
    int RoundHeight = 1;
    int DisplayLines = 0;
    TGameSoundPtr ClickSound;
    ChannelPtr ClickChannel;
    int NoShadowOnHighlighted = 0;
    int ArrowKeysMoveHighlight = 1;
    std::vector<int> LockedArray;
    TColorPtr LockedColor;
    float Scale = 1.0f;
    float FontScale = 1.0f;
    double OldScale = 0;
    TKeyRepeatPtr UpKeyRepeat, DownKeyRepeat;
    int RoundTextX = 1, RoundTextY = 1;

    // spare is not used.
    static TListBoxPtr Create(int spare, int gap, int centred, int drawBox, int doubleClickMs);
    void Init(int spare, int gap, int centred, int drawBox);
    // The box; its height is rounded down to whole lines (RoundHeight).
    void SetCoords(float x, float y, float w, float h);
    void SetupBox(const TColorPtr& colour);
    void SetupFont(const ImagePtr& imageFont, const TColorPtr& colour, const TShadowPtr& shadow,
                   const TBitmapFontPtr& bitmapFont, const TColorPtr& inverseColour);
    void SetClickSound(const TGameSoundPtr& sound);
    // The same, loaded from the sound folder by name ("" for none).
    void SetClickSound(const std::string& soundName);
    void SetIndex(int i);
    void SetTopIndex(int t);
    void ClearIndex();
    // The double-clicked line once, then -1.
    int GetDoubleClicked();
    // y of the selected line, 0 without a selection.
    int GetIndexY();
    void CalcLineHeight();
    // One past the last line shown.
    int GetTempLimit();
    // Clicks, arrow keys and the mouse wheel (over the box, with a Limit: one
    // line per wheel step, the window kept on the list).
    void Manage();
    void Draw();
    void DrawHighlight();
    void PlayClick();
    void Kill();

  private:
    int LineCount() const { return Strings.Count(); }
    bool PointerOverBox() const;
    void ManageClick();
    void ManageArrowKeys();
    void ManageWheel();
    void DrawLines(float textX, float textY);
    int LastWheel = 0;  // the pointer's wheel position at the last step
};
