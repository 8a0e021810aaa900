// Dialogs inside the whole program, headless: the game started in-process,
// the dialog test screen current, input sent through the system's queue and
// read by the frame in its logic steps, frames read back from the renderer.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/Input.h"
#include "engine/Pixmap.h"
#include "support/ProgramFixture.h"
#include "ui/Dialog.h"
#include "ui/DialogTestScreen.h"

// A box in virtual-screen pixels; right and bottom are one past the ink.
struct Box {
    float left = 0, top = 0, right = 0, bottom = 0;
    bool Inside(const Box& outer, float margin) const {
        return left >= outer.left + margin && right <= outer.right - margin &&
               top >= outer.top + margin && bottom <= outer.bottom - margin;
    }
    float CentreX() const { return (left + right) / 2; }
    float CentreY() const { return (top + bottom) / 2; }
};

// Pixels of the screen behind the dialog (at full strength or under the veil).
bool IsBackdrop(uint32_t argb);
inline bool IsPanel(uint32_t argb) {
    return !IsBackdrop(argb);
}

class DialogScreenTest : public ProgramTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Logic steps of the whole program, its clock moving 5 ms each.
    void Step(int count = 1);
    bool StepUntil(const std::function<bool()>& done, int limit = 400);
    int PhysicalX(float x) const;
    int PhysicalY(float y) const;
    float VirtualX(float px) const;
    float VirtualY(float py) const;
    // A key by its system name, down for a step and up for a step.
    void Press(const char* key);
    // Text as the system's text input hands it over, a step per character.
    void Type(const std::string& utf8);
    void ClickAt(float x, float y);
    // A click on the middle of a button where it rests once the dialog is open.
    void ClickButton(const TButton& button);
    TDialogPtr Shown() const { return screen_->Dialogs.Dialog(); }
    // Opens a kind by its key, as a player on this screen would.
    TDialogPtr OpenByKey(DialogKind kind);
    bool WaitUntilOpen();
    bool WaitUntilOpen(const TDialogPtr& dialog);
    PixmapPtr DrawFrame();
    Box Virtual(const headless::InkBox& ink) const;
    // The box of what one part of the dialog adds to the frame: the frame
    // drawn with it and without it, compared.
    Box InkOfPart(const std::function<void(bool on)>& show);

    std::shared_ptr<TDialogTestScreen> screen_;
};

// A fixture with a virtual controller plugged in for each test and opened
// by the frame before the test starts.
template <class Fixture>
class WithVirtualPad : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        if (this->HasFatalFailure()) return;
        ASSERT_TRUE(AttachVirtualPad()) << "the system attaches no virtual controller";
        ASSERT_TRUE(this->StepUntil([] { return OpenControllerCount() == 1; }, 20))
            << "the plugged-in controller was not opened";
    }
    void TearDown() override {
        DetachVirtualPad();
        Fixture::TearDown();
    }
    // A button down for a step and up for a step.
    void PadPress(int padKey) {
        ASSERT_TRUE(PressVirtualPad(padKey, true));
        this->Step();
        ASSERT_TRUE(PressVirtualPad(padKey, false));
        this->Step();
    }
};
