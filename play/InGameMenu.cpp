#include "play/InGameMenu.h"

std::shared_ptr<TInGameMenu> InGameMenu = std::make_shared<TInGameMenu>();
