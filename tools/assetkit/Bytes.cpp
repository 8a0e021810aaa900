#include "assetkit/Bytes.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace asset {

bool ReadWholeFile(const std::string& path, Bytes& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool WriteIfChanged(const std::string& path, const Bytes& bytes, bool* changed) {
    if (changed) *changed = false;
    Bytes existing;
    if (ReadWholeFile(path, existing) && existing == bytes) return true;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) return false;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) return false;
    if (changed) *changed = true;
    return true;
}

Bytes BytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

}  // namespace asset
