#include "media/Fonts.h"

TBitmapFontPtr BigTextFont;
TBitmapFontPtr ButtonFont;
TBitmapFontPtr LargeWhiteFont;
TBitmapFontPtr GUIFont;
TBitmapFontPtr GUIFontSmall;
TBitmapFontPtr DialogHeaderFont;
TBitmapFontPtr EmbossedFont;
TBitmapFontPtr DialogTextFont;
