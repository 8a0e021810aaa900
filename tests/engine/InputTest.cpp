// The event queue as the game reads it: numbered events and virtual-key codes.
#include <gtest/gtest.h>

#include <vector>

#include "engine/Input.h"
#include "support/Headless.h"

namespace {

std::vector<TEvent> DrainEvents() {
    std::vector<TEvent> events;
    TEvent event;
    while (PollEvent(event))
        events.push_back(event);
    return events;
}

class InputTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        FlushEvents();
        // Hits counted by earlier tests in this process are not ours.
        for (int key = 0; key < 256; ++key)
            PolledKeyHit(key);
        for (int button = 1; button <= 3; ++button)
            PolledMouseHit(button);
    }
    // Leaves nothing held and no close request behind for later tests.
    void TearDown() override {
        for (const char* key : {"Q", "Backspace", "Space"})
            InjectKeyEvent(key, false);
        for (int button = 1; button <= 3; ++button)
            InjectMouseButton(button, false, 0, 0);
        FlushEvents();
        PolledCloseRequests();
        HeadlessTest::TearDown();
    }
};

TEST_F(InputTest, KeysMapToWindowsVirtualKeyCodes) {
    const struct {
        const char* name;
        int code;
    } table[] = {{"A", 65},          {"Z", 90},           {"0", 48},
                 {"9", 57},          {"F1", 112},         {"F12", 123},
                 {"Left", 37},       {"Up", 38},          {"Right", 39},
                 {"Down", 40},       {"Escape", 27},      {"Return", 13},
                 {"Space", 32},      {"Backspace", 8},    {"Tab", 9},
                 {"Delete", 46},     {"Left Shift", 160}, {"Right Shift", 161},
                 {"Left Ctrl", 162}, {"Right Ctrl", 163}, {"Left Alt", 164},
                 {"Right Alt", 165}, {"Left GUI", 91},    {"Right GUI", 92},
                 {"-", 189},         {"=", 187},          {"P", 80},
                 {"Keypad 5", 101}};
    for (const auto& entry : table)
        EXPECT_EQ(VirtualKeyFromKeyName(entry.name), entry.code) << entry.name;
    EXPECT_EQ(VirtualKeyFromKeyName("AudioMute"), 0) << "keys without a code are dropped";
}

TEST_F(InputTest, EventsArriveWithTheirIdsAndData) {
    InjectKeyEvent("Q", true);
    InjectKeyEvent("Q", false);
    InjectTextEvent("a\xC3\xA9");  // "a", then e acute
    InjectKeyEvent("Backspace", true);
    InjectMouseButton(1, true, 10, 20);
    InjectMouseButton(2, false, 11, 21);
    InjectMouseButton(3, true, 12, 22);
    InjectMouseMove(300, 400);
    InjectWindowClose();
    const std::vector<TEvent> events = DrainEvents();
    const std::vector<std::pair<int, int>> expected = {
        {EVENT_KEYDOWN, 81},  {EVENT_KEYUP, 81},    {EVENT_KEYCHAR, 'a'},  {EVENT_KEYCHAR, 0xE9},
        {EVENT_KEYDOWN, 8},   {EVENT_KEYCHAR, 8},   {EVENT_MOUSEDOWN, 1},  {EVENT_MOUSEUP, 2},
        {EVENT_MOUSEDOWN, 3}, {EVENT_MOUSEMOVE, 0}, {EVENT_WINDOWCLOSE, 0}};
    ASSERT_EQ(events.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(events[i].id, expected[i].first) << "event " << i;
        EXPECT_EQ(events[i].data, expected[i].second) << "event " << i;
    }
    EXPECT_EQ(events[6].x, 10);
    EXPECT_EQ(events[6].y, 20);
    EXPECT_EQ(events[9].x, 300);
    EXPECT_EQ(events[9].y, 400);
}

// A dead key or an input method composes a character and the system hands it
// over as text: each code point is one character event. Control characters
// come from their keys alone, so text carrying them (or broken bytes) adds
// nothing, and a held Backspace repeats.
TEST_F(InputTest, TypedTextBecomesOneCharacterPerCodePoint) {
    InjectTextEvent("\xC3\xA9");                  // a dead acute, then e
    InjectTextEvent("\xC3\xBC\xC3\xB1\xC5\x81");  // u diaeresis, n tilde, L stroke
    InjectTextEvent("\xF0\x9F\x98\x80");          // beyond the 16-bit range
    InjectTextEvent("a\rb\x7F\xC2\x85");          // CR, DEL and a C1 control
    InjectTextEvent("\x80\xC0\xAFz\xE2\x82");     // stray, overlong, truncated
    InjectKeyEvent("Backspace", true);
    InjectKeyEvent("Backspace", true, true);  // the system's repeat while held
    std::vector<int> chars;
    for (const TEvent& event : DrainEvents()) {
        if (event.id == EVENT_KEYCHAR) chars.push_back(event.data);
    }
    EXPECT_EQ(chars, (std::vector<int>{0xE9, 0xFC, 0xF1, 0x141, 0x1F600, 'a', 'b', 'z', 8, 8}));
}

TEST_F(InputTest, PolledQueriesFollowTheQueue) {
    InjectKeyEvent("Space", true);
    InjectMouseButton(1, true, 5, 6);
    EXPECT_TRUE(PolledKeyDown(32));
    EXPECT_EQ(PolledKeyHit(32), 1);
    EXPECT_EQ(PolledKeyHit(32), 0) << "a hit is counted once";
    EXPECT_TRUE(PolledMouseDown(1));
    EXPECT_EQ(PolledMouseHit(1), 1);
    EXPECT_EQ(PolledMouseX(), 5);
    InjectKeyEvent("Space", false);
    EXPECT_FALSE(PolledKeyDown(32));
    EXPECT_FALSE(PolledKeyDown(-1));
    EXPECT_FALSE(PolledKeyDown(999));
    // Polling does not swallow the events the frame reads.
    const std::vector<TEvent> events = DrainEvents();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].id, EVENT_KEYDOWN);
    EXPECT_EQ(events[2].id, EVENT_KEYUP);
}

}  // namespace
