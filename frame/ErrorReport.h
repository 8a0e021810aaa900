// The fatal error reporter, the error log and the load-or-fail wrappers.
#pragma once

#include <functional>
#include <string>

#include "engine/Audio.h"
#include "engine/Files.h"
#include "engine/Image.h"

// Shows the message (in-game box once graphics are up, a system box before),
// appends it to the error log and, with end = 1, ends the program with exit
// code 1 without running the exit sequence.
void ReportError(const std::string& message, int end);
// Modal in-game message box on the built-in font, waiting for any key or
// mouse button (through polled input).
void ShowMessageBox(const std::string& message, int width, int height);
// One entry in SubPath + "ErrorLog.txt": the 57-hyphen line, the date and
// time, the message.
void AppendErrorLog(const std::string& message);
std::string ErrorLogPath();

ImagePtr LoadAnimImageOrFail(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                             int cellCount, int flags);
ImagePtr LoadImageOrFail(const std::string& path, int flags);
StreamPtr ReadFileOrFail(const std::string& path);
SoundPtr LoadSoundOrFail(const std::string& path, int flags);

// Tests (and the headless player) replace the end of the program: when set,
// a fatal error calls this after logging instead of ending the process; the
// hook is expected not to return (it throws).
extern std::function<void(const std::string&)> FatalErrorHook;
// Tests can also skip the modal box.
extern bool FatalErrorShowsBox;
