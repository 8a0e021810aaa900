// The whole game as a new player meets it, played by the headless player:
// the first start with an empty per-user folder, the title (a player created
// through the name entry, typed key by key), the intro, the map, levels A to
// B one after another with their story chapters, found messages, the tally,
// the shop when it opens (what must be bought, then the cheapest item the
// gold buys), the map again; after the last level of the game the
// game-finished screen and the credits. Halfway the process quits and starts
// itself again on the same per-user folder; the game must carry on where it
// was.
//
// Threading: the game's one thread. Outputs: one JSON line per level and a
// last line with the player's progress as the file on disk holds it, on
// standard output; with a shots folder, one frame of each screen and dialog
// met. Failure: a fatal error, a broken board rule, a screen not left within
// a minute of game time, a level lost too often or a file on disk that
// disagrees with the game ends the journey with a line saying why (exit 1).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "autoplay/AutoPlayer.h"

struct JourneyOptions {
    int firstLevel = 1, lastLevel = 1;
    uint32_t seed = 1;
    std::string data;        // the folder that holds Data/
    std::string resumeHome;  // "" on the first start, else the per-user folder to carry on
    // The first level played by the second process (0: no restart).
    int restartAt = 0;
    AutoplayOptions player;
};

class Journey {
  public:
    explicit Journey(JourneyOptions options);
    // Runs the journey; the process's exit code. After a restart the
    // journey goes on in a new process image and this does not return.
    int Run();

  private:
    // Steps until `done` holds; a minute of game time without it fails.
    bool StepUntil(const std::function<bool()>& done, const std::string& waitingFor);
    bool Step();
    void Press(const char* key);
    void Type(const std::string& text);
    void ClickAt(float x, float y);
    void Shot(const std::string& name);
    bool Fail(const std::string& why);

    bool ThroughTheTitle();
    bool ThroughTheIntro();
    bool PlayFromTheMap(int level);
    bool ThroughLevelComplete(int level);
    bool ThroughTheShop(int level);
    bool ThroughTheEnd();
    bool DiskAgrees();
    // Buys the item of this id from the strip: it is brought into view,
    // clicked and bought in its dialog.
    bool Buy(int id);
    // The item the shop should sell next: a must-buy one, else the
    // cheapest the gold buys; 0 for none.
    int NextPurchase() const;
    void PrintFinalLine();
    // Quits and starts this program again on the same per-user folder.
    [[noreturn]] void Restart(int nextLevel);

    JourneyOptions options_;
    AutoPlayer player_;
    AutoplayLevelResult steps_;  // the step counter and problems outside levels
    std::string failure_;
};
