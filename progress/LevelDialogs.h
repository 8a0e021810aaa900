// The game's messages tied to levels: story chapters before levels, found
// decorations after them, and the old lady's shop news. The table and its
// pictures, and each message as a dialog for the screen that shows it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/DialogKinds.h"

class LevelDialogInfo;
using LevelDialogInfoPtr = std::shared_ptr<LevelDialogInfo>;

class LevelDialogInfo {
  public:
    static constexpr int PRE_LEVEL = 0;
    static constexpr int POST_LEVEL = 1;
    static constexpr int SHOP_SCREEN = 2;

    std::string title;
    std::string text;
    int LevelNo = 0;
    int DialogTiming = 0;
    int HintID = 0;  // -1: shown every time
    std::string PictureFile;
    std::string SoundName;
};

extern std::vector<LevelDialogInfoPtr> LevelDialogList;

namespace LevelDialogs {
void AddDialog(const std::string& titleKey, const std::string& textKey, int levelNo, int timing,
               int hintID, const std::string& pictureFile);
// Adds the 43 entries; a message loads its picture when it is shown.
void CreateDialogData();
// The first entry for this level and timing, or null.
LevelDialogInfoPtr Find(int level, int timing);
// Whether the level has a message of this timing to show: 1 for one shown
// every time; for a once-only one 1 the first time it is asked (its flag in
// the current profile is then set and the profile saved), else 0. 0 without
// an entry or without a current profile.
int HasDialog(int level, int timing);
// The message as a started dialog, or null: none for the level, or a
// once-only one already shown (unless ignoreHint, which neither tests nor
// sets the flag).
using TDialogBuilder = TDialogOKPtr (*)(const std::string& title, const std::string& body,
                                        const std::string& picture, const std::string& inSound);
TDialogOKPtr GetDialog(int level, int timing, TDialogBuilder builder, int ignoreHint);
// The story chapter before the level, every time it starts.
TDialogOKPtr GetPreLevelDialog(int level);
// The found-item message after winning the level, once per player.
TDialogOKPtr GetPostLevelDialog(int level);
// The old lady's news in the shop for the level just opened.
TDialogOKPtr GetShopLevelDialog(int level, int ignoreHint);
// Asked when a won level is left: 1 (once per profile) when the shop has
// news for the level just opened.
int HasShopLevelDialog(int level);
}  // namespace LevelDialogs
