// The bitmap-font reader on any description, through the call the game makes
// for its fonts: the input is the .fnt beside a fixed page picture. It never
// crashes; a font it accepts has glyphs, each of them on the page with a size
// and an advance that are not negative and stored where its code says; text
// is measured, cut to a width and drawn (on the headless software renderer).
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/Graphics.h"
#include "engine/Pixmap.h"
#include "fuzz/FuzzInput.h"
#include "media/BitmapFont.h"

namespace fs = std::filesystem;

namespace {

// Small, so that every input loads its page quickly; the glyphs of the real
// fonts that lie beyond it are skipped as off the page.
constexpr int kPageSide = 128;

// A folder holding page.png and page.fnt; the description is a link to an
// in-memory file that every input overwrites.
class FontFolder {
  public:
    FontFolder() {
        std::string pattern = (fs::temp_directory_path() / "hm-fuzz-font-XXXXXX").string();
        if (!mkdtemp(pattern.data())) return;
        folder_ = pattern;
        description_ = memfd_create("fuzz-fnt", MFD_CLOEXEC);
        PixmapPtr page = TPixmap::Create(kPageSide, kPageSide);
        page->ClearPixels(0xFFFFFFFFu);
        std::error_code error;
        fs::create_symlink("/proc/self/fd/" + std::to_string(description_),
                           fs::path(folder_) / "page.fnt", error);
        ready_ = description_ >= 0 && !error && SavePixmapPNG(*page, Base() + ".png", 9);
    }
    ~FontFolder() {
        if (description_ >= 0) close(description_);
        std::error_code ignored;
        if (!folder_.empty()) fs::remove_all(folder_, ignored);
    }
    FontFolder(const FontFolder&) = delete;
    FontFolder& operator=(const FontFolder&) = delete;

    bool Write(const uint8_t* data, size_t size) const {
        if (!ready_ || ftruncate(description_, 0) != 0) return false;
        return size == 0 || pwrite(description_, data, size, 0) == static_cast<ssize_t>(size);
    }
    // The path the font is created from (without its extension).
    std::string Base() const { return folder_ + "/page"; }

  private:
    std::string folder_;
    int description_ = -1;
    bool ready_ = false;
};

bool GlyphsInPlace(const TBitmapFont& font) {
    const size_t size = static_cast<size_t>(font.ArraySize);
    for (const auto* array : {&font.width, &font.height, &font.xAdvance, &font.xOffset,
                              &font.yOffset, &font.xPos, &font.yPos}) {
        if (array->size() != size) return false;
    }
    if (font.ID.size() != size || font.NumChars <= 0) return false;
    const int lastExtra = TBitmapFont::FIRST_EXTRA_INDEX + font.NumExtraChars;
    if (lastExtra > font.ArraySize) return false;
    for (int i = 1; i < lastExtra; ++i) {
        const int id = font.ID[i];
        if (id == 0) continue;
        if (i < TBitmapFont::FIRST_EXTRA_INDEX ? id != i : id < TBitmapFont::FIRST_EXTRA_INDEX)
            return false;
        if (font.width[i] < 0 || font.height[i] < 0 || font.xAdvance[i] < 0) return false;
        if (font.xPos[i] < 0 || font.yPos[i] < 0 || font.xPos[i] + font.width[i] > kPageSide ||
            font.yPos[i] + font.height[i] > kPageSide) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ThrowFatalErrors();
    static const bool drawing = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_RENDER_DRIVER", "software", 1);
        if (!InitVideo()) return false;
        SetRenderer(RendererKind::Software);
        return Graphics(320, 200, 0, 60);
    }();
    static const FontFolder folder;
    if (!folder.Write(data, size)) return 0;
    TBitmapFontPtr font;
    try {
        font = TBitmapFont::Create(folder.Base(), -1, 1, 0);
    } catch (const FatalErrorRaised&) {
        return 0;  // a description without a single glyph
    }
    if (!font || !GlyphsInPlace(*font)) std::abort();

    const std::string text = "Hollowmere 0123 AWgjy \xC3\xA9\xC3\x9F \xE2\x9C\x93 \xF0\x9F\x91\xBB";
    const double width = font->StringWidth(text);
    if (!std::isfinite(width) || width < 0 || !std::isfinite(font->StringHeight(text)))
        std::abort();
    const std::string cut = font->TruncateString(text, width / 2);
    if (text.compare(0, cut.size(), cut) != 0 ||
        font->StringWidth(cut) > width / 2 * font->ScaleFactor + 1e-6) {
        std::abort();  // not a prefix, or wider than asked
    }
    if (drawing) {
        Cls();
        font->DrawAlignedWithShadow(text, 160, 100, 3);
        font->Draw(text, 10, 10, 0, 0, 1, 1, 0, 0, 1);
    }
    return 0;
}
