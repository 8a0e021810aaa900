// The game's messages tied to levels: story chapters before levels, found
// decorations after them, and the old lady's shop news. For now the table
// and its pictures (the dialogs that show them come with the dialog kit).
#pragma once

#include <memory>
#include <string>
#include <vector>

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
// Loads every entry's picture into the image bank ("DialogImages/" + name).
void LoadDialogImages();
// Adds the 43 entries, then loads their pictures.
void CreateDialogData();
// The first entry for this level and timing, or null.
LevelDialogInfoPtr Find(int level, int timing);
}  // namespace LevelDialogs
