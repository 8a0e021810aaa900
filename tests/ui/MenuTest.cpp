// Menus: how buttons are laid out as they are added and rearranged, which
// button reports the pointer and the click, buttons that take no part,
// drawing at the menu's offset, and captions fitted to their picture.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/Audio.h"
#include "engine/Graphics.h"
#include "frame/MousePointer.h"
#include "frame/Screen.h"
#include "media/Fonts.h"
#include "media/GameText.h"
#include "support/FrameFixture.h"
#include "ui/Menu.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kWide = 0xFFC04040u, kSmall = 0xFF40C040u, kTall = 0xFF4040C0u;

void SavePlate(const fs::path& path, uint32_t argb, int w, int h) {
    PixmapPtr pixels = TPixmap::Create(w, h, PixelFormat::RGBA8888);
    pixels->ClearPixels(argb);
    ASSERT_TRUE(SavePixmapPNG(*pixels, path.string(), 1));
}

// The box of every pixel that is not (nearly) black.
using Ink = headless::InkBox;

// Everything brighter than the dark background.
Ink FindInk(const TPixmap& frame) {
    return headless::FindInk(frame, [](uint32_t p) {
        return headless::Red(p) >= 60 || headless::Green(p) >= 60 || headless::Blue(p) >= 60;
    });
}

class MenuTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        UseManualAudioOutput();
        const fs::path menus = home_ / "menus";
        fs::create_directories(menus);
        SavePlate(menus / "wide.png", kWide, 100, 40);
        SavePlate(menus / "wideDown.png", 0xFF602020u, 100, 40);
        SavePlate(menus / "small.png", kSmall, 60, 30);
        SavePlate(menus / "tall.png", kTall, 80, 50);
        Game->SetMenuPath(menus.string());
        savedFont_ = ButtonFont;
        savedText_ = GameText;
        menu_ = TMenu::Create("", "", 0, 100, 10);
    }
    void TearDown() override {
        menu_->Kill();
        ButtonFont = savedFont_;
        GameText = savedText_;
        ShutdownAudio();
        FrameTest::TearDown();
    }
    void PointAt(float x, float y) {
        Game->Mouse->x = static_cast<int>(x);
        Game->Mouse->y = static_cast<int>(y);
    }
    // One step of the menu with a fresh press of the left button, released after.
    void ClickAt(float x, float y, float ox = 0, float oy = 0) {
        PointAt(x, y);
        Game->Mouse->ClearMouseHit();
        Game->Mouse->b1 = 1;
        Game->Mouse->h1 = 1;
        Game->Mouse->CalcButtonTotals();
        menu_->Manage(ox, oy);
        Game->Mouse->b1 = 0;
        Game->Mouse->ClearMouseHit();
        Game->Mouse->CalcButtonTotals();
    }
    PixmapPtr DrawMenu(float ox, float oy, int grey = 0) {
        SetClsColor(grey, grey, grey);
        Cls();
        menu_->Draw(ox, oy);
        return headless::ReadFrame();
    }
    // The box the caption alone covers when drawn.
    static Ink CaptionInk(const TButton& button) {
        SetClsColor(0, 0, 0);
        Cls();
        button.Caption->Draw(0, 0, 1);
        return FindInk(*headless::ReadFrame());
    }
    // The real button font and pictures of the game's data folder.
    void UseGameData(const std::vector<std::string>& textLines) {
        const std::string data = HOLLOWMERE_DATA_DIR;
        ButtonFont = TBitmapFont::Create(data + "/fonts/Button", -1, 1, 0);
        Game->SetMenuPath(data + "/menus");
        GameText = std::make_shared<TGameText>();
        GameText->ReadLines(textLines);
    }
    TMenuPtr menu_;
    TBitmapFontPtr savedFont_;
    TGameTextPtr savedText_;
};

