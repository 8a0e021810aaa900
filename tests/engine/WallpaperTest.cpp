// The desktop wallpaper through a fake desktop: the tool each desktop is
// asked through and its exact arguments (passed without a shell), and what
// the result says when the desktop is unknown, its tool is missing, fails
// or never answers.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/platform/Wallpaper.h"
#include "support/FakeDesktop.h"

namespace {

using Call = std::vector<std::string>;

std::string Picture(const FakeDesktop& desktop, const std::string& name = "Hollowmere.bmp") {
    const std::string path = (desktop.Pictures() / name).string();
    std::ofstream(path, std::ios::binary) << "BM";
    return path;
}

TEST(WallpaperTest, GnomeAndItsRelativesAreAskedThroughGsettings) {
    struct Case {
        const char* desktop;
        std::vector<Call> calls;  // "URI" and "PATH" stand for the picture's
    };
    const std::vector<Case> cases = {
        {"ubuntu:GNOME",
         {{"gsettings", "set", "org.gnome.desktop.background", "picture-uri", "URI"},
          {"gsettings", "set", "org.gnome.desktop.background", "picture-uri-dark", "URI"}}},
        {"Budgie:GNOME",
         {{"gsettings", "set", "org.gnome.desktop.background", "picture-uri", "URI"},
          {"gsettings", "set", "org.gnome.desktop.background", "picture-uri-dark", "URI"}}},
        {"X-Cinnamon",
         {{"gsettings", "set", "org.cinnamon.desktop.background", "picture-uri", "URI"}}},
        {"MATE", {{"gsettings", "set", "org.mate.background", "picture-filename", "PATH"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desktop);
        FakeDesktop desktop(c.desktop);
        desktop.Tool("gsettings");
        const std::string path = Picture(desktop);
        const WallpaperResult result = SetDesktopWallpaper(path);
        EXPECT_TRUE(result.Set()) << result.message;
        EXPECT_EQ(result.message, "set through gsettings");
        std::vector<Call> expected = c.calls;
        for (Call& call : expected) {
            for (std::string& argument : call) {
                if (argument == "URI") argument = "file://" + path;
                if (argument == "PATH") argument = path;
            }
        }
        EXPECT_EQ(desktop.Calls(), expected);
    }
}

TEST(WallpaperTest, AGnomeWithoutADarkStyleStillTakesThePicture) {
    FakeDesktop desktop("GNOME");
    desktop.Tool("gsettings", 0, "picture-uri-dark");
    const WallpaperResult result = SetDesktopWallpaper(Picture(desktop));
    EXPECT_TRUE(result.Set()) << result.message;
    EXPECT_EQ(desktop.Calls().size(), 2u);
}

TEST(WallpaperTest, PlasmaRunsItsShellScriptOverQdbusElseDbusSend) {
    FakeDesktop desktop("KDE");
    desktop.Tool("qdbus");
    desktop.Tool("dbus-send");
    const std::string path = Picture(desktop, "my house.bmp");
    const std::string uri = "file://" + (desktop.Pictures() / "my%20house.bmp").string();
    WallpaperResult result = SetDesktopWallpaper(path);
    EXPECT_TRUE(result.Set()) << result.message;
    EXPECT_EQ(result.message, "set through qdbus");
    std::vector<Call> calls = desktop.Calls();
    ASSERT_EQ(calls.size(), 1u) << "dbus-send is not needed";
    ASSERT_EQ(calls[0].size(), 5u);
    EXPECT_EQ(Call(calls[0].begin(), calls[0].begin() + 4),
              (Call{"qdbus", "org.kde.plasmashell", "/PlasmaShell",
                    "org.kde.PlasmaShell.evaluateScript"}));
    const std::string& script = calls[0][4];
    EXPECT_NE(script.find("desktops()"), std::string::npos) << script;
    EXPECT_NE(script.find("'" + uri + "'"), std::string::npos) << "every desktop shows " << uri;

    // Without qdbus the same script goes through dbus-send.
    FakeDesktop plain("KDE");
    plain.Tool("dbus-send");
    result = SetDesktopWallpaper(Picture(plain));
    EXPECT_TRUE(result.Set()) << result.message;
    calls = plain.Calls();
    ASSERT_EQ(calls.size(), 1u);
    ASSERT_EQ(calls[0].size(), 8u);
    EXPECT_EQ(calls[0][0], "dbus-send");
    EXPECT_EQ(calls[0][2], "--dest=org.kde.plasmashell");
    EXPECT_EQ(calls[0][6], "org.kde.PlasmaShell.evaluateScript");
    EXPECT_EQ(calls[0][7].rfind("string:var ", 0), 0u) << calls[0][7];

    // A failing qdbus is the desktop's answer; dbus-send is not tried.
    FakeDesktop refusing("KDE");
    refusing.Tool("qdbus", 2);
    refusing.Tool("dbus-send");
    result = SetDesktopWallpaper(Picture(refusing));
    EXPECT_EQ(result.status, WallpaperResult::REFUSED);
    EXPECT_EQ(result.message, "qdbus failed (exit status 2)");
    EXPECT_EQ(refusing.Calls().size(), 1u);
}

TEST(WallpaperTest, XfceSetsTheLastImageOfEveryMonitorToThePathAsItIs) {
    FakeDesktop desktop("XFCE");
    desktop.Tool("xfconf-query", 0, "",
                 "/backdrop/screen0/monitorVGA-1/workspace0/last-image\n"
                 "/backdrop/screen0/monitorVGA-1/workspace0/image-style\n"
                 "/backdrop/screen0/monitorHDMI-1/workspace1/last-image\n");
    // Quotes, dollars and semicolons reach the tool untouched: no shell between.
    const std::string path = Picture(desktop, "it's $HOME; rm x.bmp");
    const WallpaperResult result = SetDesktopWallpaper(path);
    EXPECT_TRUE(result.Set()) << result.message;
    EXPECT_EQ(result.message, "set through xfconf-query on 2 monitor(s)");
    const std::vector<Call> expected = {
        {"xfconf-query", "-c", "xfce4-desktop", "-l"},
        {"xfconf-query", "-c", "xfce4-desktop", "-p",
         "/backdrop/screen0/monitorVGA-1/workspace0/last-image", "-s", path},
        {"xfconf-query", "-c", "xfce4-desktop", "-p",
         "/backdrop/screen0/monitorHDMI-1/workspace1/last-image", "-s", path},
    };
    EXPECT_EQ(desktop.Calls(), expected);

    FakeDesktop empty("XFCE");
    empty.Tool("xfconf-query", 0, "", "/backdrop/single-workspace-mode\n");
    const WallpaperResult none = SetDesktopWallpaper(Picture(empty));
    EXPECT_EQ(none.status, WallpaperResult::REFUSED);
    EXPECT_EQ(none.message, "xfconf-query lists no monitor's picture");
}

TEST(WallpaperTest, NoSuccessIsClaimedWhereTheDesktopCannotOrWillNotTakeIt) {
    struct Case {
        const char* what;
        const char* desktop;
        const char* tool;  // "" none installed; a name with "silent" never answers
        int status;
        WallpaperResult::Status expected;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"an unknown desktop", "Hyprland", "gsettings", 0, WallpaperResult::NOT_SUPPORTED,
         "setting the wallpaper is not supported on the desktop \"Hyprland\""},
        {"no desktop named", "", "gsettings", 0, WallpaperResult::NOT_SUPPORTED,
         "setting the wallpaper is not supported on the desktop \"\""},
        {"a missing tool", "GNOME", "", 0, WallpaperResult::NOT_SUPPORTED,
         "gsettings is not installed"},
        {"a failing tool", "GNOME", "gsettings", 1, WallpaperResult::REFUSED,
         "gsettings failed (exit status 1)"},
        {"a tool that never answers", "XFCE", "silent xfconf-query", 0, WallpaperResult::REFUSED,
         "xfconf-query did not answer in time"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDesktop desktop(c.desktop);
        const std::string tool = c.tool;
        if (tool.rfind("silent ", 0) == 0) {
            desktop.SilentTool(tool.substr(7));
        } else if (!tool.empty()) {
            desktop.Tool(tool, c.status);
        }
        const WallpaperResult result = SetDesktopWallpaper(Picture(desktop), 300);
        EXPECT_FALSE(result.Set());
        EXPECT_EQ(result.status, c.expected);
        EXPECT_EQ(result.message, c.message);
    }
    FakeDesktop desktop("GNOME");
    desktop.Tool("gsettings");
    const WallpaperResult missing = SetDesktopWallpaper((desktop.Pictures() / "none.bmp").string());
    EXPECT_EQ(missing.status, WallpaperResult::REFUSED);
    EXPECT_TRUE(desktop.Calls().empty()) << "no picture, no question";
}

TEST(WallpaperTest, FileUrisEscapeWhatAUriCannotHold) {
    EXPECT_EQ(FileUri("/home/ana/My Pictures/Hollowmere.bmp"),
              "file:///home/ana/My%20Pictures/Hollowmere.bmp");
    EXPECT_EQ(FileUri("/tmp/Zo\xC3\xAB's #1%.bmp"), "file:///tmp/Zo%C3%AB%27s%20%231%25.bmp");
}

}  // namespace
