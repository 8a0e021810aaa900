#include "support/FakeDesktop.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// A call is recorded as the tool's name and each argument in brackets, one
// a line, then an empty line; arguments may hold anything but a newline.
std::string Recorder(const fs::path& log) {
    return "#!/bin/sh\n"
           "{ printf '%s\\n' \"${0##*/}\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done;"
           " printf '\\n'; } >> '" +
           log.string() + "'\n";
}

void WriteScript(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
    fs::permissions(file, fs::perms::owner_all);
}

}  // namespace

FakeDesktop::FakeDesktop(const char* desktopName) {
    static int made = 0;
    root_ = fs::temp_directory_path() /
            ("hm-desktop-" + std::to_string(getpid()) + "-" + std::to_string(++made));
    fs::create_directories(root_ / "bin");
    fs::create_directories(Pictures());
    path_ = std::make_unique<ScopedEnv>("PATH", (root_ / "bin").c_str());
    desktop_ = std::make_unique<ScopedEnv>("XDG_CURRENT_DESKTOP", desktopName);
}

FakeDesktop::~FakeDesktop() {
    desktop_.reset();
    path_.reset();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

void FakeDesktop::Tool(const std::string& name, int status, const std::string& failWhen,
                       const std::string& listing) {
    std::string script = Recorder(root_ / "calls.log");
    if (!listing.empty()) {
        script += "for a in \"$@\"; do [ \"$a\" = -l ] && { printf '%s' '" + listing +
                  "'; exit 0; }; done\n";
    }
    if (!failWhen.empty())
        script += "for a in \"$@\"; do [ \"$a\" = '" + failWhen + "' ] && exit 1; done\n";
    script += "exit " + std::to_string(status) + "\n";
    WriteScript(root_ / "bin" / name, script);
}

void FakeDesktop::SilentTool(const std::string& name) {
    WriteScript(root_ / "bin" / name, Recorder(root_ / "calls.log") + "exec /bin/sleep 600\n");
}

std::vector<std::vector<std::string>> FakeDesktop::Calls() const {
    std::vector<std::vector<std::string>> calls;
    std::ifstream log(root_ / "calls.log");
    std::string line;
    std::vector<std::string> call;
    while (std::getline(log, line)) {
        if (line.empty()) {
            if (!call.empty()) calls.push_back(call);
            call.clear();
        } else if (call.empty()) {
            call.push_back(line);
        } else {
            call.push_back(line.substr(1, line.size() - 2));
        }
    }
    return calls;
}
