// Writing generated files: only when their bytes differ, so a rebuild leaves
// unchanged files (and their timestamps) alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace asset {

using Bytes = std::vector<uint8_t>;

// Creates the parent folders; false on any failure.
bool WriteIfChanged(const std::string& path, const Bytes& bytes, bool* changed = nullptr);
bool ReadWholeFile(const std::string& path, Bytes& out);
Bytes BytesOf(const std::string& text);

}  // namespace asset
