#include "progress/ShopItems.h"

#include "frame/Game.h"
#include "media/GameText.h"
#include "progress/ShopScreen.h"

std::array<ShopItemPtr, SHOP_TABLE_SIZE> ShopItems;
std::vector<int> ShopDrawOrder;
TGameImagePtr GoldPanelImage;

ShopItemPtr ShopItem::Create(int cost, int level, TPoint coords, const std::string& saleImageFile,
                             const std::string& imageFile, int replaceBy, int requiredItem,
                             int purchaseID, const std::string& name,
                             const std::string& description) {
    auto item = std::make_shared<ShopItem>();
    item->Cost = cost;
    item->LevelAvailable = level;
    item->Coords = std::make_shared<TPoint>(coords);
    item->SaleImageFile = saleImageFile;
    item->ImageFile = imageFile;
    item->ReplaceBy = replaceBy;
    item->Requires = requiredItem;
    item->PurchaseID = purchaseID;
    item->Name = name;
    item->Description = description;
    return item;
}

void ShopItem::SetCentreOffset(int x, int y) {
    centreOffsetX = x;
    centreOffsetY = y;
}

namespace {

struct ItemRow {
    int id;
    const char* key;
    const char* decoration;
    const char* list;
    int cost, level;
    TPoint position;
    int requiredItem, replacedBy;
    int offsetX, offsetY;
};

// The table as the shop sells it; -1 means none.
constexpr ItemRow kItems[] = {
    {1, "Pumpkin1", "pumpkin1", "button_pumpkin1", 0, 2, {348, 431}, -1, -1, 28, 12},
    {2, "Pumpkin2", "pumpkin2", "button_pumpkin2", 0, 10, {548, 495}, 1, -1, -41, 21},
    {3, "Lantern1", "lantern1", "button_lantern1", 0, 7, {68, 539}, -1, -1, 27, -14},
    {4, "Lantern2", "lantern2", "button_lantern2", 900, 55, {832, 517}, 3, -1, -22, -18},
    {5, "Candelabra1", "candelabra1", "button_candelabra1", 0, 3, {309, 289}, -1, -1, -2, -26},
    {6, "Candelabra2", "candelabra2", "button_candelabra2", 0, 75, {626, 288}, 5, -1, -6, -26},
    {7, "Torch1", "torch1", "button_torch1", 250, 12, {609, 519}, -1, -1, 22, -21},
    {8, "Torch2", "torch2", "button_torch2", 500, 17, {362, 514}, 7, -1, -18, -18},
    {9, "Cat1", "cat1", "button_cat1", 0, 16, {539, 406}, -1, -1, 0, 0},
    {10, "Cat2", "cat2", "button_cat2", 500, 85, {583, 39}, 9, -1, 0, 0},
    {11, "Mist1", "mist1", "button_mist1", 0, 60, {0, 386}, -1, -1, 0, 0},
    {12, "Mist2", "mist2", "button_mist2", 200, 85, {0, 386}, 11, -1, 0, 0},
    {13,
     "PumpkinLights1",
     "pumpkinlights1",
     "button_pumpkinlights1",
     400,
     20,
     {396, 233},
     -1,
     -1,
     0,
     0},
    {14,
     "PumpkinLights2",
     "pumpkinlights2",
     "button_pumpkinlights2",
     1300,
     70,
     {235, 158},
     13,
     -1,
     0,
     8},
    {15, "Gravebed", "gravebed", "button_gravebed", 0, 38, {665, 552}, -1, -1, 5, -13},
    {16, "Brackenfold", "brackenfold", "button_brackenfold", 2000, 95, {290, 120}, -1, -1, 3, 0},
    {17, "Cauldron", "cauldron", "button_cauldron", 0, 83, {712, 162}, -1, -1, -2, 130},
    {18,
     "CrossGravestone1",
     "cross gravestone1",
     "button_cross gravestone1",
     60,
     5,
     {305, 424},
     -1,
     19,
     -3,
     -30},
    {19,
     "CrossGravestone2",
     "cross gravestone2",
     "button_cross gravestone2",
     300,
     14,
     {285, 396},
     18,
     -1,
     -6,
     -11},
    {20, "Well1", "well1", "button_well1", 0, 19, {16, 341}, -1, 21, 13, 0},
    {21, "Well2", "well2", "button_well2", 700, 32, {16, 341}, 20, -1, 13, 0},
    {22, "Web1", "web1", "button_web1", 0, 50, {412, 254}, -1, 23, -9, -14},
    {23, "Web2", "web2", "button_web2", 100, 80, {412, 254}, 22, -1, -5, -9},
    {24, "Coffin1", "coffin1", "button_coffin1", 30, 4, {229, 565}, -1, 25, -47, 0},
    {25, "Coffin2", "coffin2", "button_coffin2", 200, 15, {229, 565}, 24, 26, -47, 0},
    {26, "Coffin3", "coffin3", "button_coffin3", 700, 70, {195, 539}, 25, -1, -29, 20},
    {27, "Broomstick1", "broomstick1", "button_broomstick1", 200, 14, {417, 202}, -1, 28, 0, 0},
    {28, "Broomstick2", "broomstick2", "button_broomstick2", 700, 44, {417, 200}, 27, 29, 0, 0},
    {29, "Broomstick3", "broomstick3", "button_broomstick3", 800, 70, {378, 195}, 28, -1, 0, 0},
    {30,
     "CurvedGravestone1",
     "curved gravestone1",
     "button_curved gravestone1",
     100,
     10,
     {711, 459},
     -1,
     31,
     0,
     0},
    {31,
     "CurvedGravestone2",
     "curved gravestone2",
     "button_curved gravestone2",
     1000,
     32,
     {711, 459},
     30,
     32,
     0,
     0},
    {32,
     "CurvedGravestone3",
     "curved gravestone3",
     "button_curved gravestone3",
     500,
     80,
     {704, 453},
     31,
     -1,
     0,
     0},
    {33, "Tree1", "lightningtree1", "button_tree1", 0, 17, {39, 0}, -1, 34, 11, 0},
    {34, "Tree2", "lightningtree2", "button_tree2", 600, 40, {39, 0}, 33, 35, 11, 189},
    {35, "Tree3", "lightningtree3", "button_tree3", 1400, 65, {39, 0}, 34, -1, 11, 101},
    {36, "Cage1", "cage1", "button_cage1", 0, 28, {798, 0}, -1, 37, 0, 0},
    {37, "Cage2", "cage2", "button_cage2", 1500, 65, {798, 0}, 36, 38, 0, 0},
    {38, "Cage3", "cage3", "button_cage3", 500, 90, {754, 0}, 37, -1, 0, 0},
};

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

// The names and descriptions in the game text as it is now.
void NameItems() {
    for (const ItemRow& row : kItems) {
        ShopItems[row.id]->Name = Text(std::string("ShopItemName ") + row.key);
        ShopItems[row.id]->Description = Text(std::string("ShopItemDesc ") + row.key);
    }
}

}  // namespace

