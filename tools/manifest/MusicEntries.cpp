// The music: title theme, five level themes, the level-complete fanfare,
// the story intro and the ending. Durations are those the scores give
// (bars x beats at their tempo), with a little slack.
#include "manifest/Manifest.h"

namespace asset {

namespace {

Entry Described(Entry entry, const char* notes) {
    entry.notes = notes;
    return entry;
}

}  // namespace

void AddMusicEntries(std::vector<Entry>& entries) {
    entries.push_back(
        Described(Music("music/title.ogg", 60, 90, true),
                  "title, map, shop and loading theme: a minor-key waltz for music box, "
                  "pizzicato and organ"));
    entries.push_back(
        Described(Music("music/level1.ogg", 60, 120, true), "level theme 1: bouncy pizzicato"));
    entries.push_back(
        Described(Music("music/level2.ogg", 60, 120, true), "level theme 2: drifting fog in 6/8"));
    entries.push_back(
        Described(Music("music/level3.ogg", 60, 120, true), "level theme 3: clockwork toy march"));
    entries.push_back(
        Described(Music("music/level4.ogg", 60, 120, true), "level theme 4: candlelit swing"));
    entries.push_back(
        Described(Music("music/level5.ogg", 60, 120, true), "level theme 5: baroque minuet"));
    entries.push_back(Described(Music("music/levelend.ogg", 4, 8, false),
                                "level complete: a short bright fanfare"));
    entries.push_back(Described(Music("music/intro.ogg", 14, 18, true),
                                "story intro: a music box tells the tale"));
    entries.push_back(Described(Music("music/gameend.ogg", 60, 90, true),
                                "ending and credits: the title theme, at dawn, in a major key"));
}

}  // namespace asset
