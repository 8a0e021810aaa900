// A fake desktop for the wallpaper: small shell scripts standing in for the
// desktops' tools (gsettings, qdbus, dbus-send, xfconf-query) in a folder
// that is the whole PATH, each recording its arguments and ending with the
// exit status asked for; and XDG_CURRENT_DESKTOP set to the desktop's name.
// Everything is put back when the object goes.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/ScopedEnv.h"

class FakeDesktop {
  public:
    explicit FakeDesktop(const char* desktopName);
    ~FakeDesktop();
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    // A tool that records its call and exits with `status`; when `failWhen`
    // is not "", it exits with 1 instead whenever an argument equals it.
    // xfconf-query lists `listing` (one property a line) when asked for its
    // properties.
    void Tool(const std::string& name, int status = 0, const std::string& failWhen = "",
              const std::string& listing = "");
    // A tool that never answers (it sleeps far beyond any time limit).
    void SilentTool(const std::string& name);
    // Every call so far, in order: the tool's name, then its arguments.
    std::vector<std::vector<std::string>> Calls() const;
    // A folder for pictures, outside PATH.
    std::filesystem::path Pictures() const { return root_ / "pictures"; }

  private:
    std::filesystem::path root_;
    std::unique_ptr<ScopedEnv> path_, desktop_;
};
