#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Files.h"

namespace {

// A private folder with mixed-case names, as the data files have on disk:
//   Data/Levels/1.txt
//   Data/Menus/ButtonLong.png
//   Data/graphics/
class FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "hollowmere_files_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        savedDir_ = CurrentDir();
        ASSERT_TRUE(CreateDir(root_ + "/Data/Levels", true));
        ASSERT_TRUE(CreateDir(root_ + "/Data/Menus"));
        ASSERT_TRUE(CreateDir(root_ + "/Data/graphics"));
        WriteRaw("Data/Levels/1.txt", "level one\n");
        WriteRaw("Data/Menus/ButtonLong.png", "png");
    }

    void TearDown() override {
        ChangeDir(savedDir_);
        DeleteDir(root_, true);
    }

    void WriteRaw(const std::string& relative, const std::string& bytes) {
        std::ofstream(At(relative), std::ios::binary) << bytes;
    }

    std::string At(const std::string& relative) const { return root_ + "/" + relative; }

    std::string root_;
    std::string savedDir_;
};

TEST_F(FilesTest, ResolvesAnyLetterCaseAndDotDot) {
    const std::string level = At("Data/Levels/1.txt");
    EXPECT_EQ(ResolvePath(level), level);
    EXPECT_EQ(ResolvePath(At("data/levels/1.txt")), level);
    EXPECT_EQ(ResolvePath(At("Data/Levels/1.TXT")), level);
    EXPECT_EQ(ResolvePath(At("DATA\\levels\\\\1.txt")), level);
    EXPECT_EQ(ResolvePath(At("Data/graphics/../Menus/./buttonlong.PNG")),
              At("Data/Menus/ButtonLong.png"));
    // ".." is resolved by name, so it works through a folder that is missing.
    EXPECT_EQ(ResolvePath(At("Data/Nowhere/../MENUS/ButtonLong.png")),
              At("Data/Menus/ButtonLong.png"));
    EXPECT_EQ(ResolvePath(At("data/levels/2.txt")), At("data/levels/2.txt"));

    // Relative paths walk from the current folder and stay relative.
    ASSERT_TRUE(ChangeDir(root_));
    EXPECT_EQ(ResolvePath("data/LEVELS/1.txt"), "Data/Levels/1.txt");
    std::string text;
    ASSERT_TRUE(LoadText("DATA/levels/1.TXT", text));
    EXPECT_EQ(text, "level one\n");
    EXPECT_EQ(FileType("data/menus"), FILETYPE_DIR);
    EXPECT_EQ(FileType("data/menus/buttonlong.png"), FILETYPE_FILE);
    EXPECT_EQ(FileSize("data/menus/buttonlong.png"), 3);
    EXPECT_EQ(FileType("data/menus/missing.png"), FILETYPE_NONE);
    EXPECT_EQ(FileSize("data/menus/missing.png"), -1);
    EXPECT_EQ(LoadDir("DATA"), (std::vector<std::string>{"Levels", "Menus", "graphics"}));
}

