#include "ui/CheckBox.h"

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"

namespace {

TGameImagePtr LoadMenuPicture(const std::string& name) {
    if (name.empty()) return nullptr;
    const std::string file = ExtractExt(name).empty() ? name + ".png" : name;
    return TGameImage::Create(Game->MenuPath + file, -1, 0);
}

TGameSoundPtr LoadNamedSound(const std::string& name) {
    return name.empty() ? nullptr : TGameSound::Create(Game->SoundPath + name + SoundBank.Ext);
}

}  // namespace

TCheckBoxPtr TCheckBox::Create(const std::string& box, const std::string& boxMouseOver,
                               const std::string& tick, float x, float y, int state) {
    auto checkBox = std::make_shared<TCheckBox>();
    checkBox->_boxImage = LoadMenuPicture(box);
    checkBox->_boxMOImage = LoadMenuPicture(boxMouseOver);
    checkBox->_checkImage = LoadMenuPicture(tick);
    checkBox->x = x;
    checkBox->y = y;
    checkBox->state = state;
    return checkBox;
}

void TCheckBox::SetCheckOffsets(int offsetX, int offsetY) {
    checkOffsetX = offsetX;
    checkOffsetY = offsetY;
}

void TCheckBox::SetSounds(const TGameSoundPtr& click, const TGameSoundPtr& mouseOver) {
    clickSound = click;
    MOSound = mouseOver;
}

void TCheckBox::SetSounds(const std::string& click, const std::string& mouseOver) {
    SetSounds(LoadNamedSound(click), LoadNamedSound(mouseOver));
}

int TCheckBox::Logic() {
    if (!_boxImage) return 0;
    if (KeyPressed) {
        KeyPressed = 0;
        state = !state;
        PlaySound(clickSound);
        return 1;
    }
    const int mx = Game->Mouse->x, my = Game->Mouse->y;
    // The bottom edge row counts as inside.
    const bool inside = x <= mx && mx < x + _boxImage->w && y <= my && my <= y + _boxImage->h;
    if (!inside) {
        _mouseOver = 0;
        return 0;
    }
    if (!_mouseOver) PlaySound(MOSound);
    _mouseOver = 1;
    if (!Game->Mouse->GetMh(1)) return 0;
    state = !state;
    PlaySound(clickSound);
    return 1;
}

void TCheckBox::Draw() {
    if (!active || !_boxImage) return;
    const DrawStateGuard restore;
    SetBlend(ALPHABLEND);
    const TGameImagePtr& box = _mouseOver && _boxMOImage ? _boxMOImage : _boxImage;
    DrawImage(box->image, x, y);
    if (state && _checkImage) DrawImage(_checkImage->image, x + checkOffsetX, y + checkOffsetY);
}

void TCheckBox::Kill() {
    clickSound.reset();
    MOSound.reset();
    _boxImage.reset();
    _boxMOImage.reset();
    _checkImage.reset();
}
