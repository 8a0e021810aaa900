#include "ui/Menu.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "engine/Strings.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "frame/Navigation.h"
#include "frame/Screen.h"
#include "media/Fonts.h"
#include "media/GameText.h"

// ---------------------------------------------------------------- life

TMenuPtr TMenu::Create(const std::string& soundMO, const std::string& soundClick, float menuX,
                       float menuY, int gap) {
    auto menu = std::make_shared<TMenu>();
    menu->Init(soundMO, soundClick, menuX, menuY, gap);
    return menu;
}

void TMenu::Init(const std::string& soundMO, const std::string& soundClick, float menuX,
                 float menuY, int gap) {
    Clear();
    x = menuX;
    y = menuY;
    Gap = gap;
    AddGap = 0;
    h = 0;
    NextY = static_cast<int>(menuY);
    MouseOverName.clear();
    ClickedName.clear();
    SoundMouseOver =
        soundMO.empty() ? nullptr : TGameSound::Create(Game->SoundPath + soundMO + SoundBank.Ext);
    SoundClick = soundClick.empty()
                     ? nullptr
                     : TGameSound::Create(Game->SoundPath + soundClick + SoundBank.Ext);
}

void TMenu::Kill() {
    for (const TButtonPtr& button : *this)
        button->Kill();
    Clear();
    Focused = nullptr;
}

// ---------------------------------------------------------------- adding

TButtonPtr TMenu::DoAddNew(const std::string& image, const std::string& imageMO,
                           const std::string& name, int cellWidth, int cellHeight, int frames) {
    auto button = std::make_shared<TButton>();
    button->UseMenuPath = 1;
    button->Load(image, imageMO, "", "", cellWidth, cellHeight, frames);
    button->CentreX(static_cast<float>(NextY));
    button->SoundMouseOver = SoundMouseOver;
    button->SoundClick = SoundClick;
    button->SetShadow(Shadow, ShadowX, ShadowY, ShadowAlpha);
    if (!name.empty()) button->SetName(name);
    AddLast(button);
    return button;
}

TButtonPtr TMenu::AddNew(const std::string& image, const std::string& imageMO,
                         const std::string& name, int cellWidth, int cellHeight, int frames) {
    TButtonPtr button = DoAddNew(image, imageMO, name, cellWidth, cellHeight, frames);
    IncreaseHeight(*button);
    return button;
}

void TMenu::IncreaseHeight(const TButton& button) {
    NextY += button.h + Gap;
    h += button.h + (Count() > 1 ? Gap : 0);
}

TButtonPtr TMenu::AddQuick(const std::string& image, const std::string& name) {
    return AddNew(image, image + "MO", name, 0, 0, 1);
}

TButtonPtr TMenu::AddQuickAuto(const std::string& image, const std::string& name) {
    TButtonPtr button = AddQuick(image, name);
    const std::string path = Game->MenuPath;
    if (FileType(path + image + "_disabled.png") == FILETYPE_FILE)
        button->LoadDisabled(image + "_disabled");
    if (FileType(path + image + "_down.png") == FILETYPE_FILE)
        button->LoadMouseClick(image + "_down", 200);
    return button;
}

void TMenu::AddPair(const std::string& image1, const std::string& image2, int gap,
                    const std::string& prefix) {
    const bool firstRow = Count() == 0;
    TButtonPtr first = DoAddNew(image1, image1 + "MO", "", 0, 0, 1);
    TButtonPtr second = DoAddNew(image2, image2 + "MO", "", 0, 0, 1);
    second->MoveTo(first->x + first->w + gap, first->y);
    if (!prefix.empty()) {
        first->SetName(Upper(prefix) + first->name);
        second->SetName(Upper(prefix) + second->name);
    }
    IncreaseHeight(first->h >= second->h ? *first : *second);
    // The pair is one row: a pair that starts the menu has no gap above it.
    if (firstRow) h -= Gap;
}

