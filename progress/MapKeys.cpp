// The level map without a mouse: the keys' focus on the open dots and on the
// controls along the bottom, the view following the focused dot, and the
// focus drawn as the menus' ring of light.
#include <algorithm>
#include <cmath>

#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/Navigation.h"
#include "progress/MapScreen.h"
#include "ui/Menu.h"

namespace {

constexpr int kRepeatDelayMs = 300;
constexpr int kRepeatEveryMs = 110;
// The view glides this share of the way to the focused dot a step, once
// the dot comes nearer the panels than the band where it stays in plain
// sight (virtual pixels, the dot's centre).
constexpr float kGlideShare = 0.08f;
constexpr float kSightTop = 160, kSightBottom = 560;
constexpr float kSightSide = 60;

using Stop = TMapScreen::KeyStop;

// Where each arrow leads from a stop: the controls along the bottom as they
// lie (the shop's picture above Back, the timed switch between Back and
// Play), Up from the bottom row back to the dots. Stop::Dot here means
// "the dots"; from the dots Left and Right walk the path instead.
struct Neighbours {
    Stop left, right, up, down;
};
Neighbours NeighboursOf(Stop stop) {
    switch (stop) {
        case Stop::Dot:
            return {Stop::Dot, Stop::Dot, Stop::Dot, Stop::Play};
        case Stop::Shop:
            return {Stop::Shop, Stop::Timed, Stop::Dot, Stop::Back};
        case Stop::Back:
            return {Stop::Back, Stop::Timed, Stop::Shop, Stop::Back};
        case Stop::Timed:
            return {Stop::Back, Stop::Play, Stop::Dot, Stop::Timed};
        case Stop::Play:
            return {Stop::Timed, Stop::Play, Stop::Dot, Stop::Play};
    }
    return {stop, stop, stop, stop};
}

// Tab's round: the dots, then the controls from the top left.
constexpr Stop kTabOrder[] = {Stop::Dot, Stop::Shop, Stop::Back, Stop::Timed, Stop::Play};
constexpr int kTabStops = static_cast<int>(std::size(kTabOrder));

Stop TabFrom(Stop stop, int step) {
    int at = 0;
    for (int i = 0; i < kTabStops; ++i)
        if (kTabOrder[i] == stop) at = i;
    return kTabOrder[((at + step) % kTabStops + kTabStops) % kTabStops];
}

// The menu's button at a stop, nullptr for the dots and the timed switch.
const char* ButtonAt(Stop stop) {
    switch (stop) {
        case Stop::Shop:
            return "shop";
        case Stop::Back:
            return "back";
        case Stop::Play:
            return "start";
        default:
            return nullptr;
    }
}

}  // namespace

int TMapScreen::ShownKeyDot() const {
    if (!Nav::MarksShown() || !KeySeen || KeyPlace != KeyStop::Dot || Zooming()) return -1;
    return KeyDot >= 0 && KeyDot < DotCount() ? KeyDot : -1;
}

bool TMapScreen::KeyFocusOn(KeyStop stop) const {
    return Nav::MarksShown() && KeySeen && !Zooming() && KeyPlace == stop;
}

int TMapScreen::NextOpenDot(int index, int step) const {
    for (int i = index + step; i >= 0 && i < DotCount(); i += step)
        if (LevelOpen(i + 1)) return i;
    return -1;
}

void TMapScreen::ManageKeyFocus() {
    FocusPulse += 4 * Delta;
    if (FocusPulse >= 360) FocusPulse -= 360;
    for (TKeyRepeatPtr& repeat : WalkRepeats)
        if (!repeat) repeat = TKeyRepeat::Create(kRepeatDelayMs, kRepeatEveryMs);
    Menu->FocusUpDown = 0;
    // Every key is read each step, so that none waits for a later one.
    const int leftHit = KeyHit(Key::Left), rightHit = KeyHit(Key::Right);
    const int left = leftHit + WalkRepeats[0]->GetKeyRepeat(Key::Left);
    const int right = rightHit + WalkRepeats[1]->GetKeyRepeat(Key::Right);
    const int up = KeyHit(Key::Up), down = KeyHit(Key::Down), tab = KeyHit(Key::Tab);
    const int seen = KeySeen;
    KeySeen = Nav::MarksShown() ? 1 : 0;
    if (!KeySeen) {
        // Hidden: the keys start again on the current level's dot; the
        // menu's focus follows the mouse meanwhile.
        KeyPlace = KeyStop::Dot;
        KeyDot = Level - 1;
        Menu->FocusKeys = 1;
        return;
    }
    if (!LevelOpen(KeyDot + 1) || KeyDot >= DotCount()) KeyDot = Level - 1;
    // The key that brings the focus into sight does no more than bring the
    // dot into view (Enter and Space still start it, as they always did).
    if (!seen) {
        FollowIfOutOfSight();
        Menu->FocusKeys = 0;
        return;
    }
    const bool shift = KeyDown(Key::LeftShift) || KeyDown(Key::RightShift);
    const Neighbours next = NeighboursOf(KeyPlace);
    if (tab) {
        MoveKeyPlace(TabFrom(KeyPlace, shift ? -1 : 1));
    } else if (KeyPlace == KeyStop::Dot && (left || right)) {
        WalkKeyDot(right ? 1 : -1, (right ? rightHit : leftHit) != 0);
    } else if (left) {
        MoveKeyPlace(next.left);
    } else if (right) {
        MoveKeyPlace(next.right);
    } else if (up) {
        MoveKeyPlace(next.up);
    } else if (down) {
        MoveKeyPlace(next.down);
    }
    Menu->FocusKeys = ButtonAt(KeyPlace) ? 1 : 0;
    if (KeyPlace == KeyStop::Timed && (KeyHit(Key::Enter) + KeyHit(Key::Space)) != 0)
        TimedCheckBox->KeyPressed = 1;
}

