// The text input through the real input path: characters composed by the
// system (dead keys, input methods), the length and pixel-width limits,
// Backspace, banned characters, Enter and Escape, and its drawing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/Strings.h"
#include "frame/ProfileName.h"
#include "media/Fonts.h"
#include "support/ControlFixture.h"
#include "ui/TextInput.h"

namespace {

const std::string kEAcute = "\xC3\xA9", kUUmlaut = "\xC3\xBC", kNTilde = "\xC3\xB1";

class TextInputTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        UseGameData();
        input_ = std::make_shared<TTextInput>();
        input_->Init(nullptr, "", 300, 300, GUIFont);
        input_->TypingSound = TGameSound::Create(Game->SoundPath + "GUI/Typing.wav");
        logic = [this] {
            if (const int result = input_->Manage()) results_.push_back(result);
        };
        draw = [this] { input_->Draw(); };
    }
    void TearDown() override {
        input_.reset();
        ControlTest::TearDown();
    }
    TTextInputPtr input_;
    std::vector<int> results_;
};

TEST_F(TextInputTest, TypedTextComesFromTheSystemsComposedCharacters) {
    EXPECT_EQ(Game->BlockKeys, 1) << "the framework's keys rest while typing";
    input_->AllowExtendedChars = 1;
    input_->MaxLength = 100;
    Type("Ren");
    // A dead acute, then E: the key reports E, the system's text is e acute.
    InjectKeyEvent("E", true);
    InjectTextEvent(kEAcute);
    InjectKeyEvent("E", false);
    Steps(1);
    EXPECT_EQ(input_->Text, "Ren" + kEAcute);
    EXPECT_EQ(input_->CurrentChar, 5) << "counted in characters, not bytes";
    Type(kUUmlaut + kNTilde);
    EXPECT_EQ(input_->Text, "Ren" + kEAcute + kUUmlaut + kNTilde);
    EXPECT_EQ(SoundsPlaying(), 6) << "one typing sound a character";
    PressKey("A");
    EXPECT_EQ(input_->Text, "Ren" + kEAcute + kUUmlaut + kNTilde) << "keys alone type nothing";

    // Without the extended range only ASCII gets in; the European range
    // reaches up to 175.
    input_->Text.clear();
    input_->AllowExtendedChars = 0;
    Type("a" + kEAcute + "\xC2\xAA");  // a, e acute, feminine ordinal (170)
    EXPECT_EQ(input_->Text, "a");
    input_->AllowEuropeanChars = 1;
    Type("a" + kEAcute + "\xC2\xAA");
    EXPECT_EQ(input_->Text, "aa\xC2\xAA");

    input_->Text.clear();
    input_->AllowExtendedChars = 1;
    input_->UppercaseFirstCharAsTyped = 1;
    Type(kEAcute + "lodie");
    EXPECT_EQ(input_->Text, "\xC3\x89lodie") << "the first letter in upper case, accent kept";
}

TEST_F(TextInputTest, LengthAndPixelWidthLimitWhatIsAdded) {
    Type("abcdefghijk");
    EXPECT_EQ(input_->Text, "abcdefghij") << "MaxLength 10 takes ten, the eleventh is ignored";

    // A pixel limit that three W fill: the fourth does not get in, while
    // narrow letters keep coming to the same width.
    input_->Text.clear();
    input_->MaxLength = 100;
    input_->MaxPixelWidth = TruncToInt(GUIFont->StringWidth("WWW")) + 1;
    Type("WWWWWW");
    EXPECT_EQ(input_->Text, "WWW");
    input_->Text.clear();
    Type(std::string(40, 'i'));
    EXPECT_GT(input_->Text.size(), 6u);
    EXPECT_LT(input_->Text.size(), 40u);
    EXPECT_LE(input_->GetWidth(""), input_->MaxPixelWidth);
    EXPECT_GT(input_->GetWidth("i"), input_->MaxPixelWidth) << "full to the last pixel";
}

TEST_F(TextInputTest, BackspaceTakesWholeCharactersAndBannedOnesNeverArrive) {
    PressKey("Backspace");
    EXPECT_EQ(input_->Text, "");
    EXPECT_EQ(SoundsPlaying(), 0) << "nothing to take, no sound";

    input_->AllowExtendedChars = 1;
    Type("Zo\xC3\xAB");
    PressKey("Backspace");
    EXPECT_EQ(input_->Text, "Zo") << "the two bytes of e diaeresis go together";
    // Held, the system repeats the key and each repeat takes one more.
    InjectKeyEvent("Backspace", true);
    InjectKeyEvent("Backspace", true, true);
    InjectKeyEvent("Backspace", true, true);
    Steps(3);
    InjectKeyEvent("Backspace", false);
    Steps(1);
    EXPECT_EQ(input_->Text, "");
    EXPECT_EQ(input_->CurrentChar, 1);

    input_->MakeCharsFileNameSafe();
    EXPECT_EQ(input_->BannedChars, "\"|*\\/:;~?<>,+=%");
    input_->BannedChars += std::string(kNameEntryBannedChars);
    input_->MaxLength = 100;
    Type("a/b:c_d\xC2\xA3\x65\\f\xE2\x82\xAC!");  // slash, colon, _, pound, backslash, euro
    EXPECT_EQ(input_->Text, "abcdef!");
}

