// The asset tool's kit: its randomness, file writing and generator harness.
// Every data file of the game comes out of these, so a rebuild must give the
// same bytes and must leave unchanged files alone.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "assetkit/Bytes.h"
#include "assetkit/Random.h"
#include "assetkit/Registry.h"
#include "manifest/Manifest.h"

namespace {

namespace fs = std::filesystem;
using asset::Bytes;

fs::path FreshFolder(const std::string& purpose) {
    const fs::path dir = fs::temp_directory_path() /
                         ("hollowmere-assetkit-" + std::to_string(getpid()) + "-" + purpose);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// ------------------------------------------------------------------ random --

TEST(AssetRandom, SameSeedRepeatsAndNumbersStayInRange) {
    asset::Rng a(42), b(42), other(43);
    int differing = 0;
    for (int i = 0; i < 1000; ++i) {
        const uint64_t value = a.Next();
        ASSERT_EQ(value, b.Next()) << "draw " << i;
        if (value != other.Next()) ++differing;
    }
    EXPECT_GT(differing, 990) << "neighbouring seeds must give unrelated sequences";

    asset::Rng rng(7);
    int counts[7] = {};
    int chances = 0;
    double sum = 0;
    constexpr int kDraws = 60000;
    for (int i = 0; i < kDraws; ++i) {
        const double u = rng.Uniform();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        sum += u;
        const double r = rng.Range(-2.5, 4.0);
        ASSERT_GE(r, -2.5);
        ASSERT_LT(r, 4.0);
        const int n = rng.Int(-3, 3);
        ASSERT_GE(n, -3);
        ASSERT_LE(n, 3);
        ++counts[n + 3];
        if (rng.Chance(0.25)) ++chances;
        ASSERT_FALSE(rng.Chance(0.0));
        ASSERT_TRUE(rng.Chance(1.0));
    }
    EXPECT_NEAR(sum / kDraws, 0.5, 0.01);
    EXPECT_NEAR(double(chances) / kDraws, 0.25, 0.01);
    // Both ends of Int's range come up as often as the middle.
    for (int count : counts)
        EXPECT_NEAR(double(count) / kDraws, 1.0 / 7, 0.01);
}

TEST(AssetRandom, NamesGiveStableDistinctSeeds) {
    const std::string name = "graphics/Gems/Gems.png";
    EXPECT_EQ(asset::SeedOf(name.c_str()), asset::SeedOf("graphics/Gems/Gems.png"));
    EXPECT_NE(asset::SeedOf("ab"), asset::SeedOf("ba"));
    EXPECT_NE(asset::SeedOf(""), asset::SeedOf("a"));
    std::set<uint64_t> seeds;
    for (int i = 0; i < 500; ++i)
        seeds.insert(asset::SeedOf(("sound/Tick" + std::to_string(i)).c_str()));
    EXPECT_EQ(seeds.size(), 500u);
}

TEST(AssetRandom, NoiseIsBoundedSmoothRepeatableAndTilesWhenAsked) {
    const uint64_t seed = asset::SeedOf("fog");
    bool seedMatters = false, untiledRepeats = true;
    for (double y = -3; y < 3; y += 0.37) {
        for (double x = -5; x < 5; x += 0.25) {
            const double v = asset::ValueNoise(x, y, seed);
            ASSERT_GE(v, 0.0);
            ASSERT_LE(v, 1.0);
            ASSERT_EQ(v, asset::ValueNoise(x, y, seed));
            // Smooth: a tiny step moves the value only a little.
            ASSERT_NEAR(v, asset::ValueNoise(x + 0.001, y, seed), 0.01);
            if (v != asset::ValueNoise(x, y, seed + 1)) seedMatters = true;

            const double f = asset::FractalNoise(x, y, seed, 4);
            ASSERT_GE(f, 0.0);
            ASSERT_LE(f, 1.0);
            // A period of 8 makes the field repeat across x, negatives too.
            EXPECT_NEAR(asset::ValueNoise(x, y, seed, 8), asset::ValueNoise(x + 8, y, seed, 8),
                        1e-12);
            EXPECT_NEAR(asset::FractalNoise(x, y, seed, 4, 0.5, 8),
                        asset::FractalNoise(x + 8, y, seed, 4, 0.5, 8), 1e-12);
            if (std::abs(f - asset::FractalNoise(x + 8, y, seed, 4)) > 1e-6) untiledRepeats = false;
        }
    }
    EXPECT_TRUE(seedMatters);
    EXPECT_FALSE(untiledRepeats) << "without a period the field must not repeat";
}

// ------------------------------------------------------------------- files --

TEST(AssetFiles, WritesOnlyWhenBytesChange) {
    const fs::path dir = FreshFolder("write");
    const std::string path = (dir / "graphics" / "deep" / "Picture.bin").string();
    const Bytes first = {0x89, 'P', 0, 'N', 0xFF, '\n'};
    bool changed = false;
    ASSERT_TRUE(asset::WriteIfChanged(path, first, &changed)) << "parent folders are created";
    EXPECT_TRUE(changed);
    Bytes read;
    ASSERT_TRUE(asset::ReadWholeFile(path, read));
    EXPECT_EQ(read, first);

    // Same bytes: the file and its time stay as they were.
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(path, old);
    ASSERT_TRUE(asset::WriteIfChanged(path, first, &changed));
    EXPECT_FALSE(changed);
    EXPECT_EQ(fs::last_write_time(path), old);

    const Bytes second = asset::BytesOf(std::string("new\0text", 8));
    EXPECT_EQ(second.size(), 8u);
    ASSERT_TRUE(asset::WriteIfChanged(path, second, &changed));
    EXPECT_TRUE(changed);
    ASSERT_TRUE(asset::ReadWholeFile(path, read));
    EXPECT_EQ(read, second);
    EXPECT_FALSE(fs::exists(path + ".tmp"));

    ASSERT_TRUE(asset::WriteIfChanged((dir / "Empty.bin").string(), {}, &changed));
    EXPECT_TRUE(fs::exists(dir / "Empty.bin"));
    EXPECT_EQ(fs::file_size(dir / "Empty.bin"), 0u);

    // A file where a folder should be: failure, reported as unchanged.
    changed = true;
    EXPECT_FALSE(asset::WriteIfChanged(path + "/below.bin", first, &changed));
    EXPECT_FALSE(changed);
    EXPECT_FALSE(asset::ReadWholeFile((dir / "missing.bin").string(), read));
    fs::remove_all(dir);
}

// ---------------------------------------------------------------- registry --

// What the registration function of a test group does: RunGroup takes a
// plain function, so the plan lives here.
struct Plan {
    std::string group;
    std::string skip;     // manifest path left without a generator
    std::string extra;    // a generator for a path outside the group
    std::string failing;  // a generator that throws
};
Plan gPlan;

Bytes ContentOf(const std::string& path) {
    return asset::BytesOf("made " + path);
}

void RegisterPlan(asset::Registry& registry) {
    for (const asset::Entry& entry : asset::Manifest()) {
        if (entry.group != gPlan.group || entry.kind == asset::Kind::Folder ||
            entry.path == gPlan.skip)
            continue;
        const std::string path = entry.path;
        registry.Add(path, [path] {
            if (path == gPlan.failing) throw std::runtime_error("broken on purpose");
            return ContentOf(path);
        });
    }
    if (!gPlan.extra.empty()) registry.Add(gPlan.extra, [] { return Bytes{1}; });
}

class AssetRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        out_ = FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        // The ui group has files and a folder entry.
        gPlan = Plan{"ui", "", "", ""};
        for (const asset::Entry& entry : asset::Manifest()) {
            if (entry.group != "ui") continue;
            (entry.kind == asset::Kind::Folder ? folders_ : files_).push_back(entry.path);
        }
        ASSERT_GE(files_.size(), 3u);
    }
    void TearDown() override { fs::remove_all(out_); }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), "assetgen-test");
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int code = asset::RunGroup(int(argv.size()), argv.data(), gPlan.group, RegisterPlan);
        ::testing::internal::GetCapturedStdout();
        errors_ = ::testing::internal::GetCapturedStderr();
        return code;
    }
    size_t FilesWritten() const {
        size_t count = 0;
        for (const auto& item : fs::recursive_directory_iterator(out_))
            count += item.is_regular_file();
        return count;
    }

    fs::path out_;
    std::vector<std::string> files_, folders_;
    std::string errors_;
};

