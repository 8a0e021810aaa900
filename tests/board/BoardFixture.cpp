#include "board/BoardFixture.h"

#include <algorithm>

#include "board/Powerups.h"
#include "frame/MousePointer.h"
#include "media/Effects.h"
#include "play/GameScreen.h"
#include "play/Player.h"
#include "progress/SaveData.h"

void FreshPlayObjects() {
    GameScreen = MakeScreen<TGameScreen>();
    Player = std::make_shared<TPlayer>();
    SaveData = std::make_shared<TSaveData>();
    GemList = std::make_shared<TGemList>();
    // The powerups are the program's own: nothing charged, nothing running.
    for (const THUDPowerupPtr& powerup : HUDPowerups) {
        powerup->Reset();
        powerup->CurrentCharge = 0;
    }
    ClearParticleLayers();
    for (TGameImagePtr& picture : ScoreImages)
        if (!picture) picture = std::make_shared<TGameImage>();
}

TShownScore LastScorePicture() {
    const TParticlePtr picture = ParticleLayer(6).Last();
    if (!picture) return {};
    const auto found = std::find(ScoreImages.begin(), ScoreImages.end(), picture->image);
    const int index = static_cast<int>(found - ScoreImages.begin());
    const int points = index < 8 ? (index + 1) * 10 : index == 8 ? 100 : index - 8;
    return {points, picture->x, picture->y};
}

void BoardTest::SetUp() {
    FrameTest::SetUp();
    FreshPlayObjects();
    Grid = TGameGrid::Create();
    Grid->Init();
    Game->Mouse->x = Game->Mouse->y = -100;
}

void BoardTest::TearDown() {
    Grid.reset();
    GemList.reset();
    FrameTest::TearDown();
}

void BoardTest::LoadLayout(const std::vector<std::string>& rows, const std::string& extraBlocks) {
    std::string text = "NAME=Test\ntime=60\ngoals=0,0,0,0,0\ncolours=1,2,3,4,5,6\nbombs=\nsize=";
    text += std::to_string(rows[0].size()) + "," + std::to_string(rows.size()) + "\nreserved=0,0\n";
    for (const std::string& row : rows) {
        for (size_t i = 0; i < row.size(); ++i)
            text += std::string(i ? "," : "") + row[i];
        text += "\n";
    }
    text += "locked=\n" + extraBlocks;
    // Like a level start: a new board, holding none of the last one's gems.
    GemList = std::make_shared<TGemList>();
    Grid = TGameGrid::Create();
    Grid->Init();
    Grid->LoadLevelFromText(text);
}

void BoardTest::PlaceGems(const std::vector<std::string>& rows) {
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
            const char c = rows[y][x];
            TCell* cell = CellAt(x, y);
            if (!cell) continue;
            if (cell->Gem) GemList->RemoveGem(cell->Gem);
            if (c == '.') continue;
            TGemPtr gem;
            if (c == 'C') {
                gem = TGem::MakeCoin(x, y, 0);
            } else {
                int type = c >= '1' && c <= '9'   ? c - '0'
                           : c >= 'a' && c <= 'd' ? 10 + (c - 'a')
                                                  : 1;
                if (c == 'S') type = GEM_SKULL;
                if (c == 'B') type = GEM_PUMPKIN_BOMB;
                gem = TGem::Make(x, y, type, 0);
                if (c == 'L') gem->locked = 1;
            }
            GemList->InsertGem(gem);
            cell->Gem = gem;
        }
    }
}

void BoardTest::MouseAt(int column, int row) {
    Game->Mouse->x = CellLeft(column) + HALF_CELL;
    Game->Mouse->y = CellTop(row) + HALF_CELL;
    Grid->mx = column;
    Grid->my = row;
}

void BoardTest::Press() {
    Game->Mouse->b1 = 1;
    Game->Mouse->CalcButtonTotals();
}

void BoardTest::Release() {
    Game->Mouse->b1 = 0;
    Game->Mouse->CalcButtonTotals();
}

void BoardTest::Click(int column, int row) {
    MouseAt(column, row);
    Press();
    Steps(1);
    Release();
    Steps(1);
}

void BoardTest::Steps(int count) {
    for (int i = 0; i < count; ++i) {
        Game->FixedRateLogic->SetDelta(1.0f);
        Grid->Manage();
    }
}

void BoardTest::StepsUntilStill(int limit) {
    for (int i = 0; i < limit; ++i) {
        Steps(1);
        if (!Grid->BlockInput && Grid->SwapCounter <= 0) {
            bool moving = false;
            for (const TGemPtr& gem : *GemList)
                moving = moving || gem->dy != 0 || gem->Exploding();
            if (!moving) return;
        }
    }
}

int BoardTest::TypeAt(int column, int row) const {
    TCell* cell = CellAt(column, row);
    return cell && cell->Gem ? cell->Gem->GemType : 0;
}

std::string BoardTest::Row(int row) const {
    std::string text;
    for (int x = 0; x < Grid->levelwidth; ++x) {
        const int type = TypeAt(x, row);
        text += type == 0   ? '.'
                : type < 10 ? static_cast<char>('0' + type)
                            : static_cast<char>('a' + type - 10);
    }
    return text;
}
