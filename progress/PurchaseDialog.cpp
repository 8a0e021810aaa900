// The purchase dialog: its two configurations (buying, or the missing
// prerequisite), its rows of price and gold, its answers, and its builder.
#include "progress/PurchaseDialog.h"

#include <algorithm>

#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/Globals.h"
#include "frame/Timing.h"
#include "media/Fonts.h"
#include "media/GameText.h"
#include "progress/SaveData.h"
#include "ui/DialogBuilders.h"

namespace {

constexpr int BORDER = 50;
constexpr int HEADER_Y = 113;
constexpr int HEADER_WIDTH = 350;
// The item's list picture sits this far above the screen's middle.
constexpr int PICTURE_ABOVE_MIDDLE = 165;
constexpr int CAPTION_LINE_GAP = 32;
// The prerequisite's notice sits this far below its centred place.
constexpr int PREREQ_CAPTION_DROP = 35;
constexpr int BUTTON_GAP = 70;
constexpr int BUTTON_CAPTION_WIDTH = 124;
constexpr float PRESSED_MS = 350;
constexpr float GLOW_ON_MOUSE_OVER = 0.2f, GLOW_FADE = 0.005f;
constexpr float SLIDE_MS = 200, VEIL = 0.5f;

const char* const kPanel = "Dialogs/Dialog.png";
const char* const kButton = "button";
// The button captions are shown as written.
const char* const kBuy = "Buy";
const char* const kCancel = "Cancel";

std::string Text(const std::string& key) {
    return GameText ? GameText->FindString(key) : std::string();
}

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

TLabelPtr RowLabel(const std::string& text, const TColorPtr& colour) {
    TLabelPtr label = TLabel::CreateSpecial(text, 0, 0, 0, 0, 0, DialogTextFont);
    label->Init(nullptr, colour, nullptr, 0, DialogTextFont);
    label->CalcSize();
    return label;
}

float WidthOf(const std::string& text) {
    return DialogTextFont ? static_cast<float>(DialogTextFont->StringWidth(text))
                          : static_cast<float>(TextWidth(text));
}

}  // namespace

TColorPtr PriceLabelColor() {
    return TColor::Create(218, 164, 69);
}
TColorPtr UnaffordableColor() {
    return TColor::Create(240, 50, 50);
}
TColorPtr FreeColor() {
    return TColor::Create(50, 240, 50);
}

// ---------------------------------------------------------------- set-up

TPurchaseDialogPtr TPurchaseDialog::Create(const ImagePtr& background, int width, int height,
                                           int left, const std::string& buttonImage) {
    auto dialog = std::make_shared<TPurchaseDialog>();
    dialog->Init("", background, width, height, left, 0);
    dialog->MenuCreate(buttonImage);
    return dialog;
}

void TPurchaseDialog::MenuCreate(const std::string&) {
    // The buttons come with the configuration.
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
}

void TPurchaseDialog::AddButton(const std::string& name) {
    TButtonPtr button = Menu->AddQuick(kButton, name);
    button->LoadMouseClick(std::string(kButton) + "Down", PRESSED_MS);
    button->SetFixedGlowOnMO(GLOW_ON_MOUSE_OVER, GLOW_FADE, 0);
    SetupMenuButtonCaption(*button, name, BUTTON_CAPTION_WIDTH, 1.0f, 0, 0);
    if (button->Caption) button->Caption->RoundCoords = 0;
}

void TPurchaseDialog::FixButtonRow(int gap) {
    Menu->MakeRow(gap);  // centred on the screen, as the panel is
    MenuOX = static_cast<int>(Menu->x);
    MenuOY = MENU_Y;
    MenuPosition();
}

bool TPurchaseDialog::Affordable() const {
    return selectedItem && SaveData && selectedItem->Cost <= SaveData->GoldAvailable();
}

void TPurchaseDialog::ConfigurePrereq(const ShopItemPtr& item, const ShopItemPtr& prereq) {
    selectedItem = item;
    Caption->Text = ReplaceAll(Text("Required Purchase"), "XXX", prereq ? prereq->Name : "");
    Caption->LineGap = CAPTION_LINE_GAP;
    CaptionCentreVert = 1;
    SetupCaption(nullptr, TextColor(), nullptr, DialogTextFont);
    CaptionOX = static_cast<int>(CaptionGetCentredX());
    CaptionOY = static_cast<int>(Caption->Y) + PREREQ_CAPTION_DROP;
    SetLabelsXY();
    AddButton(kCancel);
    FixButtonRow(0);
}

