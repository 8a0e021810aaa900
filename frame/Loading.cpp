// Seam: resource loading and the loading screen come with their own module.
// Until then nothing is loaded and a plain screen is shown; Esc on it leads
// to the exit screen through the normal fade.
#include "frame/Loading.h"

#include "engine/Graphics.h"
#include "frame/Game.h"
#include "frame/Screen.h"

namespace {

class TPlainScreen : public TScreen {
  public:
    TPlainScreen() { name = "plain"; }
    void Start() override {
        TScreen::Start();
        Game->GameFade->Init(DefaultFadeLength, 0, nullptr, 0, 0, nullptr);
    }
    void Draw() override {
        SetClsColor(18, 14, 30);
        Cls();
        SetScale(3, 3);
        SetColor(200, 190, 230);
        SetBlend(ALPHABLEND);
        const std::string title = "Hollowmere";
        DrawText(title, ScreenWidth / 2.0f - TextWidth(title) * 1.5f, ScreenHeight / 2.0f - 18);
        SetScale(1, 1);
        SetColor(255, 255, 255);
        SetBlend(SOLIDBLEND);
    }
};

}  // namespace

void LoadAllResources() {
    static auto plain = MakeScreen<TPlainScreen>();
    plain->PreStart();
}