TEST_F(MenuTest, ButtonsStackDownTheScreenAndTheHeightSpansThem) {
    TButtonPtr wide = menu_->AddQuick("wide");
    TButtonPtr small = menu_->AddQuick("small", "Second");
    TButtonPtr tall = menu_->AddQuick("tall");
    EXPECT_EQ(wide->name, "WIDE") << "named after the picture";
    EXPECT_EQ(small->name, "SECOND");
    EXPECT_EQ(menu_->FindButton("second"), small);
    for (const TButtonPtr& button : {wide, small, tall}) {
        EXPECT_NEAR(button->x, ScreenWidth - (button->x + button->w), 1.0f)
            << button->name << " centred across the screen";
    }
    EXPECT_FLOAT_EQ(wide->y, 100.0f) << "the first starts at the menu's top";
    EXPECT_FLOAT_EQ(small->y, wide->y + wide->h + 10) << "one gap below the one before";
    EXPECT_FLOAT_EQ(tall->y, small->y + small->h + 10);
    EXPECT_EQ(menu_->h, static_cast<int>(tall->y + tall->h - wide->y));
    const int added = menu_->h;
    menu_->CalcHeight();
    EXPECT_EQ(menu_->h, added) << "the height kept while adding is the measured one";

    // A pair on a row of its own, the second beside the first.
    TMenuPtr pairs = TMenu::Create("", "", 0, 200, 10);
    pairs->AddPair("small", "tall", 6, "left");
    TButtonPtr first = pairs->FindButton("LEFTSMALL"), second = pairs->FindButton("lefttall");
    ASSERT_TRUE(first && second) << "names take the prefix";
    EXPECT_FLOAT_EQ(second->x, first->x + first->w + 6);
    EXPECT_FLOAT_EQ(second->y, first->y);
    EXPECT_EQ(pairs->h, second->h) << "a pair alone is as high as its taller button";
    TButtonPtr below = pairs->AddQuick("wide");
    EXPECT_FLOAT_EQ(below->y, second->y + second->h + 10) << "the next row clears the taller";
    EXPECT_EQ(pairs->h, static_cast<int>(below->y + below->h - first->y));
    pairs->Kill();
}

TEST_F(MenuTest, RearrangingKeepsTheButtonsTogether) {
    TButtonPtr wide = menu_->AddQuick("wide");
    TButtonPtr small = menu_->AddQuick("small");
    TButtonPtr tall = menu_->AddQuick("tall");

    menu_->MakeRow(20);
    EXPECT_FLOAT_EQ(small->x, wide->x + wide->w + 20);
    EXPECT_FLOAT_EQ(tall->x, small->x + small->w + 20);
    EXPECT_FLOAT_EQ(small->y, wide->y);
    const float rowRight = tall->x + tall->w;
    EXPECT_NEAR(wide->x, ScreenWidth - rowRight, 1.0f) << "the row is centred";
    EXPECT_NEAR(wide->y, ScreenHeight - (wide->y + tall->h), 1.0f) << "on the tallest";

    menu_->MakeColumn(5);
    EXPECT_FLOAT_EQ(small->y, wide->y + wide->h + 5);
    EXPECT_FLOAT_EQ(tall->y, small->y + small->h + 5);
    EXPECT_NEAR(wide->y, ScreenHeight - (tall->y + tall->h), 1.0f) << "the column is centred";
    EXPECT_NEAR(wide->x, ScreenWidth - (wide->x + wide->w), 1.0f) << "on the widest";
    EXPECT_FLOAT_EQ(small->x, wide->x) << "left edges line up";

    // Moving the menu moves every button by as much.
    const float gapY = tall->y - wide->y;
    menu_->SetX(10);
    menu_->SetY(30);
    EXPECT_FLOAT_EQ(wide->x, 10.0f);
    EXPECT_FLOAT_EQ(wide->y, 30.0f);
    EXPECT_FLOAT_EQ(tall->y - wide->y, gapY);

    // Scaling is about the menu's corner and returns to the stored places.
    menu_->StoreOriginalCoords();
    menu_->ScaleMenu(0.5f, 0.5f);
    EXPECT_FLOAT_EQ(wide->y, 30.0f);
    EXPECT_FLOAT_EQ(tall->y - wide->y, gapY / 2);
    EXPECT_FLOAT_EQ(tall->ScaleX, 0.5f);
    menu_->ScaleMenu(1, 1);
    EXPECT_FLOAT_EQ(tall->y - wide->y, gapY);

    // A pair moves as one; an unknown first name moves nothing.
    const float apart = small->x - wide->x;
    menu_->SetPairX("wide", "small", 300);
    EXPECT_FLOAT_EQ(wide->x, 300.0f);
    EXPECT_FLOAT_EQ(small->x - wide->x, apart);
    menu_->SetPairX("nothing", "small", 0);
    EXPECT_FLOAT_EQ(small->x - wide->x, apart);
}