void TMenu::RemoveButton(const std::string& name) {
    TButtonPtr button = FindButton(name);
    if (!button) return;
    button->Kill();
    Remove(button);
}

// ---------------------------------------------------------------- asking

TButtonPtr TMenu::FindButton(const std::string& name) const {
    const std::string key = Upper(name);
    for (const TButtonPtr& button : *this) {
        if (button->name == key) return button;
    }
    return nullptr;
}

int TMenu::Clicked(const std::string& name) {
    if (ClickedName.empty() || ClickedName != Upper(name)) return 0;
    if (ClearClickedName) ClickedName.clear();
    return 1;
}

int TMenu::MouseOver(const std::string& name) {
    if (MouseOverName.empty() || MouseOverName != Upper(name)) return 0;
    if (ClearMouseOverName) MouseOverName.clear();
    return 1;
}

// ---------------------------------------------------------------- per step

int TMenu::Manage(float ox, float oy) {
    if (Game->Fading() || !AcceptInput) {
        ManageFixedGlowOnly();
        return 0;
    }
    if (Game->Mouse->Active) {
        const bool activate = ManageFocus();
        const TButtonPtr focus = ShownFocus();
        MouseOverName.clear();
        ClickedName.clear();
        for (const TButtonPtr& button : *this) {
            button->offx = ox;
            button->offy = oy;
            button->KeyFocus = button == focus ? 1 : 0;
            if (NoSound) {
                button->ManageNoSound();
            } else {
                button->Manage();
            }
            if (button->MouseOver) MouseOverName = button->name;
            if (button->Clicked) ClickedName = button->name;
            // While hidden, the focus follows the mouse: keys carry on from there.
            if (!focus && button->MouseOver && FocusKeys) Focused = button;
        }
        if (activate && focus) {
            focus->SimulateClick();
            if (focus->Clicked) ClickedName = focus->name;
        }
    }
    return 1;
}

// ---------------------------------------------------------------- focus

namespace {

bool TakesFocus(const TButtonPtr& button) {
    return button && button->Active && !button->Disabled &&
           !(button->UseAlpha && button->Alpha <= 0);
}

float CentreX(const TButton& button) {
    return button.x + button.w / 2.0f;
}
float CentreY(const TButton& button) {
    return button.y + button.h / 2.0f;
}

// Keys read once each, so that a press of both counts once.
bool EitherHit(int key1, int key2) {
    const int first = KeyHit(key1), second = KeyHit(key2);
    return first || second;
}

}  // namespace

TButtonPtr TMenu::ShownFocus() const {
    if (!FocusKeys || !Nav::MarksShown() || !TakesFocus(Focused) || !Contains(Focused))
        return nullptr;
    return Focused;
}

void TMenu::FocusOn(const std::string& name) {
    if (TButtonPtr button = FindButton(name); TakesFocus(button)) Focused = button;
}

TButtonPtr TMenu::DefaultFocus() const {
    if (TButtonPtr named = DefaultFocusName.empty() ? nullptr : FindButton(DefaultFocusName);
        TakesFocus(named))
        return named;
    for (const TButtonPtr& button : *this) {
        if (button->OKButton && TakesFocus(button)) return button;
    }
    for (const TButtonPtr& button : *this) {
        if (TakesFocus(button)) return button;
    }
    return nullptr;
}

TButtonPtr TMenu::FocusInOrder(int step) const {
    const std::vector<TButtonPtr> buttons = ToVector();
    const int count = static_cast<int>(buttons.size());
    int at = 0;
    for (int i = 0; i < count; ++i)
        if (buttons[i] == Focused) at = i;
    for (int n = 1; n <= count; ++n) {
        const TButtonPtr& next = buttons[((at + step * n) % count + count) % count];
        if (TakesFocus(next)) return next;
    }
    return Focused;
}

