#include "frame/MousePointer.h"

#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/Strings.h"
#include "frame/ErrorReport.h"
#include "frame/Game.h"

namespace {

// The pointer's own particles: its sparkle trail.
void ManageTrail(const std::shared_ptr<TParticleList>& particles) {
    if (particles) particles->Manage();
}

void DrawTrail(const std::shared_ptr<TParticleList>& particles) {
    if (particles) particles->Draw();
}

void ClearTrail(const std::shared_ptr<TParticleList>& particles) {
    if (particles) particles->Clear();
}

// Engine positions are window points; the game works in virtual pixels.
int VirtualX(int windowX, int windowY) {
    if (Game) return Nearest(Game->WindowToVirtual(windowX, windowY).x);
    return windowX;
}

int VirtualY(int windowX, int windowY) {
    if (Game) return Nearest(Game->WindowToVirtual(windowX, windowY).y);
    return windowY;
}

}  // namespace

void TMousePointer::On() {
    Active = 1;
}

void TMousePointer::Off() {
    Active = 0;
    ClearTrail(ParticleList);
}

void TMousePointer::Load(const std::string& name) {
    const std::string folder = Game ? Game->ImagePath : std::string();
    Image = LoadImageOrFail(folder + name + Ext, DEFAULT_IMAGE_FLAGS);
    if (Image) Image->SetHandle(static_cast<float>(offsetx), static_cast<float>(offsety));
    CalcSize();
}

void TMousePointer::CalcSize() {
    w = Image ? Image->Width() : 0;
    h = Image ? Image->Height() : 0;
}

void TMousePointer::Update() {
    x = VirtualX(PolledMouseX(), PolledMouseY());
    y = VirtualY(PolledMouseX(), PolledMouseY());
    b1 = PolledMouseDown(1) ? 1 : 0;
    b2 = PolledMouseDown(2) ? 1 : 0;
    b3 = PolledMouseDown(3) ? 1 : 0;
    h1 = PolledMouseHit(1);
    h2 = PolledMouseHit(2);
    h3 = PolledMouseHit(3);
    CalcButtonTotals();
}

void TMousePointer::Manage() {
    if (!Active) return;
    if (!ParticleFunc) return;
    ParticleFunc();
    ManageTrail(ParticleList);
}

void TMousePointer::UpdateCoords() {
    // The engine reports the pointer relative to the window's client area
    // already, so no client origin is subtracted here.
    x = VirtualX(PolledMouseX(), PolledMouseY());
    y = VirtualY(PolledMouseX(), PolledMouseY());
}

void TMousePointer::ClearButtons() {
    b1 = b2 = b3 = 0;
    mb = 0;
    ClearMouseHit();
}

void TMousePointer::ClearMouseHit() {
    h1 = h2 = h3 = 0;
    mh = 0;
}

int TMousePointer::GetMb() {
    return mb;
}

int TMousePointer::GetMh(int clear) {
    const int hits = mh;
    if (clear) ClearMouseHit();
    return hits;
}

void TMousePointer::CalcButtonTotals() {
    mb = b1 + b2 + b3;
    mh = h1 + h2 + h3;
}

void TMousePointer::Draw() {
    // In a window the drawn pointer follows the system cursor every frame.
    if (Game && !Game->FullScreen) UpdateCoords();
    if (!Active) return;
    DrawTrail(ParticleList);
    SetBlend(ALPHABLEND);
    {
        const DrawStateGuard restore;
        SetRotation(static_cast<float>(Rotation));
        if (Image2) {
            const DrawStateGuard restoreScale;
            const float x2 = static_cast<float>(x + Image2xoff),
                        y2 = static_cast<float>(y + Image2yoff);
            SetScale(Image2Scale, Image2Scale);
            if (Image2Shadow) {
                const DrawStateGuard restoreColour;
                SetColor(0, 0, 0);
                SetAlpha(Image2Shadow->Alpha);
                DrawImage(Image2, x2 + Image2Shadow->X, y2 + Image2Shadow->Y, Image2Frame);
            }
            DrawImage(Image2, x2, y2, Image2Frame);
        }
        if (!Image) {
            Plot(static_cast<float>(x), static_cast<float>(y));
        } else if (Game && Game->CustomMousePointer == 1) {
            DrawImage(Image, static_cast<float>(x), static_cast<float>(y), ImageFrame);
        }
    }
    if (UserDraw) UserDraw(x, y);
}