TEST_F(MenuTest, OnlyTheButtonUnderThePointerReportsTheClick) {
    TButtonPtr wide = menu_->AddQuick("wide");
    TButtonPtr small = menu_->AddQuick("small");
    TButtonPtr tall = menu_->AddQuick("tall");
    ClickAt(small->x + 5, small->y + 5);
    EXPECT_EQ(menu_->MouseOver("SMALL"), 1);
    EXPECT_EQ(menu_->MouseOver("small"), 1) << "hovering is reported as often as asked";
    EXPECT_EQ(menu_->Clicked("wide") + menu_->Clicked("tall"), 0);
    EXPECT_EQ(menu_->Clicked("small"), 1);
    EXPECT_EQ(menu_->Clicked("small"), 0) << "a click is read once";

    // The last pixel row and column belong to the button, the next do not.
    ClickAt(small->x + small->w - 1, small->y + small->h - 1);
    EXPECT_EQ(menu_->Clicked("small"), 1);
    ClickAt(small->x + small->w, small->y + 5);
    EXPECT_TRUE(menu_->ClickedName.empty()) << "right of the button";
    ClickAt(small->x + 5, small->y + small->h + 2);
    EXPECT_TRUE(menu_->ClickedName.empty()) << "in the gap above the next";
    EXPECT_TRUE(menu_->MouseOverName.empty());
    ClickAt(5, 5);
    EXPECT_EQ(menu_->Clicked(""), 0) << "no button has an empty name to match";

    // Holding the button down is not another click; pressing again is.
    ClickAt(tall->x + 5, tall->y + 5);
    EXPECT_EQ(menu_->Clicked("tall"), 1);
    Game->Mouse->b1 = 1;
    Game->Mouse->CalcButtonTotals();
    menu_->Manage(0, 0);
    EXPECT_EQ(menu_->Clicked("tall"), 0);
    EXPECT_EQ(menu_->MouseOver("tall"), 1);
    ClickAt(tall->x + 5, tall->y + 5);
    EXPECT_EQ(menu_->Clicked("tall"), 1) << "a button without a pressed picture clicks again";
    ClickAt(wide->x + 5, wide->y + 5);
    EXPECT_EQ(menu_->Clicked("tall"), 0) << "the next click belongs to the next button";
    EXPECT_EQ(menu_->Clicked("wide"), 1);

    // The hit areas follow the offset the menu is managed at.
    ClickAt(wide->x + 5, wide->y + 5, 300, 0);
    EXPECT_EQ(menu_->Clicked("wide"), 0);
    ClickAt(wide->x + 305, wide->y + 5, 300, 0);
    EXPECT_EQ(menu_->Clicked("wide"), 1);
}

