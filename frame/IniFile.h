// The settings file: upper-case KEY=VALUE lines in a fixed order.
#pragma once

#include <memory>
#include <string>

#include "engine/Containers.h"

class TIniLine;
using TIniLinePtr = std::shared_ptr<TIniLine>;

class TIniLine {
  public:
    std::string Name;  // upper case
    std::string Value;
};

class TIniFile;
using TIniFilePtr = std::shared_ptr<TIniFile>;

class TIniFile : public TList<TIniLinePtr> {
  public:
    std::string FileName;  // path without ".ini"

    virtual ~TIniFile() = default;
    // Appends a line; the name is stored in upper case.
    virtual void Add(const std::string& name, const std::string& value);
    // Writes every line as NAME=VALUE (CR LF) to FileName + ".ini", through a
    // temporary file renamed over the old one. A failure is the fatal
    // "Failed to save file " + path; the old file stays intact.
    virtual void Save();
    // Reads FileName + ".ini" when it can: each line's key (text before the
    // first "=", upper-cased) sets the value of every line of that name.
    // Always saves afterwards, so the file is complete.
    virtual void Load();

    std::string Path() const { return FileName + ".ini"; }
    // The value of a name, "" when absent.
    std::string Get(const std::string& name) const;
};

// The value of a key in a settings-format file, "" when absent (keys compared
// in upper case).
std::string ReadIniValue(const std::string& file, const std::string& key);
// Copies a settings-format file line by line, replacing the line whose
// upper-cased key matches by KEY=value. False when either file fails.
bool CopyIniReplacing(const std::string& source, const std::string& target, const std::string& key,
                      const std::string& value);
