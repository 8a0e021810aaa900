// The intro: a night scene in four parallax layers that the camera pans and
// zooms through towards the crypt on the far hill, which lights up at the
// end; and the newspaper that tells how the story begins.
//
// Every layer is drawn with its top-left corner at (0, 150) and, by the end
// of the pan, layer n (4 farthest … 1 nearest) has moved and grown as the
// intro screen moves it; the crypt sits where the end of the pan centres
// the view (x 651, y 153 in layer 4 coordinates).
#include <cmath>
#include <string>
#include <vector>

#include "Backdrop.h"
#include "Figures.h"
#include "Scenes.h"

namespace asset::scenes {

namespace {

using namespace style;

constexpr int kLayerWidth = 1024, kLayerHeight = 468;
constexpr int kNearWidth = 1088;  // the nearest layer pans 3200 px while growing 4x
constexpr double kCryptX = 651, kCryptBase = 262, kCryptWidth = 120, kCryptHeight = 140;
const uint64_t kSeed = SeedOf("intro");

SkyLook IntroSkyLook() {
    SkyLook sky;
    sky.top = Rgb8(0x0A0C24);
    sky.middle = Rgb8(0x1A2450);
    sky.horizon = Rgb8(0x3E5A7A);
    sky.horizonY = 360;
    sky.moonX = 190;
    sky.moonY = 80;
    sky.moonRadius = 42;
    sky.stars = 220;
    sky.land = Rgb8(0x0C1220);
    sky.rim = Mix(kMoonlight, Rgb8(0xA0FFC8), 0.2);
    return sky;
}

const Hill kFarHill{kSeed + 1, 280, 18, 260};

void CryptOnHill(cairo_t* cr, Details* details) {
    Crypt(cr, kCryptX, kCryptBase, kCryptWidth, kCryptHeight, details);
}

}  // namespace

Canvas IntroSky() {
    Canvas canvas(kLayerWidth, kLayerHeight);
    const SkyLook sky = IntroSkyLook();
    PaintNightSky(canvas, sky, kSeed);
    FogSpec clouds;
    clouds.color = Mix(sky.middle, kFog, 0.3);
    clouds.top = 40;
    clouds.bottom = 200;
    clouds.feather = 60;
    clouds.density = 0.4;
    clouds.coverage = 0.45;
    clouds.scale = 200;
    clouds.stretch = 4;
    clouds.seed = kSeed + 2;
    clouds.lit = 0.7;
    PaintFog(canvas, clouds);
    return canvas;
}

Canvas IntroLayer(int number) {
    const SkyLook sky = IntroSkyLook();
    Rng rng(kSeed + 10 + number);
    const int width = number == 1 ? kNearWidth : kLayerWidth;
    Canvas canvas(width, kLayerHeight);
    Layer layer(width, kLayerHeight);
    cairo_t* cr = layer.Cr();
    FogSpec mist;
    mist.color = Mix(sky.horizon, kFog, 0.45);
    mist.feather = 40;
    mist.density = 0.45;
    mist.coverage = 0.5;
    mist.scale = 140;
    mist.stretch = 5;
    mist.seed = kSeed + 20 + number;
    switch (number) {
        case 4: {
            // The far hill and its crypt, unlit; a thin wood along the ridge.
            kFarHill.Fill(cr, 0, width, kLayerHeight + 2);
            CryptOnHill(cr, nullptr);
            for (double x = 10; x < width; x += rng.Range(18, 36)) {
                if (std::abs(x - kCryptX) < 110) continue;
                Pine(cr, rng, x, kFarHill.Y(x) + 6, rng.Range(30, 60), 18);
            }
            layer.Composite(canvas, DepthLook(sky, 0.15, 120, 320));
            mist.top = 250;
            mist.bottom = 320;
            PaintFog(canvas, mist);
            break;
        }
        case 3: {
            // Rolling ground low down, woods at both sides, the view to the crypt open.
            const Hill hill{kSeed + 3, 340, 20, 240};
            hill.Fill(cr, 0, width, kLayerHeight + 2);
            for (double x = 0; x < width; x += rng.Range(22, 40)) {
                if (x > 430 && x < 920) continue;
                Pine(cr, rng, x, hill.Y(x) + 8, rng.Range(110, 190), 46);
            }
            DeadTree(cr, rng, 330, hill.Y(330) + 6, 150, -0.2, 6);
            Graves(cr, rng, 560, 860, hill.Y(700) + 6, 22, 7);
            layer.Composite(canvas, DepthLook(sky, 0.4, 150, 380));
            mist.top = 330;
            mist.bottom = 400;
            PaintFog(canvas, mist);
            break;
        }
        case 2: {
            // The churchyard wall, graves and the big trees that frame the view.
            const Hill hill{kSeed + 4, 400, 14, 240};
            hill.Fill(cr, 0, width, kLayerHeight + 2);
            DeadTree(cr, rng, 150, hill.Y(150) + 6, 420, 0.12, 7);
            DeadTree(cr, rng, 1005, hill.Y(1005) + 6, 320, 0.3, 6);
            Graves(cr, rng, 300, 900, hill.Y(600) + 6, 40, 9);
            IronFence(cr, rng, 260, 960, hill.Y(600) + 30, 44, 13);
            layer.Composite(canvas, DepthLook(sky, 0.7, 100, 440));
            for (double x : {340.0, 620.0, 880.0})
                Candle(canvas.Cr(), x, hill.Y(x) + 8, 9);
            break;
        }
        default: {
            // The gate the camera flies over, and branches reaching in.
            const Hill hill{kSeed + 5, 452, 8, 200};
            hill.Fill(cr, 0, width, kLayerHeight + 2);
            GatePillar(cr, 330, 462, 50, 200, false);
            GatePillar(cr, 760, 462, 50, 200, false);
            IronFence(cr, rng, 0, 305, 462, 120, 20);
            IronFence(cr, rng, 785, width, 462, 120, 20);
            OverhangBranch(cr, rng, -10, 10, 0.25, 420, 22, 6);
            OverhangBranch(cr, rng, width + 10, 30, M_PI - 0.3, 360, 18, 5);
            Grass(cr, rng, 0, width, 458, 24, 0.5);
            layer.Composite(canvas, DepthLook(sky, 1.0, 0, kLayerHeight));
            Lantern(canvas.Cr(), 330, 244, 12, true);
            Lantern(canvas.Cr(), 760, 244, 12, true);
            Pumpkin(canvas.Cr(), 420, 460, 20, true, 0.1);
            Pumpkin(canvas.Cr(), 890, 462, 15, false, -0.1);
            break;
        }
    }
    // As the pan goes on each layer's top edge sinks into view: let whatever
    // reaches it melt into the sky first.
    cairo_t* fade = canvas.Cr();
    cairo_save(fade);
    cairo_set_operator(fade, CAIRO_OPERATOR_DEST_IN);
    cairo_pattern_t* ramp = cairo_pattern_create_linear(0, 0, 0, 60);
    cairo_pattern_add_color_stop_rgba(ramp, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(ramp, 1, 0, 0, 0, 1);
    cairo_set_source(fade, ramp);
    cairo_paint(fade);
    cairo_pattern_destroy(ramp);
    cairo_restore(fade);
    return canvas;
}

Canvas IntroGlowingCrypt() {
    const SkyLook sky = IntroSkyLook();
    const Rgb ghostly = Rgb8(0x7CFFB0);
    Canvas canvas(kLayerWidth, kLayerHeight);
    cairo_t* cr = canvas.Cr();
    // The glow around it and rays rising from the door, under the stone.
    AddGlow(cr, kCryptX, kCryptBase - kCryptHeight * 0.4, kCryptHeight * 2.2, ghostly, 0.35);
    PaintLightShafts(canvas, kCryptX, kCryptBase - kCryptHeight * 0.3, -M_PI / 2, 1.6, 10, 260,
                     ghostly, 0.18, kSeed + 30);
    Layer crypt(kLayerWidth, kLayerHeight);
    CryptOnHill(crypt.Cr(), crypt.PartsPtr());
    Look look = DepthLook(sky, 0.15, 120, 320);
    look.rim = ghostly;
    look.rimAlpha = 0.7;
    look.glass = ghostly;
    look.windowGlow = 1.4;
    crypt.Composite(canvas, look);
    AddGlow(cr, kCryptX, kCryptBase - kCryptHeight * 0.25, kCryptHeight * 0.7, ghostly, 0.5);
    for (const auto& wisp :
         {std::pair{-70.0, -60.0}, std::pair{80.0, -90.0}, std::pair{30.0, -150.0}}) {
        Wisp(cr, kCryptX + wisp.first, kCryptBase + wisp.second, 3, ghostly);
    }
    return canvas;
}

}  // namespace asset::scenes
