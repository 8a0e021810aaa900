// Streams and file operations over plain POSIX calls.
#include "engine/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

struct FileCloser {
    void operator()(FILE* fp) const { std::fclose(fp); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

// What TStream::file_ points to. A stream open for reading and writing must
// be repositioned between a write and a following read (and the reverse), so
// the last operation is remembered.
struct StreamFile {
    enum class LastOp { NONE, READ, WRITE };
    FILE* fp = nullptr;
    LastOp last = LastOp::NONE;
};

StreamFile* AsFile(void* file) {
    return static_cast<StreamFile*>(file);
}

void PrepareFor(StreamFile* file, StreamFile::LastOp op) {
    if (file->last != op && file->last != StreamFile::LastOp::NONE) {
        std::fseek(file->fp, 0, SEEK_CUR);
    }
    file->last = op;
}

bool IsDirectory(FILE* fp) {
    struct stat info;
    return fstat(fileno(fp), &info) == 0 && S_ISDIR(info.st_mode);
}

const char* FopenMode(int mode) {
    switch (mode) {
        case TStream::READ:
            return "rb";
        case TStream::WRITE:
            return "wb";
        case TStream::READWRITE:
            return "r+b";
        default:
            return nullptr;
    }
}

// Reads in chunks rather than trusting the size: files under /proc, pipes and
// files that grow while being read report sizes that are wrong.
template <typename Bytes>
bool ReadWholeFile(const std::string& path, Bytes& out) {
    const FilePtr file(std::fopen(ResolvePath(path).c_str(), "rb"));
    FILE* fp = file.get();
    if (!fp) return false;
    out.clear();
    bool ok = !IsDirectory(fp);
    constexpr size_t kChunk = 65536;
    while (ok) {
        size_t used = out.size();
        out.resize(used + kChunk);
        size_t got = std::fread(out.data() + used, 1, kChunk, fp);
        out.resize(used + got);
        if (got < kChunk) break;
    }
    return ok && !std::ferror(fp);
}

bool WriteAll(int fd, const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t wrote = write(fd, bytes, size);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        bytes += wrote;
        size -= static_cast<size_t>(wrote);
    }
    return true;
}

// Makes a finished rename durable; failure here does not undo the save.
void SyncFolderOf(const std::string& path) {
    std::string folder = ExtractDir(path);
    int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

// ------------------------------------------------------------------- TStream

TStream::~TStream() {
    Close();
}

std::string TStream::ReadLine() {
    std::string line;
    if (!file_) return line;
    StreamFile* file = AsFile(file_);
    PrepareFor(file, StreamFile::LastOp::READ);
    int c;
    while ((c = std::getc(file->fp)) != EOF && c != '\n') {
        if (c != '\r') line.push_back(static_cast<char>(c));
    }
    return line;
}

void TStream::WriteLine(const std::string& text) {
    WriteString(text);
    WriteBytes("\r\n", 2);
}

int32_t TStream::ReadInt() {
    uint8_t bytes[4];
    if (ReadBytes(bytes, 4) != 4) return 0;
    uint32_t value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                     static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return static_cast<int32_t>(value);
}

void TStream::WriteInt(int32_t value) {
    uint32_t bits = static_cast<uint32_t>(value);
    uint8_t bytes[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                        static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
    WriteBytes(bytes, 4);
}

int TStream::ReadByte() {
    uint8_t byte = 0;
    return ReadBytes(&byte, 1) == 1 ? byte : 0;
}

void TStream::WriteByte(int value) {
    uint8_t byte = static_cast<uint8_t>(value);
    WriteBytes(&byte, 1);
}

size_t TStream::ReadBytes(void* buffer, size_t count) {
    if (!file_ || count == 0) return 0;
    StreamFile* file = AsFile(file_);
    PrepareFor(file, StreamFile::LastOp::READ);
    return std::fread(buffer, 1, count, file->fp);
}

void TStream::WriteBytes(const void* buffer, size_t count) {
    if (count == 0) return;
    if (!file_) {
        writeFailed_ = true;
        return;
    }
    StreamFile* file = AsFile(file_);
    PrepareFor(file, StreamFile::LastOp::WRITE);
    if (std::fwrite(buffer, 1, count, file->fp) != count) writeFailed_ = true;
}

void TStream::WriteString(const std::string& bytes) {
    WriteBytes(bytes.data(), bytes.size());
}

bool TStream::Eof() {
    if (!file_) return true;
    StreamFile* file = AsFile(file_);
    PrepareFor(file, StreamFile::LastOp::READ);
    int c = std::getc(file->fp);
    if (c == EOF) return true;
    std::ungetc(c, file->fp);
    return false;
}

int64_t TStream::Size() {
    if (!file_) return 0;
    StreamFile* file = AsFile(file_);
    if (file->last == StreamFile::LastOp::WRITE && std::fflush(file->fp) != 0) {
        writeFailed_ = true;
    }
    struct stat info;
    if (fstat(fileno(file->fp), &info) != 0) return 0;
    return static_cast<int64_t>(info.st_size);
}

int64_t TStream::Pos() {
    if (!file_) return 0;
    off_t pos = ftello(AsFile(file_)->fp);
    return pos < 0 ? 0 : static_cast<int64_t>(pos);
}

void TStream::Seek(int64_t pos) {
    if (!file_ || pos < 0) return;
    StreamFile* file = AsFile(file_);
    if (fseeko(file->fp, static_cast<off_t>(pos), SEEK_SET) != 0 &&
        file->last == StreamFile::LastOp::WRITE) {
        writeFailed_ = true;  // fseek flushes pending output first
    }
    file->last = StreamFile::LastOp::NONE;
}

bool TStream::Flush() {
    if (file_ && std::fflush(AsFile(file_)->fp) != 0) writeFailed_ = true;
    return !writeFailed_;
}

bool TStream::Close() {
    if (file_) {
        StreamFile* file = AsFile(file_);
        if (std::fclose(file->fp) != 0) writeFailed_ = true;
        delete file;
        file_ = nullptr;
    }
    return !writeFailed_;
}

// ------------------------------------------------------------------ opening

StreamPtr OpenStream(const std::string& path, int mode) {
    const char* fopenMode = FopenMode(mode);
    if (!fopenMode) return nullptr;
    bool writes = (mode & TStream::WRITE) != 0;
    // A read-write stream opens an existing file, so its name is resolved too.
    std::string actual = mode == TStream::WRITE ? path : ResolvePath(path);
    FILE* fp = std::fopen(actual.c_str(), fopenMode);
    if (writes) ClearPathCache();
    if (!fp) return nullptr;
    if (IsDirectory(fp)) {
        std::fclose(fp);
        return nullptr;
    }
    auto* file = new StreamFile;
    file->fp = fp;
    return StreamPtr(new TStream(file));
}

StreamPtr ReadFile(const std::string& path) {
    return OpenStream(path, TStream::READ);
}
StreamPtr WriteFile(const std::string& path) {
    return OpenStream(path, TStream::WRITE);
}
StreamPtr OpenFile(const std::string& path) {
    return OpenStream(path, TStream::READWRITE);
}

// ---------------------------------------------------------- file operations

FileKind FileType(const std::string& path) {
    struct stat info;
    if (path.empty() || stat(ResolvePath(path).c_str(), &info) != 0) return FILETYPE_NONE;
    if (S_ISDIR(info.st_mode)) return FILETYPE_DIR;
    return FILETYPE_FILE;
}

int64_t FileSize(const std::string& path) {
    struct stat info;
    if (path.empty() || stat(ResolvePath(path).c_str(), &info) != 0) return -1;
    if (S_ISDIR(info.st_mode)) return -1;
    return static_cast<int64_t>(info.st_size);
}

bool CreateFile(const std::string& path) {
    StreamPtr stream = WriteFile(path);
    return stream && stream->Close();
}

bool DeleteFile(const std::string& path) {
    ClearPathCache();
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    return unlink(path.c_str()) == 0;
}

bool CreateDir(const std::string& path, bool withParents) {
    ClearPathCache();
    if (path.empty()) return false;
    std::error_code error;
    if (withParents) {
        std::filesystem::create_directories(path, error);
    } else {
        std::filesystem::create_directory(path, error);
    }
    // A folder that already exists is what the caller wanted.
    return !error && std::filesystem::is_directory(path, error);
}

bool DeleteDir(const std::string& path, bool recursive) {
    ClearPathCache();
    struct stat info;
    if (path.empty() || lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    if (!recursive) return rmdir(path.c_str()) == 0;
    std::error_code error;
    std::filesystem::remove_all(path, error);
    return !error;
}

bool CopyFile(const std::string& from, const std::string& to) {
    ClearPathCache();
    std::string source = ResolvePath(from);
    if (FileType(source) != FILETYPE_FILE) return false;
    std::error_code error;
    std::filesystem::copy_file(source, to, std::filesystem::copy_options::overwrite_existing,
                               error);
    ClearPathCache();
    return !error;
}

bool RenameFile(const std::string& from, const std::string& to) {
    ClearPathCache();
    return std::rename(from.c_str(), to.c_str()) == 0;
}

std::string CurrentDir() {
    std::error_code error;
    std::filesystem::path cwd = std::filesystem::current_path(error);
    return error ? std::string() : cwd.string();
}

bool ChangeDir(const std::string& path) {
    return !path.empty() && chdir(ResolvePath(path).c_str()) == 0;
}

std::string AppFile() {
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return std::string();
    return std::string(buffer, static_cast<size_t>(length));
}

std::string AppDir() {
    return ExtractDir(AppFile());
}

// ------------------------------------------------------------ whole files

bool LoadBytes(const std::string& path, std::vector<uint8_t>& out) {
    return ReadWholeFile(path, out);
}

bool LoadText(const std::string& path, std::string& out) {
    return ReadWholeFile(path, out);
}

bool SaveBytesSafely(const std::string& path, const void* data, size_t size) {
    ClearPathCache();
    if (path.empty()) return false;
    std::string temp = path + ".tmp";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;  // nothing was created, so nothing to remove
    bool ok = WriteAll(fd, data, size);
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

bool SaveTextSafely(const std::string& path, const std::string& text) {
    return SaveBytesSafely(path, text.data(), text.size());
}