TEST_F(TextInputTest, EnterAcceptsOnceAndEscapeAborts) {
    input_->AllowNull = 0;
    Type("   ");
    PressKey("Return");
    EXPECT_TRUE(results_.empty()) << "blanks are no text";
    EXPECT_EQ(input_->Active, 1) << "typing goes on";
    Type("Bo");
    PressKey("Return");
    EXPECT_EQ(results_, std::vector<int>{1});
    EXPECT_EQ(input_->Text, "   Bo");
    EXPECT_EQ(input_->Done, 1);
    EXPECT_EQ(Game->BlockKeys, 0) << "the framework's keys are back";
    PressKey("Return");
    Type("x");
    EXPECT_EQ(results_, std::vector<int>{1}) << "finished, it takes nothing more";
    EXPECT_EQ(input_->Text, "   Bo");

    input_->Reset();
    input_->AllowNull = 1;
    input_->Text.clear();
    PressKey("Return");
    EXPECT_EQ(results_, (std::vector<int>{1, 1})) << "an empty text is allowed by default";

    input_->Reset();
    input_->AllowEscToAbort = 0;
    PressKey("Escape");
    EXPECT_EQ(input_->Active, 1);
    input_->AllowEscToAbort = 1;
    input_->ClearTextOnEscape = 1;
    Type("Al");
    PressKey("Escape");
    EXPECT_EQ(results_, (std::vector<int>{1, 1, -1}));
    EXPECT_EQ(input_->Text, "");
    EXPECT_EQ(Game->BlockKeys, 0);

    // Only digits in a number field, and Escape still leaves it.
    input_->Reset();
    input_->NumbersOnly = 1;
    Type("a1b2");
    EXPECT_EQ(input_->Text, "12");
    PressKey("Escape");
    EXPECT_EQ(results_.back(), -1);
}

TEST_F(TextInputTest, TheCursorFlashesAfterTheTextAndDotsFillTheRest) {
    auto isCursor = [](uint32_t p) {
        return headless::Red(p) < 60 && headless::Green(p) > 200 && headless::Blue(p) > 200;
    };
    auto isText = [](uint32_t p) {
        return headless::Red(p) > 200 && headless::Green(p) > 200 && headless::Blue(p) > 200;
    };
    auto isDot = [](uint32_t p) {
        return headless::Red(p) > 120 && headless::Red(p) < 180 && headless::Green(p) > 120 &&
               headless::Green(p) < 180;
    };
    input_->MaxLength = 6;
    input_->DrawDots = 1;
    Type("Tam");
    PixmapPtr frame = DrawFrame();
    headless::SaveFrame("text-input");
    const headless::InkBox text = headless::FindInk(*frame, isText);
    const headless::InkBox cursor = headless::FindInk(*frame, isCursor);
    ASSERT_TRUE(text.Any() && cursor.Any());
    EXPECT_GE(text.left, 300);
    EXPECT_GE(cursor.left, text.right - 2) << "the cursor follows the text";
    const headless::InkBox dots = headless::FindInk(*frame, isDot, cursor.right + 1, 0);
    ASSERT_TRUE(dots.Any()) << "the dots follow the cursor";
    EXPECT_LE(dots.bottom, text.bottom + 1) << "on the text line";

    // 250 ms on, 250 ms off.
    Steps(50);
    EXPECT_FALSE(headless::FindInk(*DrawFrame(), isCursor).Any());
    Steps(50);
    EXPECT_TRUE(headless::FindInk(*DrawFrame(), isCursor).Any());

    // At MaxLength there is no cursor; once finished nothing is drawn unless forced.
    Type("sin");
    EXPECT_EQ(input_->Text, "Tamsin");
    EXPECT_FALSE(headless::FindInk(*DrawFrame(), isCursor).Any());
    input_->Finish();
    EXPECT_FALSE(headless::FindInk(*DrawFrame(), isText).Any());
    input_->ForceDraw = 1;
    EXPECT_TRUE(headless::FindInk(*DrawFrame(), isText).Any());
}

}  // namespace