TEST(AssetRegistry, KeepsOneGeneratorPerPathInOrder) {
    asset::Registry registry;
    registry.Add("b.png", [] { return Bytes{1}; });
    registry.Add("a.png", [] { return Bytes{2}; });
    registry.Add("b.png", [] { return Bytes{3}; });
    ASSERT_EQ(registry.All().size(), 2u);
    EXPECT_EQ(registry.All().begin()->first, "a.png");
    EXPECT_EQ(registry.All().at("b.png")(), Bytes{3})
        << "a later registration replaces the earlier";
}

TEST_F(AssetRegistryTest, WritesEveryFileOfTheGroupAndLeavesThemAloneNextTime) {
    ASSERT_EQ(Run({"--out", out_.string(), "--jobs", "3"}), 0) << errors_;
    EXPECT_EQ(FilesWritten(), files_.size()) << "nothing from other groups";
    for (const std::string& path : files_) {
        Bytes bytes;
        ASSERT_TRUE(asset::ReadWholeFile((out_ / path).string(), bytes)) << path;
        EXPECT_EQ(bytes, ContentOf(path)) << path;
    }
    for (const std::string& folder : folders_)
        EXPECT_TRUE(fs::is_directory(out_ / folder)) << folder;

    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
    for (const std::string& path : files_)
        fs::last_write_time(out_ / path, old);
    ASSERT_EQ(Run({"--out", out_.string(), "--jobs", "0"}), 0) << errors_;
    for (const std::string& path : files_)
        EXPECT_EQ(fs::last_write_time(out_ / path), old) << path;
}

