// A dialog with a one-line text field and OK (and Cancel) buttons: the name
// entry. Typing goes to the field; Enter
// accepts, Escape cancels when there is a Cancel button. Before accepting,
// the text is checked: a blank text is refused quietly, a refused text
// opens an error notice over the dialog, after which typing resumes. The
// owner may open a further dialog on OK (OKClickedDialog); the text dialog
// completes when that one closes.
//
// Threading: the game's one thread. Outputs: Manage as every dialog (1 OK,
// -1 Cancel, once), the typed text in TextInput->Text. While it is open the
// framework's own keys are blocked (typing letters must not toggle the
// music). Failure: none beyond the dialog base's.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/DialogKinds.h"
#include "ui/TextInput.h"

class TDialogTextInput;
using TDialogTextInputPtr = std::shared_ptr<TDialogTextInput>;

class TDialogTextInput : public TDialog {
  public:
    // What an error check answers.
    static constexpr int TEXT_REFUSED = -1;

    // ---- fields, in declaration order (after the dialog's) ----
    TLabelPtr Text;  // the look of the typed text: font, colour, place
    int CharWidth = 0;
    int Gap = 30;
    TColorPtr BoxColor;
    int DrawBox = 1;
    int BoxBorderH = 10, BoxBorderV = 5;
    int TextBorder = 10;
    TTextInputPtr TextInput;
    int TextYOffset = 0;
    int AllowNull = 0;  // 1: an empty text is accepted
    // TEXT_REFUSED with a message for the error notice; anything else
    // passes. The check may tidy the text it is given (trim it).
    std::function<int(std::string& text, std::string& message)> ErrorCheckFunc;
    std::function<TDialogOKPtr(const std::string& message)> ErrorDialogFunc;
    TDialogOKPtr DialogOK;       // the error notice while it is open
    int TextOX = 0, TextOY = 0;  // both 0: the text follows the caption
    // Run when OK is accepted: above 0 completes at once; otherwise it has
    // opened OKClickedDialog and the dialog waits for that one.
    std::function<int(TDialogTextInput& dialog)> OKClickedFunc;
    TDialogPtr OKClickedDialog;
    int DrawDisabled = 0;
    int UppercaseFirstChar = 1;
    int DimWhenShowingDialogs = 0;
    std::string ButtonName;  // the picture of both buttons; "" for their own pictures

    static TDialogTextInputPtr Create(const std::string& text, const std::string& initialText,
                                      int maxLength, const ImagePtr& background, int width,
                                      int left, int top, int maxPixelWidth,
                                      const std::string& buttonName);
    // The typed text's look; the field starts typing from it.
    virtual void SetupText(const ImagePtr& imageFont, const TColorPtr& colour,
                           const TShadowPtr& shadow, int flag, const TBitmapFontPtr& bitmapFont);
    virtual void MenuCreate(int withCancel, int gap);
    virtual int ProcessOKClickedFunc();
    virtual int OKClickTest();
    virtual void OKClick();
    virtual void CancelClick();
    virtual void ClickSound();
    void Start() override;
    void CalcSize() override;
    void SetLabelsXY() override;
    int Manage() override;
    int Draw() override;
    void Kill() override;

  private:
    int ManageOnTop();
    void ManageTyping();
    void DrawTextBox();
};
