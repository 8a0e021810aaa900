// The gems as players with red-green colour blindness see them: every pair
// of the thirteen gems differs clearly in colour under normal vision,
// deuteranopia and protanopia, or clearly in silhouette, and no gem looks
// much bigger than another.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "board/Gem.h"
#include "engine/Pixmap.h"
#include "manifest/Manifest.h"

namespace {

// A colour-vision matrix on linear RGB (dichromats at full severity).
using Matrix = std::array<std::array<double, 3>, 3>;
constexpr Matrix kNormal{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
constexpr Matrix kDeuteranopia{{{0.367322, 0.860646, -0.227968},
                                {0.280085, 0.672501, 0.047413},
                                {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix kProtanopia{{{0.152286, 1.052583, -0.204868},
                              {0.114503, 0.786281, 0.099216},
                              {-0.003882, -0.048116, 1.051998}}};

// Two gems are told apart by colour when their mean colours are this far
// apart (CIE76) in every vision, or by silhouette when their outlines
// overlap (intersection over union) no more than this.
constexpr double kMinColourDistance = 20.0;
constexpr double kMaxOverlap = 0.85;
// The largest gem's opaque area against the smallest's.
constexpr double kMaxSizeRatio = 1.3;

double Linear(double c) {
    c /= 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

using Vec = std::array<double, 3>;

Vec Lab(const Vec& rgb) {
    const Vec c{std::clamp(rgb[0], 0.0, 1.0), std::clamp(rgb[1], 0.0, 1.0),
                std::clamp(rgb[2], 0.0, 1.0)};
    const double x = (0.4124 * c[0] + 0.3576 * c[1] + 0.1805 * c[2]) / 0.9505;
    const double y = 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
    const double z = (0.0193 * c[0] + 0.1192 * c[1] + 0.9505 * c[2]) / 1.089;
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

Vec Seen(const Matrix& m, const Vec& rgb) {
    Vec out{};
    for (int i = 0; i < 3; ++i)
        out[i] = m[i][0] * rgb[0] + m[i][1] * rgb[1] + m[i][2] * rgb[2];
    return out;
}

struct Gem {
    std::vector<bool> mask;  // alpha at least half
    Vec meanLinear{};        // mean colour of the opaque pixels
    int area = 0;
};

std::vector<Gem> ReadGems() {
    const asset::Entry* entry = asset::FindEntry("graphics/Gems/Gems.png");
    if (!entry) return {};
    PixmapPtr strip = LoadPixmap(std::string(HOLLOWMERE_DATA_DIR) + "/" + entry->path);
    if (!strip) return {};
    const int cw = entry->cellWidth, ch = entry->cellHeight, across = strip->Width() / cw;
    std::vector<Gem> gems;
    for (int frame = 0; frame < GEM_SKULL - 1; ++frame) {
        const int x0 = frame % across * cw, y0 = frame / across * ch;
        Gem gem;
        gem.mask.assign(size_t(cw) * ch, false);
        for (int y = 0; y < ch; ++y) {
            for (int x = 0; x < cw; ++x) {
                const uint32_t p = strip->ReadPixel(x0 + x, y0 + y);
                if ((p >> 24) < 128) continue;
                gem.mask[size_t(y) * cw + x] = true;
                gem.meanLinear[0] += Linear((p >> 16) & 0xFF);
                gem.meanLinear[1] += Linear((p >> 8) & 0xFF);
                gem.meanLinear[2] += Linear(p & 0xFF);
                ++gem.area;
            }
        }
        for (double& c : gem.meanLinear)
            c /= std::max(gem.area, 1);
        gems.push_back(gem);
    }
    return gems;
}

double Overlap(const Gem& a, const Gem& b) {
    int both = 0, either = 0;
    for (size_t i = 0; i < a.mask.size(); ++i) {
        both += a.mask[i] && b.mask[i];
        either += a.mask[i] || b.mask[i];
    }
    return either ? double(both) / either : 1.0;
}

double ColourDistance(const Gem& a, const Gem& b) {
    double nearest = 1e9;
    for (const Matrix* vision : {&kNormal, &kDeuteranopia, &kProtanopia}) {
        const Vec la = Lab(Seen(*vision, a.meanLinear)), lb = Lab(Seen(*vision, b.meanLinear));
        nearest = std::min(nearest, std::hypot(la[0] - lb[0], la[1] - lb[1], la[2] - lb[2]));
    }
    return nearest;
}

TEST(GemStrip, EveryPairDiffersInColourForEveryVisionOrInSilhouette) {
    const std::vector<Gem> gems = ReadGems();
    ASSERT_EQ(gems.size(), size_t(GEM_SKULL - 1));
    for (size_t i = 0; i < gems.size(); ++i) {
        for (size_t j = i + 1; j < gems.size(); ++j) {
            const double colour = ColourDistance(gems[i], gems[j]);
            const double overlap = Overlap(gems[i], gems[j]);
            EXPECT_TRUE(colour >= kMinColourDistance || overlap <= kMaxOverlap)
                << "gems " << i + 1 << " and " << j + 1 << ": colour distance " << colour
                << ", outlines overlap " << overlap;
        }
    }
}

TEST(GemStrip, GemsLookTheSameSize) {
    const std::vector<Gem> gems = ReadGems();
    ASSERT_EQ(gems.size(), size_t(GEM_SKULL - 1));
    const auto [smallest, largest] = std::minmax_element(
        gems.begin(), gems.end(), [](const Gem& a, const Gem& b) { return a.area < b.area; });
    ASSERT_GT(smallest->area, 0);
    EXPECT_LE(double(largest->area) / smallest->area, kMaxSizeRatio)
        << "smallest " << smallest->area << " px, largest " << largest->area << " px";
}

}  // namespace
