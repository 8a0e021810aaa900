// A check box: a box picture (with an optional mouse-over picture) and a
// tick shown while it is on; a click toggles it (the timed-mode switch and
// the options switches).
//
// Logic once per logic step, Draw once per frame. Pictures come from the
// menu folder (a missing one is fatal like every missing asset); sounds play
// through the channel pool when there are any.
#pragma once

#include <memory>
#include <string>

#include "media/GameImage.h"
#include "media/Sound.h"

class TCheckBox;
using TCheckBoxPtr = std::shared_ptr<TCheckBox>;

class TCheckBox {
  public:
    int active = 1;
    int checkOffsetX = 0, checkOffsetY = 0;  // tick offset from the box corner
    float x = 0, y = 0;
    TGameSoundPtr clickSound, MOSound;
    int state = 1;  // 1 ticked
    TGameImagePtr _boxImage, _boxMOImage, _checkImage;
    int _mouseOver = 0;
    // A key's press on the box (the keyboard focus is on it): the next Logic
    // flips it as a click does.
    int KeyPressed = 0;

    // Picture names in the menu folder ("CheckBox.png"; ".png" is added to a
    // name without extension); boxMouseOver may be "" for none.
    static TCheckBoxPtr Create(const std::string& box, const std::string& boxMouseOver,
                               const std::string& tick, float x, float y, int state);
    void Draw();
    void Kill();
    // 1 on the step it was clicked: its state has flipped.
    int Logic();
    void SetCheckOffsets(int offsetX, int offsetY);
    void SetSounds(const TGameSoundPtr& click, const TGameSoundPtr& mouseOver);
    // The same by name from the sound folder ("" for none).
    void SetSounds(const std::string& click, const std::string& mouseOver);
};