// The nearest button whose centre lies that way, a sideways offset counting
// double; none: the focus stays.
TButtonPtr TMenu::FocusToward(int dx, int dy) const {
    const float fx = CentreX(*Focused), fy = CentreY(*Focused);
    TButtonPtr best;
    float bestScore = 0;
    for (const TButtonPtr& button : *this) {
        if (button == Focused || !TakesFocus(button)) continue;
        const float ox = CentreX(*button) - fx, oy = CentreY(*button) - fy;
        const float along = ox * dx + oy * dy;
        const float across = std::abs(ox * dy - oy * dx);
        if (along < 1) continue;
        const float score = along + 2 * across;
        if (!best || score < bestScore) {
            best = button;
            bestScore = score;
        }
    }
    return best ? best : Focused;
}

bool TMenu::ManageFocus() {
    FocusRound = Nav::InputRound();
    FocusGlow += 4 * Delta;
    if (FocusGlow >= 360) FocusGlow -= 360;
    const int seen = FocusSeen;
    // A text being typed keeps every key (Space is a letter there).
    FocusSeen = FocusKeys && Nav::MarksShown() && !Game->BlockKeys ? 1 : 0;
    if (!FocusSeen) return false;
    if (!TakesFocus(Focused) || !Contains(Focused)) Focused = DefaultFocus();
    if (!Focused) return false;
    const bool back = KeyDown(Key::LeftShift) || KeyDown(Key::RightShift);
    const int tab = KeyHit(Key::Tab);
    const int left = KeyHit(Key::Left), right = KeyHit(Key::Right);
    const int up = FocusUpDown && KeyHit(Key::Up), down = FocusUpDown && KeyHit(Key::Down);
    // The key that brings the focus into sight does no more; a hidden focus
    // leaves Enter and Space to the keyboard OK button.
    if (!seen) return false;
    if (tab) Focused = FocusInOrder(back ? -1 : 1);
    if (left) Focused = FocusToward(-1, 0);
    if (right) Focused = FocusToward(1, 0);
    if (up) Focused = FocusToward(0, -1);
    if (down) Focused = FocusToward(0, 1);
    // A button told not to take Space (Space means something else there)
    // leaves it alone as its keyboard OK does.
    if (!Focused->OKButtonUseSpace) return KeyHit(Key::Enter) != 0;
    return EitherHit(Key::Enter, Key::Space);
}

// A soft frame of light round the focused button, pulsing.
void TMenu::DrawFocus() const {
    const TButtonPtr focus = ShownFocus();
    if (!focus || FocusRound < Nav::InputRound() - 1) return;
    float left = focus->x + focus->offx, top = focus->y + focus->offy;
    float width = static_cast<float>(focus->w), height = static_cast<float>(focus->h);
    if (focus->BoundingBox) {
        left = focus->BoundingBox->X + focus->offx;
        top = focus->BoundingBox->Y + focus->offy;
        width = focus->BoundingBox->W;
        height = focus->BoundingBox->H;
    }
    DrawFocusRing(left, top, width, height, FocusGlow);
}

void DrawFocusRing(float left, float top, float width, float height, float pulse) {
    const DrawStateGuard restore;
    const float strength = 0.6f + 0.4f * static_cast<float>(std::sin(pulse * M_PI / 180.0));
    SetBlend(LIGHTBLEND);
    SetColor(255, 214, 120);
    SetScale(1, 1);
    SetRotation(0);
    for (int ring = 0; ring < 4; ++ring) {
        const float grow = static_cast<float>(2 + ring * 2);
        SetAlpha(strength * (0.8f - ring * 0.18f));
        const float l = left - grow, t = top - grow, w = width + 2 * grow, h = height + 2 * grow;
        DrawRect(l, t, w, 2);
        DrawRect(l, t + h - 2, w, 2);
        DrawRect(l, t + 2, 2, h - 4);
        DrawRect(l + w - 2, t + 2, 2, h - 4);
    }
}

int TMenu::ManageNoSound(float ox, float oy) {
    const int noSound = NoSound;
    NoSound = 1;
    const int result = Manage(ox, oy);
    NoSound = noSound;
    return result;
}

