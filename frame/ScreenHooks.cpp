// Seam: menus do not exist yet.
#include "frame/ScreenHooks.h"

namespace ScreenHooks {
void MenuResetNoSound(TMenu&) {}
void MenuKill(TMenu&) {}
void MenuManage(TMenu&) {}
void MenuDraw(TMenu&) {}
}  // namespace ScreenHooks
