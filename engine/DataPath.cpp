// Case-insensitive path resolution, folder listings and path-name helpers.
//
// The data files were authored on a case-insensitive file system, so names in
// code and level files do not always match the letter case on disk. Lookups
// walk the path one component at a time against cached folder listings.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/Files.h"

namespace {

// Names of one folder: the exact names, and for each lower-cased name the
// first (in byte order) of the names that fold to it.
struct FolderListing {
    std::unordered_set<std::string> exact;
    std::unordered_map<std::string, std::string> folded;
    timespec modified{};  // the folder's change time when it was read
};

using ListingPtr = std::shared_ptr<const FolderListing>;

std::mutex cacheMutex;
std::map<std::string, ListingPtr> listingCache;  // keyed by absolute folder path

std::string AsciiLower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

std::string WithForwardSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool PathExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// Sorted names of a folder without "." and ".."; false when it cannot be read.
bool ReadFolderNames(const std::string& folder, std::vector<std::string>& names) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return false;
    while (const dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(std::move(name));
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return true;
}

// When the folder's contents last changed; zero when it cannot be read.
timespec FolderModified(const std::string& folder) {
    struct stat info;
    if (stat(folder.empty() ? "." : folder.c_str(), &info) != 0) return timespec{};
    return info.st_mtim;
}

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

ListingPtr BuildListing(const std::string& folder) {
    auto listing = std::make_shared<FolderListing>();
    listing->modified = FolderModified(folder);
    std::vector<std::string> names;
    ReadFolderNames(folder, names);
    for (const std::string& name : names) {
        listing->exact.insert(name);
        listing->folded.emplace(AsciiLower(name), name);  // keeps the first in byte order
    }
    return listing;
}

// A listing is read again when its folder has changed since, so files that
// other programs (or other parts of this one) add or remove are seen.
ListingPtr CachedListing(const std::string& absoluteFolder) {
    const timespec modified = FolderModified(absoluteFolder);
    {
        std::lock_guard<std::mutex> lock(cacheMutex);
        auto it = listingCache.find(absoluteFolder);
        if (it != listingCache.end() && SameTime(it->second->modified, modified)) return it->second;
    }
    // Read outside the lock: a slow disk must not block other lookups.
    ListingPtr listing = BuildListing(absoluteFolder);
    std::lock_guard<std::mutex> lock(cacheMutex);
    listingCache[absoluteFolder] = listing;
    return listing;
}

// Splits into components, dropping empty ones and "." and resolving ".."
// against the previous component. Leading ".." of a relative path stay; ".."
// at the root of an absolute path is the root.
std::vector<std::string> NormalisedComponents(const std::string& path, bool absolute) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..") {
                parts.pop_back();
            } else if (!absolute) {
                parts.push_back(part);
            }
            continue;
        }
        parts.push_back(std::move(part));
    }
    return parts;
}

std::string CurrentFolderForKeys() {
    std::string cwd = CurrentDir();
    return cwd.empty() ? std::string("/") : cwd;
}

std::string Joined(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// The on-disk spelling of `name` in a folder, or "" when nothing matches.
std::string MatchInFolder(const std::string& absoluteFolder, const std::string& name) {
    ListingPtr listing = CachedListing(absoluteFolder);
    if (listing->exact.count(name)) return name;
    auto it = listing->folded.find(AsciiLower(name));
    return it == listing->folded.end() ? std::string() : it->second;
}

}  // namespace

std::string ResolvePath(const std::string& path) {
    if (path.empty() || PathExists(path)) return path;

    std::string slashed = WithForwardSlashes(path);
    bool absolute = slashed[0] == '/';
    std::vector<std::string> parts = NormalisedComponents(slashed, absolute);

    std::string resolved = absolute ? "/" : "";
    std::string keyFolder = absolute ? "/" : CurrentFolderForKeys();
    for (const std::string& part : parts) {
        std::string actual = part == ".." ? part : MatchInFolder(keyFolder, part);
        if (actual.empty()) return path;
        resolved = Joined(resolved, actual);
        keyFolder = Joined(keyFolder, actual);
    }
    if (resolved.empty()) return std::string(".");  // "a/.." is the current folder
    return PathExists(resolved) ? resolved : path;
}

void ClearPathCache() {
    std::lock_guard<std::mutex> lock(cacheMutex);
    listingCache.clear();
}

std::vector<std::string> LoadDir(const std::string& path) {
    std::vector<std::string> names;
    if (!ReadFolderNames(ResolvePath(path), names)) names.clear();
    return names;
}

// ---------------------------------------------------------------- path names

namespace {

size_t LastSlash(const std::string& path) {
    return path.find_last_of("/\\");
}

// Position of the dot that starts the extension, npos when the file name
// (the part after the last folder separator) has none.
size_t ExtensionDot(const std::string& path) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) return dot;
    size_t slash = LastSlash(path);
    if (slash != std::string::npos && slash > dot) return std::string::npos;
    return dot;
}

}  // namespace

std::string StripDir(const std::string& path) {
    size_t slash = LastSlash(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string StripExt(const std::string& path) {
    size_t dot = ExtensionDot(path);
    return dot == std::string::npos ? path : path.substr(0, dot);
}

std::string StripAll(const std::string& path) {
    return StripExt(StripDir(path));
}

std::string ExtractExt(const std::string& path) {
    size_t dot = ExtensionDot(path);
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

std::string ExtractDir(const std::string& path) {
    size_t slash = LastSlash(path);
    if (slash == std::string::npos) return std::string();
    if (slash == 0) return "/";  // a file in the root folder keeps its root
    return WithForwardSlashes(path.substr(0, slash));
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    std::string slashedFolder = WithForwardSlashes(folder);
    return Joined(slashedFolder, name);
}
