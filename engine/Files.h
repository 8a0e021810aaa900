// Files, streams and paths.
//
// Every path that is read goes through ResolvePath: when the exact path does
// not exist, each component is matched without regard to letter case and ".."
// is resolved, so "data/levels/1.txt", "Data/Levels/1.TXT" and
// "Data/graphics/../Menus/ButtonLong.png" all find the one file on a
// case-sensitive file system. Folder listings are cached; every change made
// through this module drops the cache.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum FileKind { FILETYPE_NONE = 0, FILETYPE_FILE = 1, FILETYPE_DIR = 2 };

class TStream;
using StreamPtr = std::shared_ptr<TStream>;

class TStream {
  public:
    enum Mode { READ = 1, WRITE = 2, READWRITE = 3 };
    ~TStream();
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // Bytes up to a line feed; carriage returns are dropped; the line feed is
    // not part of the result. At the end of the file, whatever is left.
    std::string ReadLine();
    // The bytes of the text, then CR LF.
    void WriteLine(const std::string& text);
    int32_t ReadInt();  // 32-bit little-endian; 0 past the end
    void WriteInt(int32_t value);
    int ReadByte();  // 0..255; 0 past the end
    void WriteByte(int value);
    size_t ReadBytes(void* buffer, size_t count);
    void WriteBytes(const void* buffer, size_t count);
    void WriteString(const std::string& bytes);

    bool Eof();
    int64_t Size();
    int64_t Pos();
    void Seek(int64_t pos);
    // Flushes; false if any write so far failed (a full disk, a lost folder).
    bool Flush();
    // Closes; false if any write failed. Safe to call twice.
    bool Close();
    bool WriteFailed() const { return writeFailed_; }

  private:
    friend StreamPtr OpenStream(const std::string& path, int mode);
    explicit TStream(void* file) : file_(file) {}
    void* file_;
    bool writeFailed_ = false;
};

// null when the file cannot be opened.
StreamPtr OpenStream(const std::string& path, int mode);
StreamPtr ReadFile(const std::string& path);   // read only; the path is resolved
StreamPtr WriteFile(const std::string& path);  // created or truncated
StreamPtr OpenFile(const std::string& path);   // read and write, existing file

// Resolves a path for reading as described above; returns the path unchanged
// when nothing matches.
std::string ResolvePath(const std::string& path);
void ClearPathCache();

FileKind FileType(const std::string& path);
int64_t FileSize(const std::string& path);  // -1 when missing
bool CreateFile(const std::string& path);   // empty file; false on failure
bool DeleteFile(const std::string& path);
bool CreateDir(const std::string& path, bool withParents = false);
bool DeleteDir(const std::string& path, bool recursive = false);
bool CopyFile(const std::string& from, const std::string& to);
bool RenameFile(const std::string& from, const std::string& to);
// Names in a folder (no "." or ".."), sorted; empty when it cannot be read.
std::vector<std::string> LoadDir(const std::string& path);
std::string CurrentDir();
bool ChangeDir(const std::string& path);
std::string AppFile();  // full path of the executable
std::string AppDir();   // its folder, without a trailing slash

bool LoadBytes(const std::string& path, std::vector<uint8_t>& out);
bool LoadText(const std::string& path, std::string& out);
// Writes to path + ".tmp", flushes it to disk and renames it over path, so
// the old file survives any failure. Creates no folders.
bool SaveBytesSafely(const std::string& path, const void* data, size_t size);
bool SaveTextSafely(const std::string& path, const std::string& text);

// Path helpers. Folders are separated by '/'; '\\' is accepted on input.
std::string StripDir(const std::string& path);    // "a/b/c.txt" -> "c.txt"
std::string StripExt(const std::string& path);    // "a/b/c.txt" -> "a/b/c"
std::string StripAll(const std::string& path);    // "a/b/c.txt" -> "c"
std::string ExtractExt(const std::string& path);  // "a/b/c.txt" -> "txt"
std::string ExtractDir(const std::string& path);  // "a/b/c.txt" -> "a/b"
std::string JoinPath(const std::string& folder, const std::string& name);
