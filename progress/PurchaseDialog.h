// The shop's purchase dialog: the item's name, its list picture and either
// its description with its price and the gold available ("Buy" only when the
// gold suffices) or, while its prerequisite is not bought, the notice that
// names the prerequisite with only "Cancel".
//
// Threading: the game's one thread; the shop manages it once per step and
// draws it once per frame. Outputs: Manage reports 1 once its closing ends,
// for "Buy" and "Cancel" alike; itemBought tells them apart. It buys nothing
// itself. Failure: a missing panel picture is fatal.
#pragma once

#include <memory>
#include <string>

#include "media/Label.h"
#include "progress/ShopItems.h"
#include "ui/Dialog.h"

class TPurchaseDialog;
using TPurchaseDialogPtr = std::shared_ptr<TPurchaseDialog>;

class TPurchaseDialog : public TDialog {
  public:
    static constexpr int MENU_Y = 574;
    // The two rows of label and value, below the panel's middle.
    static constexpr int PRICE_ROW_Y = 129;
    static constexpr int GOLD_ROW_Y = 164;

    // ---- fields, in declaration order ----
    int Gap = 50;
    int ClickAnywhereCloses = 0;
    TLabelPtr priceLabel, priceValueLabel, goldAvailLabel, goldAvailValueLabel;
    ShopItemPtr selectedItem;
    int itemBought = 0;  // 1 once "Buy" was clicked

    // ---- operations, in slot order ----
    static TPurchaseDialogPtr Create(const ImagePtr& background, int width, int height, int left,
                                     const std::string& buttonImage);
    // Places a label as a vertically centred caption would be, then by (dx, dy).
    virtual void SetCaptionXY(TLabel& label, int dx, int dy);
    virtual void ConfigurePrereq(const ShopItemPtr& item, const ShopItemPtr& prereq);
    virtual void ConfigureBuy(const ShopItemPtr& item);
    virtual void MenuCreate(const std::string& buttonImage);
    virtual void BuyClick();
    virtual void CancelClick();
    void CalcSize() override;
    int Draw() override;
    void MenuPosition() override;
    int Manage() override;

    // ---- the dialog's own helpers ----
    // The gold is enough for the item.
    bool Affordable() const;

  private:
    // A button of the dialog's look, captioned as written.
    void AddButton(const std::string& name);
    // The buttons laid out gap apart and fixed at the buttons' row.
    void FixButtonRow(int gap);
};

// The dialog for an item on the list, started (sliding in from the top).
TPurchaseDialogPtr CreatePurchaseDialog(const ShopItemPtr& item);

// The colours of the dialog's rows.
TColorPtr PriceLabelColor();    // (218, 164, 69), the labels
TColorPtr UnaffordableColor();  // (240, 50, 50), a price above the gold
TColorPtr FreeColor();          // (50, 240, 50), "Free"
