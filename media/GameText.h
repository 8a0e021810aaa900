// The game text table: every string the game shows, looked up by key.
//
// The file is a run of entries, each a "[TEXT]" header line, a key line and
// the entry's lines up to the next line that begins with "[" (empty lines
// included). A byte-order mark selects UTF-8 or UTF-16 in either byte order;
// without one every byte is one character (Latin-1). Text comes out as UTF-8.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Containers.h"

class TGameText;
using TGameTextPtr = std::shared_ptr<TGameText>;

class TGameText : public TMap<std::vector<std::string>> {
  public:
    // A table read from Game->TextPath + file.
    static TGameTextPtr Create(const std::string& file);
    // Replaces the table with the file's entries. A missing file or an
    // entry without its header is a fatal error; a header with no key line
    // after it is skipped.
    void Read(const std::string& file);
    // Fills the table from the file's text (already decoded to UTF-8).
    void ReadLines(const std::vector<std::string>& lines);
    // The lines of the key (any case); none when it is missing.
    std::vector<std::string> Find(const std::string& key) const;
    // The lines joined with CR LF; "" when the key is missing.
    std::string FindString(const std::string& key) const;
    // The first of the keys the table lacks; "" when it holds them all.
    std::string FirstMissingKey(const std::vector<std::string>& keys) const;
};

// The keys the screens look up by name. A game text that lacks one is not the
// game's own (an empty, damaged or foreign file): the loader refuses it.
const std::vector<std::string>& GameTextKeys();

// The game's text table: empty until the loader reads "gametext.txt".
extern TGameTextPtr GameText;

// Bytes of a text file as UTF-8, following its byte-order mark (see above).
std::string DecodeTextFile(const std::string& bytes);
