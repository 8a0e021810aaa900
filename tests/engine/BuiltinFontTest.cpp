#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "engine/BuiltinFont.h"

namespace {

std::vector<uint8_t> Glyph(int code) {
    const uint8_t* rows = BuiltinGlyph(code);
    return std::vector<uint8_t>(rows, rows + BUILTIN_GLYPH_HEIGHT);
}

int RowsUsed(const std::vector<uint8_t>& glyph, int first, int last) {
    int used = 0;
    for (int row = first; row <= last; ++row)
        used += glyph[row] != 0;
    return used;
}

TEST(BuiltinFontTest, EveryPrintableCharacterHasItsOwnGlyph) {
    std::map<std::vector<uint8_t>, char> seen;
    for (int code = BUILTIN_FIRST_CODE; code <= BUILTIN_LAST_CODE; ++code) {
        SCOPED_TRACE(std::string(1, static_cast<char>(code)));
        const std::vector<uint8_t> glyph = Glyph(code);
        const bool blank = RowsUsed(glyph, 0, BUILTIN_GLYPH_HEIGHT - 1) == 0;
        EXPECT_EQ(blank, code == ' ');
        // The rightmost column is the gap between neighbours, so glyphs use
        // at most seven columns.
        for (uint8_t row : glyph)
            EXPECT_EQ(row & 1, 0);
        // The top and bottom rows space the lines apart.
        EXPECT_EQ(glyph.front() | glyph.back(), 0);
        auto [where, added] = seen.emplace(glyph, static_cast<char>(code));
        EXPECT_TRUE(added) << "same glyph as '" << where->second << "'";
    }
}

TEST(BuiltinFontTest, LettersSitOnOneBaselineAndOnlySomeDescend) {
    const std::string descending = "gjpqy";
    const int baselineRow = 8;
    for (int code = BUILTIN_FIRST_CODE; code <= BUILTIN_LAST_CODE; ++code) {
        if (!std::isalnum(code)) continue;
        SCOPED_TRACE(std::string(1, static_cast<char>(code)));
        const std::vector<uint8_t> glyph = Glyph(code);
        const bool descends = RowsUsed(glyph, baselineRow + 1, BUILTIN_GLYPH_HEIGHT - 1) > 0;
        EXPECT_EQ(descends, descending.find(static_cast<char>(code)) != std::string::npos);
        if (!descends) {
            EXPECT_NE(glyph[baselineRow], 0);
        }
        // Lower case without ascenders stays below the capitals' top rows.
        if (std::string("acegmnopqrsuvwxyz").find(static_cast<char>(code)) != std::string::npos) {
            EXPECT_EQ(RowsUsed(glyph, 1, 2), 0);
        }
    }
}

TEST(BuiltinFontTest, UnknownCodesShowAQuestionMark) {
    for (int code : {-1, 0, 10, 31, 127, 200, 100000})
        EXPECT_EQ(Glyph(code), Glyph('?'));
    EXPECT_NE(Glyph('A'), Glyph('?'));
}

}  // namespace
