// The two plain kinds of dialog: one with a single OK button, and one that
// asks a question with Yes and No. Both answer from the keyboard too:
// Enter (and Space) press the keyboard OK button ("OK" or "Yes"), Escape
// means OK in the first and No in the second, and Y and N answer the second.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/Dialog.h"

class TDialogOK;
using TDialogOKPtr = std::shared_ptr<TDialogOK>;

class TDialogOK : public TDialog {
  public:
    int Gap = 50;  // between the caption and the menu
    int ClickAnywhereCloses = 0;

    // A dialog of text over background (a plain box without one), left at x
    // when not centred, with one button of buttonImage ("OK" when "").
    static TDialogOKPtr Create(const std::string& text, const ImagePtr& background, int width,
                               int height, int left, const std::string& buttonImage);
    virtual void MenuCreate(const std::string& buttonImage);
    virtual void OKClick();
    void CalcSize() override;
    int Manage() override;
};

class TDialogYesNo;
using TDialogYesNoPtr = std::shared_ptr<TDialogYesNo>;

class TDialogYesNo : public TDialog {
  public:
    // The keys that answer a question.
    static constexpr int YES_KEY = 'Y';
    static constexpr int NO_KEY = 'N';

    int Gap = 50;
    int ButtonGap = 50;
    std::function<void()> YesFunc, NoFunc;

    static TDialogYesNoPtr Create(const std::string& text, const ImagePtr& background, int width,
                                  int height, int left, int makeMenu, int buttonGap,
                                  const std::string& buttonImage);
    // "Yes" and "No" in a row buttonGap apart: two buttons of buttonImage,
    // or the pictures "Yes" and "No" when it is "".
    virtual void MenuCreate(int buttonGap, const std::string& buttonImage);
    virtual void YesClick();
    virtual void NoClick();
    virtual void ClickSound();
    void CalcSize() override;
    int Manage() override;
};
