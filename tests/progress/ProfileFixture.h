// Profiles in a test's own folder: a fresh game object, player and progress
// record, the shop's item table, the hook that gives every new profile fresh
// progress, and helpers to read and write a profile file's bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/FrameFixture.h"

class ProfileTest : public FrameTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The profile file of a name.
    std::string FileOf(const std::string& name) const;
    static std::vector<uint8_t> Bytes(const std::string& path);
    static void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
    // The little-endian 32-bit integer at a byte offset.
    static int32_t IntAt(const std::vector<uint8_t>& bytes, size_t offset);
    static void PutInt(std::vector<uint8_t>& bytes, size_t offset, int32_t value);
    // The settings file as it is on disk.
    std::string SettingsText() const;
};
