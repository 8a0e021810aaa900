#include "frame/LoadingScreen.h"

#include "engine/Files.h"
#include "engine/Graphics.h"
#include "engine/Keys.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"
#include "frame/MousePointer.h"
#include "media/GameText.h"
#include "ui/Button.h"
#include "ui/Menu.h"

// ---------------------------------------------------------------- TLoadingBar

void TLoadingBar::Init(const ImagePtr& image, const ImagePtr& empty, const ImagePtr& final) {
    Image = image;
    EmptyImage = empty;
    FinalImage = final;
    for (const ImagePtr& picture : {Image, EmptyImage, FinalImage}) {
        if (picture) picture->SetHandle(0, 0);
    }
    x = y = 0;
    w = Image ? Image->Width() : 0;
    h = Image ? Image->Height() : 0;
    Position = Steps = StepSize = 0;
    CurrentStep = Finished = 0;
}

void TLoadingBar::Centre(int newY) {
    x = (ScreenWidth - w) / 2;
    y = newY;
}

void TLoadingBar::SetSteps(int n) {
    Steps = static_cast<float>(n);
    StepSize = n > 0 ? static_cast<float>(w) / n : 0.0f;
}

void TLoadingBar::SetBackgroundColour(int r, int g, int b) {
    BgR = r;
    BgG = g;
    BgB = b;
}

void TLoadingBar::SetBorderColour(int r, int g, int b) {
    BorderR = r;
    BorderG = g;
    BorderB = b;
}

void TLoadingBar::Progress() {
    ++CurrentStep;
    Position = CurrentStep * StepSize;
    if (CurrentStep == static_cast<int>(Steps)) Finished = 1;
}

void TLoadingBar::Draw() {
    if (Mode == 1 && !Image) return;
    if (Finished && FinalImage) {
        SetBlend(ALPHABLEND);
        if (DrawEmptyUnderFinal && EmptyImage)
            DrawImage(EmptyImage, static_cast<float>(x), static_cast<float>(y));
        DrawImage(FinalImage, static_cast<float>(x), static_cast<float>(y));
        SetBlend(SOLIDBLEND);
        return;
    }
    if (Mode == 0) {
        SetBlend(SOLIDBLEND);
        const DrawStateGuard restore;
        SetColor(BgR, BgG, BgB);
        DrawRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                 static_cast<float>(h));
        SetColor(BorderR, BorderG, BorderB);
        DrawLine(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + w),
                 static_cast<float>(y));
        DrawLine(static_cast<float>(x), static_cast<float>(y + h), static_cast<float>(x + w),
                 static_cast<float>(y + h));
        DrawLine(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x),
                 static_cast<float>(y + h));
        DrawLine(static_cast<float>(x + w), static_cast<float>(y), static_cast<float>(x + w),
                 static_cast<float>(y + h));
    } else {
        SetBlend(ALPHABLEND);
        if (Mode == 1 && EmptyImage)
            DrawImage(EmptyImage, static_cast<float>(x), static_cast<float>(y));
    }
    if (Image && Position > 0) {
        DrawSubImageRect(*Image, static_cast<float>(x), static_cast<float>(y), Position,
                         static_cast<float>(h), 0, 0, Position, static_cast<float>(h));
    }
    SetBlend(SOLIDBLEND);
}

// ---------------------------------------------------------------- TLoadingScreen

TLoadingScreen::TLoadingScreen() : LoadingBar(std::make_shared<TLoadingBar>()) {
    name = "loading";
}

void TLoadingScreen::SpecialLoad(const std::string& image, const std::string& bar,
                                 const std::string& caption) {
    name = "loading";
    ImageLoad(image, 0, 1);
    if (!bar.empty()) {
        const std::string extension = ExtractExt(bar);
        const std::string base = StripExt(bar);
        auto optional = [&](const std::string& suffix) -> ImagePtr {
            const std::string path = Game->ImagePath + base + suffix + "." + extension;
            return FileType(path) == FILETYPE_FILE ? LoadImageOrFail(path, -1) : nullptr;
        };
        LoadingBar->Init(LoadImageOrFail(Game->ImagePath + bar, -1), optional("empty"),
                         optional("final"));
    }
    LoadingTextImage = LoadImageOrFail(Game->ImagePath + caption, -1);
    LoadingTextImage->MidHandle();
    LoadingX = ScreenWidth / 2;
    LoadingY = ScreenHeight / 2;
    Finished = 0;
    Game->MusicNone();
}

void TLoadingScreen::SetSteps(int n) {
    LoadingBar->SetSteps(n);
}

void TLoadingScreen::SetClickHereButton(const std::string& image, const std::string& imageMO,
                                        const std::string& soundMO, const std::string& soundClick,
                                        int buttonY) {
    ClickHereButton = TButton::CreateSpecial(image, imageMO, soundMO, soundClick);
    ClickHereButton->CentreX(static_cast<float>(buttonY));
}

void TLoadingScreen::Progress() {
    LoadingBar->Progress();
    Finished = LoadingBar->Finished;
    if (Finished) {
        FlushAll();
        Game->Mouse->UpdateCoords();
    }
}

void TLoadingScreen::Start() {
    TScreen::Start();
    if (EscapeCloses == 0) Game->IgnoreEscapeKey = 1;
}

void TLoadingScreen::Leave() {
    Game->GameFade->Init(DefaultFadeLength, 1, FadeMusic ? Game->MusicChannel : nullptr, 0, 0,
                         nullptr);
    Game->DestinationTScreen = Destination;
}

void TLoadingScreen::Logic() {
    // On its way out already (Esc taken by the frame leads to the exit):
    // nothing may change where it goes.
    if (Game->GameFade->Active) return;
    if (!ClickHereButton) {
        Leave();
        return;
    }
    ClickHereButton->Manage();
    const bool buttonClicked = ClickHereButton->Clicked != 0;
    const bool anyClick = Game->Mouse->GetMh(1) != 0;
    const bool escape = EscapeCloses == 0 && KeyHit(Key::Escape);
    if (!buttonClicked && !anyClick && !escape) return;
    if (!buttonClicked) ClickHereButton->PlayClick();
    Leave();
}

void TLoadingScreen::DrawLoading(int mode) {
    if (mode == 1) Cls();
    const ImagePtr& caption =
        (LoadingTextImage2 && DrawLoadingTextImage2) ? LoadingTextImage2 : LoadingTextImage;
    if (caption && (mode == 0 || Game->Music)) {
        SetBlend(ALPHABLEND);
        DrawImage(caption, static_cast<float>(LoadingX), static_cast<float>(LoadingY));
    }
    if (mode == 1) {
        if (!Game->FadeMouse) Game->Mouse->Draw();
        Flip(1);
    }
}

void TLoadingScreen::Draw() {
    TScreen::Draw();
    if (Finished && ClickHereButton) {
        if (LoadingBar->FinalImage) LoadingBar->Draw();
        ClickHereButton->Draw();
    } else {
        LoadingBar->Draw();
        if (!Finished) DrawLoading(0);
    }
    if (CustomDrawFunction) CustomDrawFunction();
}

void TLoadingScreen::Kill() {
    TScreen::Kill();
    LoadingBar = std::make_shared<TLoadingBar>();
    LoadingTextImage2.reset();
    if (ClickHereButton) ClickHereButton->Kill();
    ClickHereButton.reset();
    if (CustomKillFunction) CustomKillFunction();
}