TEST_F(MenuTest, ButtonsThatTakeNoPartIgnoreThePointer) {
    TButtonPtr wide = AddMenuButton(*menu_, "wide", "", "", 100, 100);
    TButtonPtr small = menu_->AddQuick("small");
    ClickAt(wide->x + 5, wide->y + 5);
    ASSERT_EQ(menu_->Clicked("wide"), 1);
    ClickAt(wide->x + 5, wide->y + 5);
    EXPECT_EQ(menu_->Clicked("wide"), 0) << "not while the pressed picture shows";
    menu_->ClearStates();
    ClickAt(wide->x + 5, wide->y + 5);
    EXPECT_EQ(menu_->Clicked("wide"), 1) << "cleared, a press counts at once";
    menu_->ClearStates();

    small->Disabled = 1;
    small->ClickDisabled = 0;
    ClickAt(small->x + 5, small->y + 5);
    EXPECT_EQ(menu_->Clicked("small"), 0) << "disabled and not clickable";
    EXPECT_EQ(menu_->MouseOver("small"), 0);
    small->ClickDisabled = 1;
    small->Disabled = 2;
    ClickAt(small->x + 5, small->y + 5);
    EXPECT_EQ(menu_->Clicked("small"), 0) << "only the first disabled kind may click";
    small->Disabled = 0;

    // A hidden button neither clicks nor draws, unless told to draw.
    small->Active = 0;
    ClickAt(small->x + 5, small->y + 5);
    EXPECT_EQ(menu_->Clicked("small"), 0);
    const int sx = static_cast<int>(small->x) + 5, sy = static_cast<int>(small->y) + 5;
    EXPECT_EQ(DrawMenu(0, 0)->ReadPixel(sx, sy), 0xFF000000u);
    small->AlwaysDraw = 1;
    EXPECT_EQ(DrawMenu(0, 0)->ReadPixel(sx, sy), kSmall);
    small->Active = 1;

    // A menu that takes no input, or a screen fading, reports nothing.
    menu_->AcceptInput = 0;
    PointAt(small->x + 5, small->y + 5);
    EXPECT_EQ(menu_->Manage(0, 0), 0);
    ClickAt(small->x + 5, small->y + 5);
    EXPECT_EQ(menu_->Clicked("small"), 0);
    menu_->AcceptInput = 1;
    Game->GameFade->Init(300, 1, nullptr, 0, 0, nullptr);
    ClickAt(small->x + 5, small->y + 5);
    EXPECT_EQ(menu_->Clicked("small"), 0);
    Game->GameFade->Finish();
    Game->GameFade->GetDone();
    ClickAt(small->x + 5, small->y + 5);
    EXPECT_EQ(menu_->Clicked("small"), 1) << "after the fade clicks count again";

    // A removed button is gone from the menu and its place.
    menu_->RemoveButton("nothing");
    EXPECT_EQ(menu_->Count(), 2);
    menu_->RemoveButton("SMALL");
    EXPECT_EQ(menu_->Count(), 1);
    ClickAt(static_cast<float>(sx), static_cast<float>(sy));
    EXPECT_TRUE(menu_->ClickedName.empty());

    // An empty menu manages, draws and answers without a button.
    TMenuPtr empty = TMenu::Create("", "", 0, 0, 0);
    EXPECT_EQ(empty->Manage(0, 0), 1);
    EXPECT_EQ(empty->Clicked("wide"), 0);
    EXPECT_EQ(empty->FindButton(""), nullptr);
    SetClsColor(0, 0, 0);
    Cls();
    empty->Draw(0, 0);
    EXPECT_FALSE(FindInk(*headless::ReadFrame()).Any());
}

TEST_F(MenuTest, DrawingFollowsTheOffsetShadowAndAlpha) {
    TButtonPtr wide = menu_->AddQuick("wide");
    TButtonPtr tall = menu_->AddQuick("tall");
    const int wx = static_cast<int>(wide->x), wy = static_cast<int>(wide->y);
    PixmapPtr frame = DrawMenu(40, 20);
    EXPECT_EQ(frame->ReadPixel(wx + 40, wy + 20), kWide);
    EXPECT_EQ(frame->ReadPixel(wx + 39, wy + 20), 0xFF000000u) << "nothing left of the offset";
    EXPECT_EQ(
        frame->ReadPixel(static_cast<int>(tall->x) + 40 + 79, static_cast<int>(tall->y) + 20 + 49),
        kTall);

    // A shadow set afterwards reaches the buttons already there.
    menu_->ChangeShadow(1, 4, 4, 0.5f);
    frame = DrawMenu(0, 0, 128);
    const uint32_t shade = frame->ReadPixel(wx + wide->w + 2, wy + wide->h + 2);
    EXPECT_NEAR(headless::Red(shade), 64, 3) << "half-dark below and right";
    EXPECT_EQ(frame->ReadPixel(wx + wide->w + 2, wy + 2), 0xFF808080u) << "not beside the top";
    EXPECT_EQ(frame->ReadPixel(wx + 2, wy + 2), kWide);

    menu_->ChangeShadow(0, 4, 4, 0.5f);
    menu_->SetAlpha(0.5f);
    frame = DrawMenu(0, 0);
    const uint32_t faded = frame->ReadPixel(wx + 5, wy + 5);
    EXPECT_NEAR(headless::Red(faded), 0x60, 3);
    EXPECT_NEAR(headless::Green(faded), 0x20, 3);
}

