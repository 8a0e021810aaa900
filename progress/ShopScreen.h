// Granny Wick's shop: the haunted house scene with every decoration bought,
// the strip of items on sale below it (three visible, gliding between them),
// the purchase dialog, the eye mode that hides the controls, and the
// wallpaper of the scene.
//
// Threading: the game's one thread. Outputs: purchases through the progress
// record, saved in the player's profile at once; the sound and sparkle of a
// purchase; "Hollowmere.bmp" in the profile folder and the desktop's
// wallpaper. Failure: missing pictures are fatal at loading; a wallpaper that
// cannot be written or set is reported to the player with the error dialog
// (the game goes on).
//
// Life: Load -> Start (fade-in, perhaps the old lady's news) -> browsing, with
// at most one dialog open at a time -> Close (a must-buy notice keeps the
// player here; else the profile is saved and the screen fades out) ->
// PostFadeOut -> Kill.
#pragma once

#include <memory>
#include <vector>

#include "engine/Pixmap.h"
#include "frame/Screen.h"
#include "media/GameImage.h"
#include "media/Point.h"
#include "progress/PurchaseDialog.h"
#include "progress/ShopItems.h"
#include "ui/DialogKinds.h"
#include "ui/Menu.h"

// A rectangle of the virtual screen.
struct TRect {
    int x = 0, y = 0, w = 0, h = 0;
};

class TShopScreen : public TScreen {
  public:
    static constexpr float SPEED_MULT = 4.0f;
    static constexpr int ITEM_SPREAD = 120;
    static constexpr int ITEMS_SHOWN = 3;
    // The strip: the first visible item's centre x, the row of the centres,
    // and half an item (a click within it on both axes hits the item).
    static constexpr int FIRST_ITEM_X = 392;
    static constexpr int ITEM_Y = 712;
    static constexpr int ITEM_HALF = ITEM_SPREAD / 2;
    // The wallpaper sequence: frames drawn without controls before the snapshot.
    static constexpr int WALLPAPER_SNAPSHOT_STAGE = 10;

    TShopScreen();

    // ---- fields, in declaration order ----
    int ITEM_COUNT = 8;
    std::vector<ShopItemPtr> CurrentItems;
    float ScrollOffset = 0;
    int CurrentItem = 0;
    int EyeMode = 0;
    TMenuPtr EyeMenu;
    int currentIDX = -1;
    // The keyboard's focus on the items (-1: on the buttons below): Up goes
    // to the items, Left and Right walk them (the strip scrolls along),
    // Enter opens the purchase, Down goes back to the buttons.
    int KeyItem = -1;
    TMenuPtr ScrollMenu;
    int wallpaperStage = 0;
    TDialogYesNoPtr WallpaperYesNo;
    TPurchaseDialogPtr PurchaseDialog;
    TDialogOKPtr MessageDialog;

    // ---- operations, in slot order ----
    // Builds ShopItems and ShopDrawOrder once; names and descriptions come
    // from the game text.
    static void InitShopItems();
    // Builds the table and loads the gold panel, which the map shows too.
    static void LoadData(TImageBank& bank);
    // Every item's decoration and list pictures: loaded when the shop
    // starts, let go when it ends, since nothing else shows them.
    static void LoadPictures();
    static void ReleasePictures();
    // Leaving (the map button, Escape, Enter): a must-buy notice, or the
    // profile is saved and the screen fades out.
    virtual void Close();
    // The centre of list item i.
    virtual TPoint GetImagePos(int index);
    // The visible strip of the list.
    virtual TRect GetItemRect();
    virtual void DrawItems();
    virtual void DrawScrollBar();
    // The whole virtual screen as drawn so far in this frame.
    static PixmapPtr ccGetScreenShot();
    virtual void StartWallpaper();
    // Glows under the pointer; the list index clicked this step, or -1.
    virtual int CheckItemButtons();
    // The keys on the items; 1 when they opened a purchase.
    int ManageItemKeys();
    virtual void BeginPurchase(int index);
    // 1 while a dialog is open.
    virtual int ManagePurchaseDialog();
    virtual int ManageWallpaperDialog();
    virtual int ManageMessageDialog();
    // The items on sale, the first visible one kept in range.
    virtual void InitScrollBar();

    void Load() override;
    void Start() override;
    void PostFadeOut() override;
    void Kill() override;
    void Logic() override;
    void Draw() override;
    int SetEscDestination() override;

    // ---- the screen's own helpers ----
    // The wallpaper picture's file: the profile folder + "Hollowmere.bmp".
    static std::string WallpaperPath();
    // The scene alone: the background, the decorations bought and the
    // scenery, and particle layer 2.
    void DrawScene();
    // Writes the picture as the wallpaper file and hands it to the desktop;
    // the player hears how it went.
    void SaveWallpaper(const PixmapPtr& picture);

  private:
    // The one shape of the three Manage*Dialog: one step of the dialog;
    // once its closing ends, `answered` reads it, then it is killed and
    // dropped and the menu settled. 1 while it is open.
    template <typename Dialog, typename Answered>
    int ManageHeld(std::shared_ptr<Dialog>& dialog, Answered&& answered);
    // After a dialog closes: the menu forgets the clicks of its time.
    void SettleMenu();
    // The step's input in each mode; 1 when the step ends there.
    int EyeModeInput();
    void LeaveEyeMode();
    void BrowsingInput();
    void ScrollRight();
    // After "Buy": everything a purchase brings, when the store sold it.
    void CompletePurchase(ShopItem& item);
    // The powerups of the bought item, full (a new level is ready to use).
    void ChargeLinkedPowerups(int itemId);
    // The must-buy item (first pumpkin, first coffin) that keeps the player
    // here now, or 0.
    int MustBuyBeforeLeaving();
    // Counts the frames of the wallpaper sequence; true at the snapshot
    // frame, which draws the bare scene and then takes it (TakeWallpaper).
    bool WallpaperFrame();
    void TakeWallpaper();
    void DrawControls();
    void DrawGold();
    void DrawDialogs();
};

extern std::shared_ptr<TShopScreen> ShopScreen;

// The screen came here from the level map.
bool CameFromMap();

// A wallpaper picture at path (written whole when `written`) handed to the
// desktop; the dialog that tells the player: done only when the picture
// was written and the desktop took it, else the error.
TDialogOKPtr HandWallpaperToDesktop(const std::string& path, bool written);