TEST_F(FilesTest, PrefersTheExactNameAndSeesNewFiles) {
    WriteRaw("Data/Levels/Mixed.txt", "upper");
    WriteRaw("Data/Levels/mixed.txt", "lower");
    std::string text;
    ASSERT_TRUE(LoadText(At("data/levels/mixed.txt"), text));
    EXPECT_EQ(text, "lower");
    ASSERT_TRUE(LoadText(At("data/levels/Mixed.txt"), text));
    EXPECT_EQ(text, "upper");

    // The Levels listing is cached by the lookups above; files made through
    // this module must still be found under any letter case.
    EXPECT_EQ(ResolvePath(At("data/levels/New.txt")), At("data/levels/New.txt"));
    ASSERT_TRUE(CreateFile(At("Data/Levels/New.txt")));
    EXPECT_EQ(ResolvePath(At("data/levels/new.TXT")), At("Data/Levels/New.txt"));

    EXPECT_EQ(FileType(At("data/levels/written.txt")), FILETYPE_NONE);
    StreamPtr out = WriteFile(At("Data/Levels/Written.txt"));
    ASSERT_TRUE(out);
    out->WriteString("abc");
    EXPECT_TRUE(out->Close());
    EXPECT_EQ(FileSize(At("data/levels/WRITTEN.txt")), 3);

    ASSERT_TRUE(RenameFile(At("Data/Levels/Written.txt"), At("Data/Levels/Renamed.txt")));
    EXPECT_EQ(FileType(At("data/levels/written.txt")), FILETYPE_NONE);
    EXPECT_EQ(FileSize(At("data/levels/renamed.txt")), 3);
    ASSERT_TRUE(CopyFile(At("data/levels/renamed.txt"), At("Data/Copy.txt")));
    EXPECT_EQ(FileSize(At("data/COPY.txt")), 3);
    ASSERT_TRUE(DeleteFile(At("Data/Copy.txt")));
    EXPECT_EQ(FileType(At("data/copy.txt")), FILETYPE_NONE);

    // Files and folders that another program adds behind the cache's back,
    // after lookups have cached the folders without them.
    EXPECT_EQ(FileType(At("data/levels/outside.txt")), FILETYPE_NONE);
    EXPECT_EQ(FileType(At("data/fresh")), FILETYPE_NONE);
    WriteRaw("Data/Levels/Outside.txt", "abcd");
    EXPECT_EQ(FileSize(At("data/levels/OUTSIDE.txt")), 4);
    std::filesystem::create_directories(At("Data/Fresh/Deeper"));
    WriteRaw("Data/Fresh/Deeper/One.txt", "x");
    EXPECT_EQ(ResolvePath(At("data/fresh/deeper/one.txt")), At("Data/Fresh/Deeper/One.txt"));
    std::filesystem::remove(At("Data/Levels/Outside.txt"));
    EXPECT_EQ(FileType(At("data/levels/outside.txt")), FILETYPE_NONE);
}

TEST_F(FilesTest, StreamsReadLinesAndLittleEndianNumbers) {
    const std::string path = At("stream.bin");
    StreamPtr out = WriteFile(path);
    ASSERT_TRUE(out);
    out->WriteLine("first");
    out->WriteInt(0x12345678);
    out->WriteInt(-2);
    out->WriteByte(0x1FF);  // only the low byte is kept
    out->WriteString("unix\nlast");
    EXPECT_EQ(out->Size(), 7 + 4 + 4 + 1 + 9);
    EXPECT_TRUE(out->Close());
    EXPECT_TRUE(out->Close());  // closing twice is harmless

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(LoadBytes(path, bytes));
    ASSERT_EQ(bytes.size(), 25u);
    EXPECT_EQ(bytes[5], '\r');
    EXPECT_EQ(bytes[6], '\n');
    EXPECT_EQ(bytes[7], 0x78);  // least significant byte first
    EXPECT_EQ(bytes[10], 0x12);

    StreamPtr in = ReadFile(path);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->ReadLine(), "first");
    EXPECT_EQ(in->ReadInt(), 0x12345678);
    EXPECT_EQ(in->ReadInt(), -2);
    EXPECT_EQ(in->ReadByte(), 0xFF);
    EXPECT_EQ(in->ReadLine(), "unix");
    EXPECT_FALSE(in->Eof());
    EXPECT_EQ(in->ReadLine(), "last");
    EXPECT_TRUE(in->Eof());
    EXPECT_EQ(in->ReadByte(), 0);
    EXPECT_EQ(in->ReadInt(), 0);
    EXPECT_EQ(in->ReadLine(), "");

    // Read-write streams may switch between reading and writing.
    StreamPtr both = OpenFile(path);
    ASSERT_TRUE(both);
    EXPECT_EQ(both->ReadLine(), "first");
    both->WriteInt(7);
    both->Seek(7);
    EXPECT_EQ(both->ReadInt(), 7);
    EXPECT_EQ(both->Pos(), 11);
    EXPECT_TRUE(both->Close());

    EXPECT_EQ(OpenStream(path, 0), nullptr);
    EXPECT_EQ(ReadFile(At("missing.bin")), nullptr);
    EXPECT_EQ(OpenFile(At("missing.bin")), nullptr);
    EXPECT_EQ(ReadFile(root_), nullptr);  // a folder is not a stream
}

TEST_F(FilesTest, AFullDiskIsReported) {
    if (FileType("/dev/full") == FILETYPE_NONE) GTEST_SKIP() << "no /dev/full";
    StreamPtr out = WriteFile("/dev/full");
    ASSERT_TRUE(out);
    std::string block(1 << 16, 'x');  // larger than the stream buffer
    out->WriteString(block);
    EXPECT_FALSE(out->Flush());
    EXPECT_TRUE(out->WriteFailed());
    EXPECT_FALSE(out->Close());
}