void TShopScreen::InitShopItems() {
    if (ShopItems[1]) return;
    for (const ItemRow& row : kItems) {
        ShopItems[row.id] = ShopItem::Create(row.cost, row.level, row.position, row.list,
                                             row.decoration, row.replacedBy, row.requiredItem,
                                             row.id, Text(std::string("ShopItemName ") + row.key),
                                             Text(std::string("ShopItemDesc ") + row.key));
        ShopItems[row.id]->SetCentreOffset(row.offsetX, row.offsetY);
    }
    // Scenery, always drawn; it borrows the last cage's list picture.
    ShopItems[39] =
        ShopItem::Create(-1, -1, {0, 0}, "button_cage3", "foreground", -1, -1, 38, "", "");
    ShopItems[40] =
        ShopItem::Create(-1, -1, {632, 0}, "button_cage3", "midrighttree", -1, -1, 38, "", "");
    ShopDrawOrder = {5,  6,  1,  2,  20, 21, 9,  10, 11, 12, 16, 22, 23, 13,
                     14, 40, 17, 33, 34, 35, 24, 25, 26, 30, 31, 32, 18, 19,
                     15, 27, 28, 29, 39, 7,  8,  3,  4,  36, 37, 38};
}

void TShopScreen::LoadData(TImageBank& bank) {
    InitShopItems();
    // The table may have been built before this game text was read.
    NameItems();
    for (int id = 1; id < SHOP_TABLE_SIZE; ++id)
        ShopItems[id]->HUDGlow = bank.Find("Powerup Slot Mouse Over");
    GoldPanelImage = bank.Load("ShopScreen/GoldPanel.png", "GoldPanel", -1, 0);
}

void TShopScreen::LoadPictures() {
    const std::string folder = ImageBank.Path + "ShopScreen/";
    for (int id = 1; id < SHOP_TABLE_SIZE; ++id) {
        ShopItem& item = *ShopItems[id];
        item.Image = TGameImage::Create(folder + "items/" + item.ImageFile + ".png", -1, 1);
        item.Image->MidHandle(0);
        const std::string sale = folder + "saleImages/" + item.SaleImageFile;
        item.SaleImage = TGameImage::Create(sale + ".png", -1, 1);
        item.SaleDownImage = TGameImage::Create(sale + " down.png", -1, 1);
        item.SaleOverImage = TGameImage::Create(sale + " MO.png", -1, 1);
    }
}

void TShopScreen::ReleasePictures() {
    for (int id = 1; id < SHOP_TABLE_SIZE; ++id) {
        if (!ShopItems[id]) continue;
        ShopItem& item = *ShopItems[id];
        item.Image.reset();
        item.SaleImage.reset();
        item.SaleDownImage.reset();
        item.SaleOverImage.reset();
    }
}