void TMenu::ManageFixedGlowOnly() {
    for (const TButtonPtr& button : *this) {
        if (button->FixedGlowOnMO) button->ManageGlow();
    }
}

void TMenu::ManageScaleOnMO() {
    for (const TButtonPtr& button : *this)
        button->ManageScaleOnMO();
}

void TMenu::Draw(float ox, float oy) {
    for (const TButtonPtr& button : *this) {
        button->offx = ox;
        button->offy = oy;
        button->Draw();
    }
    if (AcceptInput) DrawFocus();
}

// ---------------------------------------------------------------- layout

void TMenu::CalcLeft() {
    x = 10000;
    for (const TButtonPtr& button : *this)
        x = std::min(x, button->x);
}

void TMenu::CalcTop() {
    y = 10000;
    for (const TButtonPtr& button : *this)
        y = std::min(y, button->y);
}

void TMenu::CalcWidth() {
    float right = 0;
    for (const TButtonPtr& button : *this)
        right = std::max(right, button->x + button->w);
    w = static_cast<int>(right - x);
}

void TMenu::CalcHeight() {
    float bottom = 0;
    for (const TButtonPtr& button : *this)
        bottom = std::max(bottom, button->y + button->h);
    h = static_cast<int>(bottom - y);
}

void TMenu::CalcCoords() {
    CalcLeft();
    CalcTop();
}

void TMenu::SetX(float newX) {
    CalcLeft();
    for (const TButtonPtr& button : *this)
        button->MoveBy(newX - x, 0);
    x = newX;
}

void TMenu::SetY(float newY) {
    CalcTop();
    for (const TButtonPtr& button : *this)
        button->MoveBy(0, newY - y);
    y = newY;
}

void TMenu::CentreHoriz() {
    CalcLeft();
    CalcWidth();
    SetX(static_cast<float>((ScreenWidth - w) / 2));
}

void TMenu::CentreVert() {
    CalcTop();
    CalcHeight();
    SetY(static_cast<float>((ScreenHeight - h) / 2));
}

void TMenu::Centre() {
    CentreHoriz();
    CentreVert();
}

void TMenu::MakeColumn(int gap) {
    float nextY = 0;
    for (const TButtonPtr& button : *this) {
        button->MoveTo(0, nextY);
        nextY += button->h + gap;
    }
    Centre();
}

void TMenu::MakeRow(int gap) {
    float nextX = 0;
    for (const TButtonPtr& button : *this) {
        button->MoveTo(nextX, 0);
        nextX += button->w + gap;
    }
    Centre();
}

void TMenu::SetPairX(const std::string& name1, const std::string& name2, float newX) {
    TButtonPtr first = FindButton(name1), second = FindButton(name2);
    if (!first) return;
    const float by = newX - first->x;
    first->MoveBy(by, 0);
    if (second) second->MoveBy(by, 0);
}

void TMenu::StoreOriginalCoords() {
    for (const TButtonPtr& button : *this)
        button->StoreOriginalCoords();
    OX = x;
    OY = y;
}

void TMenu::ScaleMenu(float sx, float sy) {
    for (const TButtonPtr& button : *this) {
        button->SetScaleXY(sx, sy);
        button->MoveTo(x + sx * (button->ox - x), y + sy * (button->oy - y));
    }
}

// ---------------------------------------------------------------- bulk settings

void TMenu::SetShadow(int on, float sx, float sy, float alpha) {
    Shadow = on;
    ShadowX = sx;
    ShadowY = sy;
    ShadowAlpha = alpha;
}

void TMenu::ResetShadow(int on, float sx, float sy, float alpha) {
    for (const TButtonPtr& button : *this)
        button->SetShadow(on, sx, sy, alpha);
}

void TMenu::ChangeShadow(int on, float sx, float sy, float alpha) {
    SetShadow(on, sx, sy, alpha);
    ResetShadow(on, sx, sy, alpha);
}

