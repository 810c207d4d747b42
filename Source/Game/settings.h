#ifndef MORVELLANT_GAME_SETTINGS_H
#define MORVELLANT_GAME_SETTINGS_H

#include <string>
#include <vector>

#include "Base/inputmanager.h"

// The player's settings: one table of entries, read from a file of
// "name = value" lines, "#" comments and blank lines. A line the game cannot
// use is reported as "FILE:LINE: what is wrong" and changes nothing: its
// entry keeps the default. Written back, the file changes only in the lines
// of what the player changed in the game; every other line stays as it was.
// Without a file, every entry holds the default: the game's own window and keys.
class Settings
{
public:
    // The entries, in the order of the table.
    enum Entry
    {
        kFullscreen,
        kUp,
        kDown,
        kLeft,
        kRight,
        kTalk,
        kPause,
        kEntries
    };

    Settings();

    // Takes the file's text; returns one line per problem, in line order.
    std::vector<std::string> parse(const std::string& text, const std::string& fileName);
    bool fullscreen() const;
    Key key(Entry action) const;
    // A change made in the game, to be written back.
    void setFullscreen(bool on);
    // The file's text with each changed entry's line rewritten, or added at
    // the end where the file has none.
    std::string updated(const std::string& text) const;

    // The file read into these settings, its problems on standard error; a
    // file that does not exist is the defaults without a word.
    void load(const std::string& file);
    // The changes written into the file as it is now; false, with one line
    // on standard error, when that cannot be done.
    bool save(const std::string& file) const;

private:
    bool on;                    // fullscreen
    Key keys[kEntries];         // by action; kFullscreen's is unused
    int lines[kEntries];        // where the file set each entry; 0: default
    bool changed[kEntries];

    std::string valueText(Entry entry) const;
};

// The settings the game plays with: the defaults until start-up reads the
// player's file.
Settings& playerSettings();

#endif
