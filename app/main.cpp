// Program entry. For now it opens the game's window and keeps it responsive
// until it is closed; the start-up sequence proper grows here.
#include "engine/Clock.h"
#include "engine/Graphics.h"
#include "engine/Input.h"
#include "engine/platform/Platform.h"

int main() {
    if (!AcquireSingleInstance("Hollowmere")) return 0;
    if (!InitVideo()) {
        ShowMessageBox("Hollowmere", "The display could not be opened.");
        return 1;
    }
    SetWindowTitle("Hollowmere V1.01");
    const DesktopInfo desktop = GetDesktopInfo();
    int width = 1024, height = 768;
    if (desktop.height - 70 < height) {
        width = 800;
        height = 600;
    }
    if (!Graphics(width, height)) {
        ShowMessageBox("Hollowmere", "Cannot create the game window.");
        return 1;
    }
    SetVirtualResolution(1024, 768);
    bool running = true;
    while (running) {
        TEvent event;
        while (PollEvent(event)) {
            if (event.id == EVENT_WINDOWCLOSE || event.id == EVENT_APPTERMINATE) running = false;
            if (event.id == EVENT_KEYDOWN && event.data == 27) running = false;
        }
        SetClsColor(0, 0, 0);
        Cls();
        Flip(1);
        Delay(16);  // a calm idle until frames are paced properly
    }
    CloseGraphics();
    return 0;
}
