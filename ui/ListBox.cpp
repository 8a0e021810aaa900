#include "ui/ListBox.h"

#include <algorithm>
#include <cmath>

#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "engine/Strings.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "media/TextShadow.h"

// ---------------------------------------------------------------- set-up

TListBoxPtr TListBox::Create(int spare, int gap, int centred, int drawBox, int doubleClickMs) {
    auto list = std::make_shared<TListBox>();
    list->Init(spare, gap, centred, drawBox);
    list->DoubleClickTime = Game->CalcAnimLength(static_cast<float>(doubleClickMs));
    return list;
}

void TListBox::Init(int /*spare*/, int gap, int centred, int drawBox) {
    constexpr int kInitialDelayMs = 400, kRepeatMs = 100;
    Gap = gap;
    Centred = centred;
    DrawBox = drawBox;
    Font = TFont::Create(nullptr, TColor::Create(255, 255, 255), nullptr, 0, nullptr);
    Box = TBox::Create(0, 0, 0, 0, TColor::Create(0, 0, 0));
    HighlightCol = TColor::Create(0, 0, 150);
    Strings.Clear();
    UpKeyRepeat = TKeyRepeat::Create(kInitialDelayMs, kRepeatMs);
    DownKeyRepeat = TKeyRepeat::Create(kInitialDelayMs, kRepeatMs);
    // Before the channel pool exists the list plays on a channel of its own.
    if (!Game->Channels) ClickChannel = AllocChannel();
    LastWheel = Game->Mouse->z;
    CalcLineHeight();
}

void TListBox::SetCoords(float x, float y, float w, float h) {
    if (!Box) return;
    Box->X = x;
    Box->Y = y;
    Box->W = w;
    Box->H = h;
    CalcLineHeight();
}

void TListBox::SetupBox(const TColorPtr& colour) {
    if (Box) Box->Color = colour;
}

void TListBox::SetupFont(const ImagePtr& imageFont, const TColorPtr& colour,
                         const TShadowPtr& shadow, const TBitmapFontPtr& bitmapFont,
                         const TColorPtr& inverseColour) {
    if (!Font) Font = std::make_shared<TFont>();
    Font->Init(imageFont, colour, shadow, 0, bitmapFont, inverseColour);
    CalcLineHeight();
    if (bitmapFont) OldScale = bitmapFont->ScaleFactor;
}

void TListBox::SetClickSound(const TGameSoundPtr& sound) {
    ClickSound = sound;
}

void TListBox::SetClickSound(const std::string& soundName) {
    SetClickSound(soundName.empty()
                      ? nullptr
                      : TGameSound::Create(Game->SoundPath + soundName + SoundBank.Ext));
}

void TListBox::CalcLineHeight() {
    const float fontHeight = Font ? Font->CalcHeight() : 0;
    LineHeight = Nearest(fontHeight) + 2 * Gap;
    if (!Box || LineHeight <= 0) {
        DisplayLines = 0;
        return;
    }
    if (RoundHeight) Box->H = std::floor(Box->H / LineHeight) * LineHeight;
    DisplayLines = static_cast<int>(Box->H / LineHeight);
}

// ---------------------------------------------------------------- selection

int TListBox::GetTempLimit() {
    if (Limit != 0 && LineCount() >= TopIndex + Limit) return TopIndex + Limit;
    return LineCount();
}

void TListBox::SetIndex(int i) {
    if (i < 0) {
        Index = -1;
        Value.clear();
        return;
    }
    Index = i;
    Value = Strings.ValueAtIndex(i);
    if (i < TopIndex) TopIndex = i;
    if (Limit > 0 && i >= TopIndex + Limit) TopIndex = i - Limit + 1;
}

void TListBox::SetTopIndex(int t) {
    TopIndex = std::max(0, t);
    if (LineCount() - 1 < TopIndex + Limit) TopIndex = LineCount() - Limit;
    TopIndex = std::max(0, TopIndex);
}

void TListBox::ClearIndex() {
    Index = -1;
    Clicked = -1;
    Value.clear();
}

int TListBox::GetDoubleClicked() {
    const int line = DoubleClicked;
    DoubleClicked = -1;
    return line;
}

int TListBox::GetIndexY() {
    if (Index == -1 || !Box) return 0;
    return TruncToInt(Box->Y + (Index - TopIndex) * LineHeight * Scale);
}

// ---------------------------------------------------------------- per step

void TListBox::Manage() {
    if (!Box) return;
    ManageClick();
    if (ArrowKeysMoveHighlight) ManageArrowKeys();
    ManageWheel();
    if (DoubleClickCounter > 0) DoubleClickCounter -= Delta;
}

void TListBox::ManageClick() {
    if (!Game->Mouse->GetMh(1)) return;
    const int mx = Game->Mouse->x, my = Game->Mouse->y;
    if (!(Box->X <= mx && mx < Box->X + Box->W * Scale)) return;
    const float rowHeight = LineHeight * Scale;
    for (int i = TopIndex; i < GetTempLimit(); ++i) {
        const int row = i - TopIndex;
        if (!(Box->Y + row * rowHeight < my && my < Box->Y + (row + 1) * rowHeight)) continue;
        // A second click on the selected line in time is a double click.
        const bool doubleClick = DoubleClickCounter > 0 && i == Index;
        if (doubleClick) {
            DoubleClicked = i;
        } else {
            PlayClick();
        }
        SetIndex(i);
        DoubleClickCounter = doubleClick ? 0 : DoubleClickTime;
        return;
    }
}

