#include "support/RealProgram.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace fs = std::filesystem;

int RunProgram(const std::vector<std::pair<const char*, const char*>>& environment,
               const fs::path& errorOutput, int timeoutMs, const fs::path& program,
               const char* argument, const std::function<bool()>& inChild) {
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        for (const auto& [name, value] : environment) {
            if (value) {
                setenv(name, value, 1);
            } else {
                unsetenv(name);
            }
        }
        if (!errorOutput.empty() && !freopen(errorOutput.c_str(), "w", stderr)) _exit(126);
        if (inChild && !inChild()) _exit(125);
        execl(program.c_str(), "hollowmere", argument, static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

fs::path ProgramBesideData(const fs::path& folder) {
    const fs::path program = folder / "hollowmere";
    fs::create_directories(folder);
    fs::copy_file(HOLLOWMERE_EXECUTABLE, program);
    fs::create_directory_symlink(HOLLOWMERE_DATA_DIR, folder / "Data");
    return program;
}
