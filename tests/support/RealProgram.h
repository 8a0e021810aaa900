// The real executable started as a child process, headless, as a player
// would start it: for the tests of start-up in hostile surroundings and of
// what a run after a crash finds.
#pragma once

#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

// Starts the real executable with some variables of the environment changed
// (a null value removes one), an optional argument, and its error output
// going to a file; `inChild` runs in the child just before the program
// starts. Returns its exit status, or -1 when it was still running after the
// timeout (then it is killed).
int RunProgram(const std::vector<std::pair<const char*, const char*>>& environment,
               const std::filesystem::path& errorOutput, int timeoutMs,
               const std::filesystem::path& program = HOLLOWMERE_EXECUTABLE,
               const char* argument = nullptr, const std::function<bool()>& inChild = {});

// A copy of the program beside the data, wherever the build keeps it.
std::filesystem::path ProgramBesideData(const std::filesystem::path& folder);
