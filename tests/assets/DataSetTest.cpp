// The generated data set against its manifest: every file is there, reads
// with the game's own loaders, and has the size, frames, sound format and
// length the game relies on; every font page agrees with its description.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

#include "engine/Audio.h"
#include "engine/Files.h"
#include "engine/Pixmap.h"
#include "engine/Strings.h"
#include "manifest/Manifest.h"

namespace {

const std::string kData = HOLLOWMERE_DATA_DIR;

std::string PathOf(const asset::Entry& entry) {
    return kData + "/" + entry.path;
}

bool StartsWith(const std::vector<uint8_t>& bytes, std::initializer_list<uint8_t> magic) {
    if (bytes.size() < magic.size()) return false;
    size_t i = 0;
    for (uint8_t b : magic) {
        if (bytes[i++] != b) return false;
    }
    return true;
}

void CheckPicture(const asset::Entry& entry) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(LoadBytes(PathOf(entry), bytes)) << "missing";
    if (entry.kind == asset::Kind::Jpeg) {
        EXPECT_TRUE(StartsWith(bytes, {0xFF, 0xD8, 0xFF})) << "not a JPEG";
    } else {
        EXPECT_TRUE(StartsWith(bytes, {0x89, 'P', 'N', 'G'})) << "not a PNG";
    }
    PixmapPtr pixels = LoadPixmapFromMemory(bytes.data(), bytes.size());
    ASSERT_TRUE(pixels) << "the game cannot read it";
    const int w = pixels->Width(), h = pixels->Height();
    if (entry.width) {
        EXPECT_EQ(w, entry.width);
    }
    if (entry.height) {
        EXPECT_EQ(h, entry.height);
    }
    if (entry.minWidth) {
        EXPECT_GE(w, entry.minWidth);
    }
    if (entry.minHeight) {
        EXPECT_GE(h, entry.minHeight);
    }
    if (entry.maxWidth) {
        EXPECT_LE(w, entry.maxWidth);
    }
    if (entry.maxHeight) {
        EXPECT_LE(h, entry.maxHeight);
    }
    if (entry.frames > 0) {
        ASSERT_GT(entry.cellWidth, 0);
        ASSERT_GT(entry.cellHeight, 0);
        EXPECT_EQ(w % entry.cellWidth, 0) << "width is not whole cells";
        EXPECT_EQ(h % entry.cellHeight, 0) << "height is not whole cells";
        EXPECT_GE((w / entry.cellWidth) * (h / entry.cellHeight), entry.frames) << "too few cells";
    }
}

void CheckSound(const asset::Entry& entry) {
    UseManualAudioOutput();
    SoundPtr sound = TSound::Load(PathOf(entry), entry.looped ? SOUND_LOOP : 0);
    ASSERT_TRUE(sound) << "the game cannot read it";
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(LoadBytes(PathOf(entry), bytes));
    if (entry.kind == asset::Kind::Ogg) {
        EXPECT_TRUE(StartsWith(bytes, {'O', 'g', 'g', 'S'})) << "not Ogg";
    } else {
        EXPECT_TRUE(StartsWith(bytes, {'R', 'I', 'F', 'F'})) << "not WAV";
    }
    if (entry.sampleRate) {
        EXPECT_EQ(sound->SampleRate(), entry.sampleRate);
    }
    if (entry.channels) {
        EXPECT_EQ(sound->ChannelCount(), entry.channels);
    }
    if (entry.minSeconds > 0) {
        EXPECT_GE(sound->LengthSeconds(), entry.minSeconds);
    }
    if (entry.maxSeconds > 0) {
        EXPECT_LE(sound->LengthSeconds(), entry.maxSeconds);
    }
}

// A number read the way the game reads a ".fnt" field: a fixed count of
// characters after the tag, ending early at the first non-number character.
int FieldOf(const std::string& line, const std::string& tag, int width, bool& found) {
    const size_t at = line.find(tag);
    found = at != std::string::npos;
    return found ? ToInt(line.substr(at + tag.size(), width)) : 0;
}

struct Glyph {
    int x, y, width, height;
};

void CheckFont(const asset::Entry& entry) {
    std::string text;
    ASSERT_TRUE(LoadText(PathOf(entry), text)) << "missing";
    const std::string page = StripExt(PathOf(entry)) + ".png";
    PixmapPtr pixels = LoadPixmap(page);
    ASSERT_TRUE(pixels) << "no glyph page " << page;
    int textureW = 0, textureH = 0;
    std::map<int, Glyph> glyphs;
    for (const std::string& raw : Split(text, '\n')) {
        const std::string line = Replace(raw, "\r", "");
        EXPECT_LT(line.size(), 256u) << "line too long";
        bool found = false;
        if (line.rfind("common", 0) == 0) {
            textureW = FieldOf(line, "scaleW=", 4, found);
            textureH = FieldOf(line, "scaleH=", 4, found);
        }
        if (line.rfind("char ", 0) == 0 || line.rfind("char\t", 0) == 0) {
            const int id = FieldOf(line, "id=", 5, found);
            Glyph glyph{FieldOf(line, "x=", 4, found), FieldOf(line, "y=", 4, found),
                        FieldOf(line, "width=", 3, found), FieldOf(line, "height=", 3, found)};
            glyphs[id] = glyph;
        }
    }
    EXPECT_EQ(textureW, pixels->Width()) << "scaleW disagrees with the page";
    EXPECT_EQ(textureH, pixels->Height()) << "scaleH disagrees with the page";
    for (const auto& [id, glyph] : glyphs) {
        EXPECT_GE(glyph.x, 0) << "glyph " << id;
        EXPECT_GE(glyph.y, 0) << "glyph " << id;
        EXPECT_LE(glyph.x + glyph.width, pixels->Width()) << "glyph " << id;
        EXPECT_LE(glyph.y + glyph.height, pixels->Height()) << "glyph " << id;
    }
    // Printable Latin-1, which covers the test strings and every text drawn.
    for (int code = 33; code <= 255; ++code) {
        if (code >= 127 && code < 161) continue;
        EXPECT_TRUE(glyphs.count(code)) << "no glyph for code " << code;
    }
    EXPECT_TRUE(glyphs.count(' ')) << "no space";
}

class DataSetTest : public ::testing::Test {
  protected:
    void TearDown() override { ShutdownAudio(); }
};

TEST_F(DataSetTest, ManifestIsWellFormed) {
    const auto& manifest = asset::Manifest();
    ASSERT_FALSE(manifest.empty());
    std::set<std::string> lowerCasePaths;
    for (const asset::Entry& entry : manifest) {
        EXPECT_FALSE(entry.path.empty());
        EXPECT_FALSE(entry.group.empty()) << entry.path;
        // Lookups ignore case: two entries differing only in case would clash.
        EXPECT_TRUE(lowerCasePaths.insert(Lower(entry.path)).second) << "duplicate " << entry.path;
    }
}

TEST_F(DataSetTest, EveryFileIsThereAndReadsAsTheGameExpects) {
    for (const asset::Entry& entry : asset::Manifest()) {
        SCOPED_TRACE(entry.path);
        switch (entry.kind) {
            case asset::Kind::Png:
            case asset::Kind::Jpeg:
                CheckPicture(entry);
                break;
            case asset::Kind::Wav:
            case asset::Kind::Ogg:
                CheckSound(entry);
                break;
            case asset::Kind::Fnt:
                CheckFont(entry);
                break;
            case asset::Kind::Folder:
                EXPECT_EQ(FileType(PathOf(entry)), FILETYPE_DIR);
                break;
        }
    }
}

}  // namespace