void TPurchaseDialog::ConfigureBuy(const ShopItemPtr& item) {
    selectedItem = item;
    const int gold = SaveData ? SaveData->GoldAvailable() : 0;
    const bool affordable = Affordable();
    Caption->Text = item->Description;
    Caption->LineGap = CAPTION_LINE_GAP;
    CaptionCentreVert = 1;
    SetupCaption(nullptr, TextColor(), nullptr, GUIFontSmall);

    const bool free = item->Cost == 0;
    const std::string price = free ? Text("Free") : std::to_string(item->Cost);
    const std::string available = std::to_string(gold);
    const float l = std::max(WidthOf(Text("Price")), WidthOf(Text("Available")));
    const float s = WidthOf(" ");
    const float v = std::max(WidthOf(price), WidthOf(available));
    const int left = -(static_cast<int>(l + s + v) / 2);
    const int valueLeft = left + static_cast<int>(l + s);

    priceLabel = RowLabel(Text("Price"), PriceLabelColor());
    const TColorPtr priceColour = free         ? FreeColor()
                                  : affordable ? TColor::Create(255, 255, 255)
                                               : UnaffordableColor();
    priceValueLabel = RowLabel(price, priceColour);
    goldAvailLabel = RowLabel(Text("Available"), PriceLabelColor());
    goldAvailValueLabel = RowLabel(available, TColor::Create(255, 255, 255));
    SetCaptionXY(*priceLabel, left, PRICE_ROW_Y);
    SetCaptionXY(*priceValueLabel, valueLeft, PRICE_ROW_Y);
    SetCaptionXY(*goldAvailLabel, left, GOLD_ROW_Y);
    SetCaptionXY(*goldAvailValueLabel, valueLeft, GOLD_ROW_Y);

    if (affordable) AddButton(kBuy);
    AddButton(kCancel);
    FixButtonRow(BUTTON_GAP);
}

void TPurchaseDialog::SetCaptionXY(TLabel& label, int dx, int dy) {
    label.X = static_cast<float>(CaptionGetCentredX() + dx);
    if (label.WordWrap || CaptionCentreVert) {
        label.Y = y + h / 2 - label.CalcHeight() / 2;
    } else {
        label.Y = static_cast<float>(y + Border);
    }
    label.Y += dy;
}

// ---------------------------------------------------------------- layout

void TPurchaseDialog::CalcSize() {
    TDialog::CalcSize();
    if (Background) return;
    const int menuHeight = Menu ? Menu->h : 0;
    h = menuHeight + static_cast<int>(Caption->CalcHeight()) + Gap + 2 * Border;
    CalcXY();
}

void TPurchaseDialog::MenuPosition() {
    CalcAll();
    TDialog::MenuPosition();
}

// ---------------------------------------------------------------- per step

void TPurchaseDialog::BuyClick() {
    itemBought = 1;
    FlushAll();
    Close(RESULT_OK);
}

void TPurchaseDialog::CancelClick() {
    FlushAll();
    Close(RESULT_OK);
}

int TPurchaseDialog::Manage() {
    if (!ManageCore()) return 0;
    if (const int result = TakeResult()) return result;
    if (Transitioning != NOT_TRANSITIONING) return 0;
    if (KeyHit(Key::Escape)) {
        if (TButtonPtr cancel = FindButton(kCancel)) cancel->SimulateClick();
        CancelClick();
    } else if (Menu && Menu->Clicked(kCancel)) {
        CancelClick();
    } else if (Menu && Menu->Clicked(kBuy)) {
        BuyClick();
    }
    return TakeResult();
}

int TPurchaseDialog::Draw() {
    if (!TDialog::Draw()) return 0;
    for (const TLabelPtr& label :
         {priceLabel, priceValueLabel, goldAvailLabel, goldAvailValueLabel})
        if (label) label->Draw(OffsetX, OffsetY, 1);
    return 1;
}

// ---------------------------------------------------------------- the builder

TPurchaseDialogPtr CreatePurchaseDialog(const ShopItemPtr& item) {
    const ImagePtr panel = LoadImageOrFail(Game->ImagePath + kPanel, DEFAULT_IMAGE_FLAGS);
    TPurchaseDialogPtr dialog = TPurchaseDialog::Create(panel, 0, 0, 0, kButton);
    dialog->Border = BORDER;
    dialog->SetWordWrap(panel->Width() - 2 * BORDER);
    dialog->DrawHighlight = 0;
    dialog->SetupTextHeader(item->Name, nullptr, HeaderColor(), nullptr, DialogHeaderFont,
                            ScreenWidth / 2, HEADER_Y, 1);
    FitDialogHeader(*dialog->TextHeader, HEADER_WIDTH);
    dialog->Picture = item->SaleImage;
    dialog->PictureX = ScreenWidth / 2;
    dialog->PictureY = ScreenHeight / 2 - PICTURE_ABOVE_MIDDLE;
    if (const ShopItemPtr prereq = SaveData ? SaveData->GetPrereqs(item->PurchaseID) : nullptr) {
        dialog->ConfigurePrereq(item, prereq);
    } else {
        dialog->ConfigureBuy(item);
    }
    dialog->SlideInSound = SoundBank.Find("SlideIn");
    dialog->SlideOutSound = SoundBank.Find("SlideOut");
    dialog->SetTransitions(SLIDE_MS, SLIDE_MS, VEIL, 0, TDialog::SLIDE_FROM_TOP, 1);
    dialog->Start();
    Game->FixedRateLogic->Init();
    return dialog;
}
