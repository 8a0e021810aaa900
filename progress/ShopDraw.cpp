// The shop's drawing: the scene with its decorations, the strip of items on
// sale, the gold, the controls and dialogs; and the wallpaper sequence,
// which counts drawn frames (its snapshot is of a drawn frame), with the
// hand-over of a wallpaper to the desktop that the level-complete screen
// shares.
#include <algorithm>
#include <cstdio>

#include "engine/Graphics.h"
#include "engine/platform/Wallpaper.h"
#include "frame/Bitmap.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/MousePointer.h"
#include "frame/Timing.h"
#include "media/Effects.h"
#include "media/Fonts.h"
#include "media/GameText.h"
#include "play/Player.h"
#include "play/Tutorial.h"
#include "progress/SaveData.h"
#include "progress/ShopScreen.h"
#include "ui/DialogBuilders.h"

namespace {

constexpr int GOLD_LABEL_RIGHT = 68, GOLD_VALUE_LEFT = 78, GOLD_Y = 16;
constexpr int GOLD_R = 226, GOLD_G = 184, GOLD_B = 99;

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

// Keeps the viewport and puts it back when it leaves scope.
class ViewportGuard {
  public:
    ViewportGuard() { GetViewport(x_, y_, w_, h_); }
    ~ViewportGuard() { SetViewport(x_, y_, w_, h_); }
    ViewportGuard(const ViewportGuard&) = delete;
    ViewportGuard& operator=(const ViewportGuard&) = delete;

  private:
    int x_ = 0, y_ = 0, w_ = 0, h_ = 0;
};

void DrawCentred(const TGameImagePtr& picture, const TPoint& at) {
    if (picture && picture->image)
        DrawImage(*picture->image, static_cast<float>(at.X), static_cast<float>(at.Y));
}

}  // namespace

void TShopScreen::Draw() {
    const bool snapshot = WallpaperFrame();
    DrawScene();
    if (snapshot) TakeWallpaper();
    if (wallpaperStage != 0) return;
    // The purchase sparkles burst into layer 3, over the scene.
    ParticleLayer(3).Draw();
    DrawControls();
    DrawDialogs();
}

// ---------------------------------------------------------------- the scene

void TShopScreen::DrawScene() {
    if (Image) {
        const DrawStateGuard restore;
        SetBlend(SOLIDBLEND);
        DrawImage(*Image, 0, 0, 0);
    }
    SetBlend(ALPHABLEND);
    DrawItems();
    ParticleLayer(2).Draw();
}

void TShopScreen::DrawItems() {
    for (const int id : ShopDrawOrder) {
        const ShopItemPtr& item = ShopItems[id];
        if (!item || !item->Image || !item->Image->image || !item->Coords) continue;
        // Scenery is drawn whatever its borrowed status says.
        const bool shown = item->Cost == -1 || (SaveData && SaveData->Owns(item->PurchaseID));
        if (!shown || (SaveData && SaveData->IsReplaced(item))) continue;
        DrawImage(*item->Image->image, static_cast<float>(item->Coords->X),
                  static_cast<float>(item->Coords->Y), 0);
    }
}

// ---------------------------------------------------------------- the controls

void TShopScreen::DrawControls() {
    // The question about the wallpaper shows the scene as it will be.
    if (WallpaperYesNo) return;
    if (EyeMode) {
        EyeMenu->Draw(0, 0);
        return;
    }
    DrawScrollBar();
    Menu->Draw(0, 0);
    if (ITEM_COUNT > ITEMS_SHOWN) ScrollMenu->Draw(0, 0);
    DrawGold();
    Tutorial->Draw();
}