TEST_F(MenuTest, CaptionsFitTheWidthTheirPictureAllows) {
    UseGameData({"[TEXT]", "Long Caption", "A Caption Far Too Long For Any Button Here", "[TEXT]",
                 "Short Caption", "OK"});
    ASSERT_TRUE(ButtonFont && ButtonFont->Image);
    struct Case {
        const char* image;
        int given;
        int width;
    };
    const Case cases[] = {{"ButtonLong", 0, 320},
                          {"In-Game Menu Button1", 0, 220},
                          {"MapScreenButton", 0, 124},
                          {"Map screen YourHouse", 0, 130},
                          {"DecorationMapButton", 0, 150},
                          {"button", 0, 124},
                          {"button", 200, 200},
                          {"ButtonLong", 90, 320},
                          {"DecorationMapButton", 60, 150},
                          {"Menu", 90, 90}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.image) + " given " + std::to_string(c.given));
        TButtonPtr button = AddMenuButton(*menu_, c.image, "", "Long Caption", 100, 300, c.given);
        ASSERT_TRUE(button->image && button->Caption);
        EXPECT_NEAR(button->Caption->CalcWidth(), c.width, 0.5f);
        const Ink ink = CaptionInk(*button);
        ASSERT_TRUE(ink.Any());
        EXPECT_LE(ink.Width(), c.width + 2) << "the drawn caption fits";
        EXPECT_GE(ink.Width(), c.width * 0.85f) << "and uses the room it has";
        EXPECT_NEAR(ink.CentreX(), button->x + button->w / 2.0f, 3.0f) << "centred on the button";
        menu_->RemoveButton(button->name);
    }

    // A caption that fits keeps its size; the long picture lifts it by 10.
    TButtonPtr plain = AddMenuButton(*menu_, "button", "", "Short Caption", 100, 300);
    TButtonPtr wide = AddMenuButton(*menu_, "ButtonLong", "", "Short Caption", 100, 300);
    EXPECT_FLOAT_EQ(plain->Caption->Scale, 1.0f);
    const Ink plainInk = CaptionInk(*plain), wideInk = CaptionInk(*wide);
    EXPECT_EQ(plainInk.Width(), wideInk.Width());
    EXPECT_NEAR((plainInk.top - plain->y - plain->h / 2) - (wideInk.top - wide->y - wide->h / 2),
                10.0f, 0.5f);

    // A larger caption scale is kept while it fits, and a smaller one always.
    TButtonPtr doubled = AddMenuButton(*menu_, "button", "", "Short Caption", 100, 300, 0, 2.0f);
    EXPECT_FLOAT_EQ(doubled->Caption->Scale, 2.0f);
    EXPECT_NEAR(CaptionInk(*doubled).Width(), 2 * plainInk.Width(), 3);
    TButtonPtr halved = AddMenuButton(*menu_, "button", "", "Long Caption", 100, 300, 0, 0.1f);
    EXPECT_FLOAT_EQ(halved->Caption->Scale, 0.1f);

    // A missing text gives an empty caption that draws nothing.
    TButtonPtr blank = AddMenuButton(*menu_, "button", "", "No Such Key", 100, 300);
    EXPECT_TRUE(blank->Caption->Text.empty());
    EXPECT_FALSE(CaptionInk(*blank).Any());
}

}  // namespace