void TMenu::SetAlpha(float alpha) {
    for (const TButtonPtr& button : *this)
        button->Alpha = alpha;
}

void TMenu::SetButtonCaptionRoundCoords(int round, int roundX, int roundY) {
    for (const TButtonPtr& button : *this) {
        if (!button->Caption) continue;
        button->Caption->RoundCoords = round;
        button->Caption->RoundXCoord = roundX;
        button->Caption->RoundYCoord = roundY;
    }
}

void TMenu::ClearGlow() {
    for (const TButtonPtr& button : *this)
        button->Glow = 0;
}

void TMenu::ClearMouseClick() {
    for (const TButtonPtr& button : *this) {
        button->Clicked = 0;
        button->MouseClickCounter = 0;
    }
}

void TMenu::ClearMouseOver() {
    for (const TButtonPtr& button : *this)
        button->MouseOver = 0;
}

void TMenu::ClearScale() {
    for (const TButtonPtr& button : *this)
        button->ScaleOnMO = 1;
}

void TMenu::ClearStates() {
    ClearGlow();
    ClearMouseClick();
    ClearMouseOver();
    ClearScale();
}

void TMenu::Precache() {
    for (const TButtonPtr& button : *this)
        button->Precache();
}

// ---------------------------------------------------------------- captioned buttons

namespace {

struct CaptionWidthRule {
    const char* part;
    int width;
};

int CaptionWidthFor(const std::string& image, int given) {
    static const CaptionWidthRule kRules[] = {{"Long", 320},
                                              {"In-Game Menu", 220},
                                              {"MapScreenButton", 124},
                                              {"YourHouse", 130},
                                              {"Decoration", 150}};
    for (const CaptionWidthRule& rule : kRules) {
        if (image.find(rule.part) != std::string::npos) return rule.width;
    }
    return given != 0 ? given : 124;
}

}  // namespace

void SetupMenuButtonCaption(TButton& button, const std::string& text, int width, float scale,
                            int /*shadow*/, int softCaption) {
    const int level = softCaption ? 235 : 240;
    button.SetupCaption(text, nullptr, TColor::Create(level, level, level), nullptr, ButtonFont,
                        TColor::Create(255, 255, 255));
    button.SetupCaptionDown(TColor::Create(200, 200, 200), 1.0f, 2.0f, 2.0f);
    button.Caption->Scale = scale;
    if (width != 0) button.Caption->AutoScale(static_cast<float>(width));
    button.Caption->Y += 3;
}

TButtonPtr AddMenuButton(TMenu& menu, const std::string& image, const std::string& name,
                         const std::string& captionKey, float x, float y, int captionWidth,
                         float captionScale, int shadow, int softCaption) {
    TButtonPtr button = menu.AddQuick(image, name);
    button->LoadMouseClick(image + "Down", 350);
    const int width = CaptionWidthFor(image, captionWidth);
    const std::string text = GameText ? GameText->FindString(captionKey) : std::string();
    SetupMenuButtonCaption(*button, text, width, captionScale, shadow, softCaption);
    if (image.find("Long") != std::string::npos) button->Caption->Y -= 10;
    button->SetFixedGlowOnMO(0.2f, 0.005f, 0);
    button->MoveTo(x, y);
    return button;
}

TButtonPtr AddOKButton(TMenu& menu) {
    constexpr int kBottomMargin = 30, kCaptionWidth = 124;
    TButtonPtr button = menu.AddQuick("button", "OK");
    button->OKButton = 1;
    button->LoadMouseClick("ButtonDown", 350);
    button->SetFixedGlowOnMO(0.2f, 0.005f, 0);
    const std::string text = GameText ? GameText->FindString("Button OK") : std::string();
    SetupMenuButtonCaption(*button, text, kCaptionWidth, 1.0f, 0, 0);
    button->CentreX(static_cast<float>(ScreenHeight - kBottomMargin - button->h));
    return button;
}
