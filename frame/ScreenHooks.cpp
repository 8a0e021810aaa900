// Seam: sprites, menus and the game channel pool do not exist yet.
#include "frame/ScreenHooks.h"

namespace ScreenHooks {
std::shared_ptr<TSprite> MakeHeaderSprite(const std::string&, int, int, int) {
    return nullptr;
}
void DrawSprite(TSprite&) {}
void MenuResetNoSound(TMenu&) {}
void MenuKill(TMenu&) {}
void MenuManage(TMenu&) {}
void MenuDraw(TMenu&) {}
void StopFadeChannel(const std::shared_ptr<TGameChannel>&, int) {}
void SetFadeChannelVolume(TGameChannel&, float) {}
}  // namespace ScreenHooks
