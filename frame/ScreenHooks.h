// What screens and fades need of sprites, menus and the sound pool. Those
// arrive with the media and interface kits; until then these do nothing
// (a seam, replaced by direct calls when the types exist).
#pragma once

#include <memory>
#include <string>

class TSprite;
class TMenu;
class TGameChannel;

namespace ScreenHooks {
std::shared_ptr<TSprite> MakeHeaderSprite(const std::string& path, int x, int y, int precache);
void DrawSprite(TSprite& sprite);
void MenuResetNoSound(TMenu& menu);
void MenuKill(TMenu& menu);
void MenuManage(TMenu& menu);
void MenuDraw(TMenu& menu);
void StopFadeChannel(const std::shared_ptr<TGameChannel>& channel, int isGameChannelArray);
void SetFadeChannelVolume(TGameChannel& channel, float volume);
}  // namespace ScreenHooks
