// The player manager: the dialog in which the player picks, creates or
// deletes a player. The players are the ".dat" files of the profile folder;
// the list box shows their names with the current player selected. Create
// opens the name entry over it, Delete a confirmation, and refusals an
// error notice; each of them is modal over the list.
//
// Threading: the game's one thread; the owner (the title screen) calls
// Manage once per logic step and Draw once per frame. Outputs: Manage
// reports 1 once a player was chosen (OK, a double click, or right after
// creating one), -1 when cancelled; the chosen player becomes the current
// profile and the settings file remembers it. Failure: an unreadable
// profile folder lists no players; a file that cannot be deleted stays.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/DialogKinds.h"
#include "ui/DialogTextInput.h"
#include "ui/ListBox.h"

class TPlayerManager;
using TPlayerManagerPtr = std::shared_ptr<TPlayerManager>;

class TPlayerManager : public TDialog {
  public:
    // ---- fields, in declaration order (after the dialog's) ----
    int Limit = 10;  // most players allowed, 0 = no limit
    int ButtonGap = 10;
    int BoxBorderH = 20, BoxBorderV = 20;
    int BoxXTweak = 0;
    int BoxY = 0;  // 0: the list is centred between caption and buttons
    int DimWhenActive = 0;
    int DimWhenShowingDialogs = 0;
    int DimWhenShowingEnterNamePrompt = 0;
    int UpperFirstChar = 1;
    std::string ExtraBannedChars;
    TGameImagePtr FrontFrame;  // drawn over the list
    int FrontFrameX = 0, FrontFrameY = 0;
    TListBoxPtr ListBox;
    int LineHeightAddition = 0;
    int LimitBoxHeightToMaxItems = 0;  // 1: the list is exactly Limit lines high
    std::function<TDialogOKPtr(const std::string& text)> ErrorDialogFunc;
    TDialogOKPtr DialogOK;
    std::function<TDialogYesNoPtr(const std::string& text)> DialogYesNoFunc;
    TDialogYesNoPtr DialogYesNo;
    std::function<TDialogTextInputPtr(int withCancel)> EnterNamePromptFunc;
    TDialogTextInputPtr EnterName;
    // Creates a profile of that name and makes it the current one.
    std::function<int(const std::string& name)> CreateProfileFunc;
    int DrawDisabled = 0;
    int AutoAcceptAfterCreate = 1;
    std::function<int(const std::string& name)> DeleteProfileUserFunction;
    std::string MessageCannotCreate = "You cannot create any more players!";
    std::string MessageCannotDelete = "The list must contain at least one player!";
    std::string MessageConfirmDelete = "Are you sure you want to delete this player?";

    // The dialog of text over background at (left, top) with its list, its
    // buttons of buttonImage and the players of the profile folder.
    static TPlayerManagerPtr Create(const std::string& text, const ImagePtr& background, int left,
                                    int top, int limit, const std::string& buttonImage);
    // 1 when the name entry opened; 0 when the list is full.
    virtual int CreateProfile();
    virtual void CalcListBoxLineHeight();
    virtual void BoxSize();
    virtual void MenuCreate(int gap, const std::string& buttonImage);
    virtual void FillList();
    virtual void HighlightCurrentPlayer();
    virtual void DeleteProfile();
    virtual void DeleteProfileCheck();
    virtual int OKClick();
    virtual int CancelClick();
    virtual void ClickSound();
    void Start() override;
    int Manage() override;
    int Draw() override;
    void Kill() override;

  private:
    // The sub-dialog steps: 1 while one of them is open.
    int ManageErrorNotice();
    int ManageConfirmation();
    int ManageNamePrompt();
    void ResetMenu();
    void ChooseCurrentProfile(const std::string& name);
    void Darken() const;
};
