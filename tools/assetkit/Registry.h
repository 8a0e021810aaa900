// The generator harness: each group's program registers a function per data
// file of its group and runs them, writing only files whose bytes changed.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "assetkit/Bytes.h"

namespace asset {

using Generator = std::function<Bytes()>;

class Registry {
  public:
    // `path` is a manifest path (relative to Data/).
    void Add(const std::string& path, Generator generator);
    const std::map<std::string, Generator>& All() const { return generators_; }

  private:
    std::map<std::string, Generator> generators_;
};

// Command line: --out DIR (the Data folder), optional --only TEXT (paths
// containing it), --jobs N. Every manifest entry of the group must have a
// generator and every generator a manifest entry; returns the exit code.
int RunGroup(int argc, char** argv, const std::string& group, void (*registerAll)(Registry&));

}  // namespace asset
