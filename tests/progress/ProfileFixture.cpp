#include "progress/ProfileFixture.h"

#include <fstream>
#include <iterator>

#include "board/Powerups.h"
#include "frame/Game.h"
#include "play/Player.h"
#include "progress/ProfileStore.h"
#include "progress/SaveData.h"
#include "progress/ShopScreen.h"

void ProfileTest::SetUp() {
    FrameTest::SetUp();
    Player = std::make_shared<TPlayer>();
    SaveData = std::make_shared<TSaveData>();
    for (const THUDPowerupPtr& powerup : HUDPowerups)
        powerup->CurrentCharge = 0;
    TShopScreen::InitShopItems();
    InstallProfileCreationHook();
    TGameState::SetTimedMode();
}

void ProfileTest::TearDown() {
    TGameState::SetTimedMode();
    FrameTest::TearDown();
}

std::string ProfileTest::FileOf(const std::string& name) const {
    return Game->ProfilePath + name + ".dat";
}

std::vector<uint8_t> ProfileTest::Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ProfileTest::WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

int32_t ProfileTest::IntAt(const std::vector<uint8_t>& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(bytes.at(offset + i)) << (8 * i);
    return static_cast<int32_t>(value);
}

void ProfileTest::PutInt(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.at(offset + i) = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

std::string ProfileTest::SettingsText() const {
    std::ifstream in(Game->SettingsPath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