void TListBox::ManageArrowKeys() {
    // Both repeaters see the keys every step, so a held key keeps its rhythm.
    const bool up = UpKeyRepeat && UpKeyRepeat->GetKey(Key::Up);
    const bool down = DownKeyRepeat && DownKeyRepeat->GetKey(Key::Down);
    if (up && Index > 0) {
        PlayClick();
        SetIndex(Index - 1);
    }
    if (down && Index < LineCount() - 1) {
        PlayClick();
        SetIndex(Index + 1);
    }
}

bool TListBox::PointerOverBox() const {
    const int mx = Game->Mouse->x, my = Game->Mouse->y;
    const float height = std::max(Box->H, static_cast<float>(DisplayLines * LineHeight));
    return Box->X <= mx && mx < Box->X + Box->W * Scale && Box->Y <= my &&
           my < Box->Y + height * Scale;
}

void TListBox::ManageWheel() {
    const int wheel = Game->Mouse->z;
    const int steps = wheel - LastWheel;
    LastWheel = wheel;
    // Without a Limit every line is shown and there is nothing to scroll.
    if (steps == 0 || Limit <= 0 || !PointerOverBox()) return;
    // The wheel turned away from the player shows earlier lines.
    SetTopIndex(TopIndex - steps);
}

void TListBox::PlayClick() {
    PlaySoundOrOwnChannel(ClickSound, ClickChannel);
}

// ---------------------------------------------------------------- drawing

void TListBox::Draw() {
    if (!Box || !Font) return;
    const DrawStateGuard restore;
    const TextShadowGuard restoreShadow;
    SetBlend(ALPHABLEND);
    if (Background)
        DrawImage(Background->image, Box->X + BackgroundOffsetX, Box->Y + BackgroundOffsetY);
    if (DrawBox) Box->Draw();
    const float textX = Centred ? Box->X + Box->W / 2 * Scale : Box->X + TextBorder * Scale;
    const float textY = Box->Y + (Gap + LineYOffset) * Scale;
    if (HighlightUnder) DrawHighlight();
    Font->Apply();
    if (Font->BitmapFont) {
        OldScale = Font->BitmapFont->ScaleFactor;
        Font->BitmapFont->ScaleFactor = Scale * FontScale;
    } else {
        SetScale(Scale, Scale);
    }
    DrawLines(textX, textY);
    if (Font->BitmapFont) {
        Font->BitmapFont->ScaleFactor = OldScale;
    } else {
        SetScale(1, 1);
    }
    if (!HighlightUnder) DrawHighlight();
}

void TListBox::DrawLines(float textX, float textY) {
    const int alignment = Centred ? 1 : 0;
    // Text snaps to whole pixels only at the list's own size.
    const int roundX = Scale == 1 ? RoundTextX : 0, roundY = Scale == 1 ? RoundTextY : 0;
    const int end = GetTempLimit();
    float y = textY;
    int i = 0;
    for (const std::string& line : Strings) {
        if (i >= end) break;
        if (i++ < TopIndex) continue;
        const int lineIndex = i - 1;
        const bool selected = lineIndex == Index;
        const bool locked = !selected && LockedColor &&
                            lineIndex < static_cast<int>(LockedArray.size()) &&
                            LockedArray[static_cast<size_t>(lineIndex)] != 0;
        if (selected) Font->ApplyInverse();
        if (locked) LockedColor->Apply();
        const bool shadow = Font->Shadow && !(selected && NoShadowOnHighlighted);
        if (Font->BitmapFont) {
            if (shadow) {
                Font->BitmapFont->DrawAlignedWithShadow(line, textX, y, alignment, roundX, roundY);
            } else {
                Font->BitmapFont->DrawAligned(line, textX, y, alignment, roundX, roundY);
            }
        } else {
            DrawImageFontText(line, textX, y, shadow ? 1 : 0, alignment, roundX || roundY);
        }
        if (selected || locked) Font->Apply();
        y += LineHeight * Scale;
    }
}

void TListBox::DrawHighlight() {
    if (!Box || !HighlightCol || Index < 0 || Index < TopIndex || Index >= GetTempLimit()) return;
    const DrawStateGuard restore;
    SetBlend(ALPHABLEND);
    HighlightCol->Apply();
    DrawRect(Box->X, Box->Y + (Index - TopIndex) * LineHeight * Scale + HighlightTopBorder,
             Box->W * Scale, LineHeight * Scale - HighlightTopBorder - HighlightBottomBorder);
}

void TListBox::Kill() {
    Box.reset();
    Font.reset();
    Strings.Clear();
    HighlightCol.reset();
    Background.reset();
    if (ClickChannel) ClickChannel->Stop();
    ClickChannel.reset();
    ClickSound.reset();
}
