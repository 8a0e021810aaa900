// What screens need of menus. Menus arrive with the interface kit; until
// then these do nothing (a seam, replaced by direct calls then).
#pragma once

#include <memory>
#include <string>

class TMenu;

namespace ScreenHooks {
void MenuResetNoSound(TMenu& menu);
void MenuKill(TMenu& menu);
void MenuManage(TMenu& menu);
void MenuDraw(TMenu& menu);
}  // namespace ScreenHooks