TEST_F(AssetRegistryTest, OnlyMakesTheFilesAskedFor) {
    const std::string wanted = files_[1];
    ASSERT_EQ(Run({"--out", out_.string(), "--only", wanted}), 0) << errors_;
    EXPECT_TRUE(fs::exists(out_ / wanted));
    for (const std::string& path : files_) {
        if (path.find(wanted) == std::string::npos) {
            EXPECT_FALSE(fs::exists(out_ / path)) << path;
        }
    }
}

TEST_F(AssetRegistryTest, RefusesAGroupThatDisagreesWithTheManifest) {
    gPlan.skip = files_[0];
    EXPECT_EQ(Run({"--out", out_.string()}), 1);
    EXPECT_NE(errors_.find(files_[0]), std::string::npos) << errors_;
    EXPECT_EQ(FilesWritten(), 0u) << "nothing is written for an inconsistent group";

    gPlan.skip.clear();
    gPlan.extra = "graphics/NotInTheManifest.png";
    EXPECT_EQ(Run({"--out", out_.string()}), 1);
    EXPECT_NE(errors_.find(gPlan.extra), std::string::npos) << errors_;

    // A real data file, but one another group makes.
    for (const asset::Entry& entry : asset::Manifest()) {
        if (entry.group != "ui" && entry.kind != asset::Kind::Folder) gPlan.extra = entry.path;
    }
    EXPECT_EQ(Run({"--out", out_.string()}), 1);
    EXPECT_NE(errors_.find(gPlan.extra), std::string::npos) << errors_;
    EXPECT_EQ(FilesWritten(), 0u);
}

TEST_F(AssetRegistryTest, AFailingGeneratorFailsTheRunButNotTheOthers) {
    gPlan.failing = files_[2];
    EXPECT_EQ(Run({"--out", out_.string()}), 1);
    EXPECT_NE(errors_.find("broken on purpose"), std::string::npos) << errors_;
    EXPECT_FALSE(fs::exists(out_ / files_[2]));
    EXPECT_EQ(FilesWritten(), files_.size() - 1);
}

TEST_F(AssetRegistryTest, RejectsBadCommandLines) {
    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({"--out"}), 2);
    EXPECT_EQ(Run({"--jobs", "2"}), 2) << "the Data folder is required";
    EXPECT_EQ(Run({"--out", out_.string(), "--fast"}), 2);
    EXPECT_EQ(Run({"--out", out_.string(), "--only"}), 2);
    EXPECT_EQ(FilesWritten(), 0u);
}

}  // namespace