void TShopScreen::DrawScrollBar() {
    const ViewportGuard keepViewport;
    const DrawStateGuard restore;
    const TRect strip = GetItemRect();
    SetViewport(strip.x + static_cast<int>(Game->vxOff), strip.y + static_cast<int>(Game->vyOff),
                strip.w, strip.h);
    SetBlend(ALPHABLEND);
    for (int i = 0; i < ITEM_COUNT; ++i) {
        const ShopItem& item = *CurrentItems[i];
        const TPoint at = GetImagePos(i);
        if (i == currentIDX) {
            DrawCentred(item.SaleDownImage, at);
            continue;
        }
        DrawCentred(item.SaleImage, at);
        if (item.GlowValue <= 0) continue;
        // The lit plate fades in over the plain one while the mouse is on it.
        SetAlpha(std::clamp(item.GlowValue, 0.0f, 1.0f));
        DrawCentred(item.SaleOverImage, at);
        SetAlpha(1);
        const int glow = std::clamp(static_cast<int>(item.GlowValue * 255), 0, 255);
        SetBlend(LIGHTBLEND);
        SetColor(glow, glow, glow);
        DrawCentred(item.HUDGlow, at);
        SetBlend(ALPHABLEND);
        SetColor(255, 255, 255);
    }
}

void TShopScreen::DrawGold() {
    const DrawStateGuard restore;
    SetBlend(ALPHABLEND);
    if (GoldPanelImage && GoldPanelImage->image) DrawImage(*GoldPanelImage->image, 0, 0);
    if (!GUIFontSmall) return;
    SetColor(GOLD_R, GOLD_G, GOLD_B);
    GUIFontSmall->DrawAligned(Text("Gold"), GOLD_LABEL_RIGHT, GOLD_Y, 2, 1, 1);
    SetColor(255, 255, 255);
    Player->DrawBankedCoins(GOLD_VALUE_LEFT, GOLD_Y);
}

void TShopScreen::DrawDialogs() {
    if (PurchaseDialog) PurchaseDialog->Draw();
    if (WallpaperYesNo) WallpaperYesNo->Draw();
    if (MessageDialog) MessageDialog->Draw();
}

// ---------------------------------------------------------------- the wallpaper

std::string TShopScreen::WallpaperPath() {
    return Game->ProfilePath + "Hollowmere.bmp";
}

PixmapPtr TShopScreen::ccGetScreenShot() {
    return GrabPixmap(0, 0, ScreenWidth, ScreenHeight);
}

bool TShopScreen::WallpaperFrame() {
    if (wallpaperStage == 0) return false;
    if (wallpaperStage < WALLPAPER_SNAPSHOT_STAGE) {
        // Frames of the bare scene: no controls, no dialogs, no pointer.
        Game->Mouse->Off();
        ++wallpaperStage;
        return false;
    }
    return true;
}

void TShopScreen::TakeWallpaper() {
    // The frame holds the bare scene just drawn; what a renderer keeps of
    // the frame before after showing it is not to be relied on.
    SaveWallpaper(ccGetScreenShot());
    // The time spent writing and asking the desktop does not count.
    Game->FixedRateLogic->Init();
    Game->Mouse->On();
    wallpaperStage = 0;
}

void TShopScreen::SaveWallpaper(const PixmapPtr& picture) {
    const std::string path = WallpaperPath();
    MessageDialog = HandWallpaperToDesktop(path, picture && WriteBitmap24(*picture, path));
}

TDialogOKPtr HandWallpaperToDesktop(const std::string& path, bool written) {
    WallpaperResult desktop;
    if (written) {
        desktop = SetDesktopWallpaper(path);
    } else {
        desktop.status = WallpaperResult::REFUSED;
        desktop.message = "the picture could not be written to " + path;
    }
    if (Game->Debug) std::printf("Wallpaper: %s\n", desktop.message.c_str());
    // Success only when the whole picture is on disk and the desktop took it.
    if (written && desktop.Set())
        return CreateMessageDialog(Text("Wallpaper Done Header"), Text("Wallpaper Done"));
    return CreateErrorDialog(Text("Wallpaper Failed"));
}
