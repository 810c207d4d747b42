// The settings file as a player writes it, and as the game writes it back.

#include <GL/glut.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <sys/stat.h>

#include "Base/hostplatform.h"
#include "Game/settings.h"
#include "support/harness.h"

// What each entry holds after the file, "fullscreen up down left right talk
// pause", and the line each problem gets on standard error.
TEST(Settings, EachLineSetsItsEntryOrIsReportedAndItsEntryKeepsTheDefault)
{
    const struct { const char* text; const char* entries; const char* problems; } rows[] = {
        { "", "no Up Down Left Right Space Escape", "" },
        { "\xEF\xBB\xBF# mine\r\nfullscreen = YES\r\n\n  up=W \nleft = a\ntalk =  enter\npause = Tab\n",
          "yes w Down a Right Enter Tab", "" },
        { "fullscreen = maybe\nup = F5\nsound = off\njump\nfullscreen = yes\nfullscreen = no\ndown = \x1b[2J",
          "yes Up Down Left Right Space Escape",
          "s:1: fullscreen is yes or no, not \"maybe\"|s:2: no key named \"F5\" (a letter, a digit, Space, Escape, "
          "Tab, Enter, Up, Down, Left or Right)|s:3: no setting named \"sound\"|s:4: expected NAME = VALUE, not "
          "\"jump\"|s:6: fullscreen is already set on line 5|s:7: no key named \"?[2J\" (a letter, a digit, Space, "
          "Escape, Tab, Enter, Up, Down, Left or Right)|" },
        // Two actions on one key: the later line's action keeps its default,
        // also where the clash is with another action's default key.
        { "talk = Escape\n", "no Up Down Left Right Space Escape",
          "s:1: talk = Escape: that is the key of pause; talk keeps Space|" },
        { "talk = Escape\npause = Tab\nup = 7\ndown = 7\nleft = Up\n", "no 7 Down Up Right Escape Tab",
          "s:4: down = 7: that is the key of up; down keeps Down|" },  // swaps are fine
        { "talk = t\npause = Space\n", "no Up Down Left Right t Escape",
          "s:2: pause cannot be Space, which leaves the pause screen for the title; pause keeps Escape|" },
    };
    const std::map<int, std::string> names = { { GLUT_KEY_UP, "Up" }, { GLUT_KEY_DOWN, "Down" },
        { GLUT_KEY_LEFT, "Left" }, { GLUT_KEY_RIGHT, "Right" }, { ' ', "Space" }, { 27, "Escape" },
        { '\r', "Enter" }, { '\t', "Tab" } };
    for (const auto& row : rows) {
        Settings settings;
        std::string problems;
        for (const std::string& line : settings.parse(row.text, "s")) problems += line + "|";
        std::string entries = settings.fullscreen() ? "yes" : "no";
        for (int e = Settings::kUp; e < Settings::kEntries; ++e) {
            const Key k = settings.key(Settings::Entry(e));
            entries += " " + (names.count(k.code) ? names.at(k.code) : std::string(1, char(k.code)));
        }
        EXPECT_EQ(entries, row.entries) << row.text;
        EXPECT_EQ(problems, row.problems) << row.text;
    }
}

// Only the changed line is rewritten, in place, or added at the end; the
// file is replaced whole, with the permissions the umask gives a new file
// or the old file had, and through a link where the link points. A place
// that cannot hold a file is one line each.
TEST(Settings, WritesBackOnlyWhatChanged)
{
    Settings settings;
    settings.setFullscreen(true);
    EXPECT_EQ(settings.updated("# mine\nup = w"), "# mine\nup = w\nfullscreen = yes\n");
    EXPECT_EQ(settings.updated("\xEF\xBB\xBF" "fullscreen = no\n"), "\xEF\xBB\xBF" "fullscreen = yes\n");
    EXPECT_EQ(settings.updated("up = w\r\n fullscreen=no \r\nfullscreen = no\n# fullscreen = no\n"),
              "up = w\r\nfullscreen = yes\r\nfullscreen = no\n# fullscreen = no\n");
    char folder[] = "/tmp/morvellant-settings-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string file = std::string(folder) + "/morvellant/settings";
    const mode_t mask = umask(027);
    ASSERT_TRUE(settings.save(file));
    umask(mask);
    std::ofstream(file, std::ios::app) << "talk = t\n";
    std::filesystem::rename(file, file + ".mine");
    std::filesystem::create_symlink("settings.mine", file);
    settings.setFullscreen(false);
    ASSERT_TRUE(settings.save(file));
    std::ostringstream text;
    text << std::ifstream(file + ".mine").rdbuf();
    EXPECT_EQ(text.str(), "fullscreen = no\ntalk = t\n");
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    struct stat mode;
    ASSERT_EQ(stat((file + ".mine").c_str(), &mode), 0);
    EXPECT_EQ(mode.st_mode & 0777, 0640u);
    std::filesystem::remove_all(folder);
    // A path through a file cannot be read; /proc takes no new folder, even from root.
    testing::internal::CaptureStderr();
    settings.load("/tmp");
    settings.load("/dev/null/x/settings");
    EXPECT_FALSE(settings.save("/dev/null/x/settings"));
    settings.load("/proc/morvellant-x/settings");
    EXPECT_FALSE(settings.save("/proc/morvellant-x/settings"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "/tmp: cannot read it (Is a directory): the game starts with its own settings\n"
              "/dev/null/x/settings: cannot read it (Not a directory): the game starts with its own settings\n"
              "/dev/null/x/settings: cannot read it (Not a directory), so it is not rewritten: the change lasts "
              "until the game ends\n/proc/morvellant-x/settings: cannot write it (No such file or directory): the "
              "change lasts until the game ends\n");
}

// XDG_CONFIG_HOME when it is an absolute path, else ~/.config; no home, no file.
TEST(Settings, TheFileIsInThePerUserPlace)
{
    const struct { const char* config; const char* home; const char* file; } rows[] = {
        { "/c", "/h", "/c/morvellant/settings" },
        { "c", "/h", "/h/.config/morvellant/settings" },
        { nullptr, "/h", "/h/.config/morvellant/settings" },
        { nullptr, "", "" },
    };
    for (const auto& row : rows) {
        row.config != nullptr ? setenv("XDG_CONFIG_HOME", row.config, 1) : unsetenv("XDG_CONFIG_HOME");
        setenv("HOME", row.home, 1);
        EXPECT_EQ(userSettingsFile(), row.file) << (row.config != nullptr ? row.config : "unset");
    }
}