TEST_F(FilesTest, SafeSavesKeepTheOldFileOnFailure) {
    const std::string save = At("save.dat");
    ASSERT_TRUE(SaveTextSafely(save, "old"));
    ASSERT_TRUE(SaveTextSafely(save, "new contents"));
    std::string text;
    ASSERT_TRUE(LoadText(save, text));
    EXPECT_EQ(text, "new contents");
    EXPECT_EQ(FileType(save + ".tmp"), FILETYPE_NONE);

    EXPECT_FALSE(SaveTextSafely(At("no/such/folder/save.dat"), "x"));
    EXPECT_EQ(FileType(At("no")), FILETYPE_NONE);  // no folders are made

    // The rename fails when a folder is in the way; the temp file goes.
    ASSERT_TRUE(CreateDir(At("blocked/inside"), true));
    EXPECT_FALSE(SaveTextSafely(At("blocked"), "x"));
    EXPECT_EQ(FileType(At("blocked.tmp")), FILETYPE_NONE);
    EXPECT_EQ(FileType(At("blocked/inside")), FILETYPE_DIR);

    // A read-only folder stops the save before the old file is touched
    // (root ignores permissions, so only check this as another user).
    if (geteuid() != 0) {
        ASSERT_EQ(chmod(root_.c_str(), 0555), 0);
        EXPECT_FALSE(SaveTextSafely(save, "lost"));
        chmod(root_.c_str(), 0755);
        ASSERT_TRUE(LoadText(save, text));
        EXPECT_EQ(text, "new contents");
    }
}

TEST_F(FilesTest, FoldersAreMadeListedAndRemoved) {
    EXPECT_FALSE(CreateDir(At("a/b/c")));
    EXPECT_TRUE(CreateDir(At("a/b/c"), true));
    EXPECT_TRUE(CreateDir(At("a/b/c")));  // already there
    WriteRaw("a/b/file.txt", "x");
    WriteRaw("a/Z.txt", "x");
    EXPECT_EQ(LoadDir(At("a")), (std::vector<std::string>{"Z.txt", "b"}));
    EXPECT_TRUE(LoadDir(At("missing")).empty());
    EXPECT_FALSE(CreateDir(At("a/Z.txt")));  // a file is in the way

    EXPECT_FALSE(DeleteDir(At("a")));  // not empty
    EXPECT_FALSE(DeleteDir(At("a/Z.txt")));
    EXPECT_FALSE(DeleteFile(At("a/b")));
    EXPECT_TRUE(DeleteDir(At("a"), true));
    EXPECT_EQ(FileType(At("a")), FILETYPE_NONE);

    EXPECT_NE(AppFile().find("hollowmere_tests"), std::string::npos);
    EXPECT_EQ(AppDir() + "/" + StripDir(AppFile()), AppFile());
}

TEST(PathNames, SplitIntoFolderNameAndExtension) {
    EXPECT_EQ(StripDir("a/b/c.txt"), "c.txt");
    EXPECT_EQ(StripDir("a\\b\\c.txt"), "c.txt");
    EXPECT_EQ(StripDir("c.txt"), "c.txt");
    EXPECT_EQ(StripExt("a/b/c.txt"), "a/b/c");
    EXPECT_EQ(StripExt("a.b/c"), "a.b/c");
    EXPECT_EQ(StripExt("a/c.tar.gz"), "a/c.tar");
    EXPECT_EQ(StripAll("a.b/c.txt"), "c");
    EXPECT_EQ(ExtractExt("a/b/c.txt"), "txt");
    EXPECT_EQ(ExtractExt("a.b/c"), "");
    EXPECT_EQ(ExtractExt("a.b\\c"), "");
    EXPECT_EQ(ExtractDir("a/b/c.txt"), "a/b");
    EXPECT_EQ(ExtractDir("a\\b\\c.txt"), "a/b");
    EXPECT_EQ(ExtractDir("c.txt"), "");
    EXPECT_EQ(ExtractDir("/c.txt"), "/");
    EXPECT_EQ(JoinPath("a/b", "c.txt"), "a/b/c.txt");
    EXPECT_EQ(JoinPath("a/b/", "c.txt"), "a/b/c.txt");
    EXPECT_EQ(JoinPath("", "c.txt"), "c.txt");
}

}  // namespace
