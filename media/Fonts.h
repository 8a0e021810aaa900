// The game's bitmap fonts, loaded once at start-up and used by every screen.
#pragma once

#include "media/BitmapFont.h"

extern TBitmapFontPtr BigTextFont;     // "No More Moves", "Time Up"
extern TBitmapFontPtr ButtonFont;      // button captions, tip headers
extern TBitmapFontPtr LargeWhiteFont;  // loaded, not drawn
extern TBitmapFontPtr GUIFont;         // dialog text, tallies, instructions, credits
extern TBitmapFontPtr GUIFontSmall;    // HUD and tip texts
extern TBitmapFontPtr DialogHeaderFont;
extern TBitmapFontPtr EmbossedFont;
// The font of dialog texts: the same object as GUIFont.
extern TBitmapFontPtr DialogTextFont;
