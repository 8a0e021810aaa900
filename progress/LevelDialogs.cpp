#include "progress/LevelDialogs.h"

#include "engine/Strings.h"
#include "frame/Game.h"
#include "frame/Profile.h"
#include "media/GameImage.h"
#include "media/GameText.h"
#include "ui/DialogBuilders.h"

std::vector<LevelDialogInfoPtr> LevelDialogList;

namespace LevelDialogs {

namespace {

std::string Text(const std::string& key) {
    return key.empty() || !GameText ? std::string() : GameText->FindString(key);
}

constexpr int kStoryLevels[] = {1, 4, 9, 17, 27, 37, 47, 59, 72, 86, 100};

struct FoundItem {
    int level;
    const char* picture;
};

constexpr FoundItem kFoundItems[] = {
    {1, "Found pumpkin"},      {2, "Found candelabra1"},    {6, "Found lantern1"},
    {9, "Found pumpkin2"},     {15, "Found cat1"},          {16, "Found lightning1"},
    {18, "Found well1"},       {27, "Found crystal ball1"}, {37, "Found gravebed"},
    {49, "Found spider web1"}, {59, "Found mist1"},         {74, "Found candelabra2"},
    {82, "Found cauldron"},
};

constexpr int kShopLevels[] = {2,  4,  5,  10, 12, 14, 15, 17, 20, 32,
                               40, 44, 55, 65, 70, 80, 85, 90, 95};

}  // namespace

void AddDialog(const std::string& titleKey, const std::string& textKey, int levelNo, int timing,
               int hintID, const std::string& pictureFile) {
    auto info = std::make_shared<LevelDialogInfo>();
    info->title = Text(titleKey);
    info->text = Text(textKey);
    info->LevelNo = levelNo;
    info->DialogTiming = timing;
    info->HintID = hintID;
    info->PictureFile = pictureFile;
    LevelDialogList.push_back(info);
}

void CreateDialogData() {
    LevelDialogList.clear();
    int n = 1;
    for (int level : kStoryLevels) {
        AddDialog("StoryMessageHeader" + FromInt(n), "StoryMessageText" + FromInt(n), level,
                  LevelDialogInfo::PRE_LEVEL, -1, "story" + FromInt(n));
        ++n;
    }
    n = 1;
    for (const FoundItem& item : kFoundItems) {
        AddDialog("FoundItemMessageHeader" + FromInt(n), "FoundItemMessageText" + FromInt(n),
                  item.level, LevelDialogInfo::POST_LEVEL, n, item.picture);
        ++n;
    }
    int m = 0;
    for (int level : kShopLevels) {
        AddDialog("", "ShopMessage" + FromInt(m), level, LevelDialogInfo::SHOP_SCREEN, m + 20, "");
        ++m;
    }
}

LevelDialogInfoPtr Find(int level, int timing) {
    for (const LevelDialogInfoPtr& info : LevelDialogList) {
        if (info->LevelNo == level && info->DialogTiming == timing) return info;
    }
    return nullptr;
}

namespace {

// The profile's once-only flag of the message: 1 the first time.
int FirstShowing(const LevelDialogInfo& info) {
    if (info.HintID == -1) return 1;
    if (!Game || !Game->CurrentProfile) return 0;
    return Game->CurrentProfile->ShowHint(info.HintID, 1);
}

}  // namespace

int HasDialog(int level, int timing) {
    const LevelDialogInfoPtr info = Find(level, timing);
    return info ? FirstShowing(*info) : 0;
}

TDialogOKPtr GetDialog(int level, int timing, TDialogBuilder builder, int ignoreHint) {
    const LevelDialogInfoPtr info = Find(level, timing);
    if (!info) return nullptr;
    if (!ignoreHint && !FirstShowing(*info)) return nullptr;
    const std::string inSound = timing == LevelDialogInfo::POST_LEVEL ? "" : "confirm";
    return builder(info->title, info->text, info->PictureFile, inSound);
}

TDialogOKPtr GetPreLevelDialog(int level) {
    return GetDialog(level, LevelDialogInfo::PRE_LEVEL, CreateMessageDialog, 0);
}

TDialogOKPtr GetPostLevelDialog(int level) {
    return GetDialog(level, LevelDialogInfo::POST_LEVEL, CreateMessageDialog, 0);
}

TDialogOKPtr GetShopLevelDialog(int level, int ignoreHint) {
    return GetDialog(level, LevelDialogInfo::SHOP_SCREEN, CreateOldLadyOKDialog, ignoreHint);
}

int HasShopLevelDialog(int level) {
    return HasDialog(level, LevelDialogInfo::SHOP_SCREEN);
}

}  // namespace LevelDialogs
