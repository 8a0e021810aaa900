// The settings file and the two helpers that read or copy a file of the same
// format without a TIniFile.
#include "frame/IniFile.h"

#include <vector>

#include "engine/Files.h"
#include "engine/Strings.h"
#include "frame/ErrorReport.h"

namespace {

struct KeyValue {
    std::string key;  // upper case
    std::string value;
};

// A line's key is the upper-cased text before the first "="; the value is
// everything after it, so a value may itself contain "=".
KeyValue SplitLine(const std::string& line) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) return {Upper(line), std::string()};
    return {Upper(line.substr(0, equals)), line.substr(equals + 1)};
}

// The lines of a file without their CR LF; false when it cannot be read.
bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    StreamPtr stream = ReadFile(path);
    if (!stream) return false;
    while (!stream->Eof())
        lines.push_back(stream->ReadLine());
    return true;
}

std::string JoinWithCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

}  // namespace

void TIniFile::Add(const std::string& name, const std::string& value) {
    auto line = std::make_shared<TIniLine>();
    line->Name = Upper(name);
    line->Value = value;
    AddLast(line);
}

void TIniFile::Save() {
    std::vector<std::string> lines;
    for (const TIniLinePtr& line : *this)
        lines.push_back(line->Name + "=" + line->Value);
    // Written beside the old file and renamed over it, so a crash or a full
    // disk in the middle of the write never leaves a truncated settings file.
    if (!SaveTextSafely(Path(), JoinWithCrLf(lines))) {
        ReportError("Failed to save file " + Path(), 1);
    }
}

void TIniFile::Load() {
    std::vector<std::string> lines;
    if (ReadLines(Path(), lines)) {
        for (const std::string& text : lines) {
            KeyValue entry = SplitLine(text);
            for (const TIniLinePtr& line : *this) {
                if (line->Name == entry.key) line->Value = entry.value;
            }
        }
    }
    // A missing or partial file is written out complete; unknown keys vanish.
    Save();
}

std::string TIniFile::Get(const std::string& name) const {
    std::string key = Upper(name);
    for (const TIniLinePtr& line : *this) {
        if (line->Name == key) return line->Value;
    }
    return std::string();
}

std::string ReadIniValue(const std::string& file, const std::string& key) {
    std::vector<std::string> lines;
    if (!ReadLines(file, lines)) return std::string();
    std::string wanted = Upper(key);
    std::string value;
    // The last line of a repeated key wins, as it does in TIniFile::Load.
    for (const std::string& text : lines) {
        KeyValue entry = SplitLine(text);
        if (entry.key == wanted) value = entry.value;
    }
    return value;
}

bool CopyIniReplacing(const std::string& source, const std::string& target, const std::string& key,
                      const std::string& value) {
    std::vector<std::string> lines;
    if (!ReadLines(source, lines)) return false;
    std::string wanted = Upper(key);
    for (std::string& line : lines) {
        if (SplitLine(line).key == wanted) line = wanted + "=" + value;
    }
    return SaveTextSafely(target, JoinWithCrLf(lines));
}