void TMapScreen::MoveKeyPlace(KeyStop to) {
    if (to == KeyPlace) return;
    KeyPlace = to;
    if (to == KeyStop::Dot) FollowIfOutOfSight();
    // A button sounds as the focus comes to it; the dots and the switch
    // sound as a dot does under the pointer.
    if (const char* button = ButtonAt(to)) {
        Menu->FocusOn(button);
    } else if (TButtonPtr start = Menu->FindButton("start")) {
        start->PlayMouseOver();
    }
}

// Left and Right along the path: the next open dot that way. Past the last
// open one (or the first dot) a press is refused with a locked dot's sound,
// a held key's repeats quietly.
void TMapScreen::WalkKeyDot(int step, bool pressed) {
    const int to = NextOpenDot(KeyDot, step);
    if (to < 0) {
        if (pressed) PlaySound(Invalid);
        return;
    }
    KeyDot = to;
    FollowIfOutOfSight();
    Glow->Reset();
    if (TButtonPtr start = Menu->FindButton("start")) start->PlayMouseOver();
}

void TMapScreen::FollowIfOutOfSight() {
    if (KeyDot < 0 || KeyDot >= DotCount()) return;
    const float x = Coords[KeyDot].X + ScrollX, y = Coords[KeyDot].Y + ScrollY + YOffset;
    if (y < kSightTop || y > kSightBottom || x < kSightSide || x > ScreenWidth - kSightSide)
        FollowKeyDot = 1;
}

// The view glides until the focused dot is centred, or the picture's edge
// (or the limit above the open levels) stops it; the mouse taking over
// stops it too.
void TMapScreen::GlideToKeyDot() {
    if (!Nav::MarksShown()) FollowKeyDot = 0;
    if (!FollowKeyDot || SlideIn->Active || KeyDot < 0 || KeyDot >= DotCount()) return;
    const TAccuratePoint& dot = Coords[KeyDot];
    const float targetX = static_cast<float>(ScreenWidth / 2) - dot.X;
    const float targetY = static_cast<float>(ScreenHeight / 2) - (dot.Y + YOffset);
    const float share = std::min(1.0f, kGlideShare * Delta);
    const float oldX = ScrollX, oldY = ScrollY;
    ScrollX += (targetX - ScrollX) * share;
    ScrollY += (targetY - ScrollY) * share;
    ClampScrollPosition();
    if (std::abs(ScrollX - oldX) < 0.05f && std::abs(ScrollY - oldY) < 0.05f) FollowKeyDot = 0;
}

// The ring of the menus round the focused dot.
void TMapScreen::DrawDotFocus() {
    const int index = ShownKeyDot();
    if (index < 0) return;
    const TGameImagePtr& image = CheckSpecialLevel(index) ? UnlockedSpecial : Unlocked;
    if (!image) return;
    const float w = static_cast<float>(image->w), h = static_cast<float>(image->h);
    const float x = Coords[index].X + ScrollX, y = Coords[index].Y + ScrollY + YOffset;
    DrawFocusRing(x - w / 2, y - h / 2, w, h, FocusPulse);
}

// The same ring round the timed switch.
void TMapScreen::DrawTimedFocus() {
    if (KeyFocusOn(KeyStop::Timed) && TimedCheckBox && TimedCheckBox->_boxImage) {
        const TCheckBox& box = *TimedCheckBox;
        DrawFocusRing(box.x, box.y, static_cast<float>(box._boxImage->w),
                      static_cast<float>(box._boxImage->h), FocusPulse);
    }
}
