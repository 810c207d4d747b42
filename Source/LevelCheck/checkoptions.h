#ifndef MORVELLANT_LEVELCHECK_CHECKOPTIONS_H
#define MORVELLANT_LEVELCHECK_CHECKOPTIONS_H

#include <string>
#include <vector>

// The level checker's command line, read whole before any level is. Names
// are kept as given, for the messages, and made absolute, because playing
// changes the working directory.
struct CheckOptions
{
    struct Name
    {
        std::string given;
        std::string path;
    };

    static constexpr int kFewestMinutes = 1;
    // The longest limit whose milliseconds fit the game's 32-bit clock.
    static constexpr int kMostMinutes = 71582;

    bool help;
    bool play;
    int minutes;                // each game's limit
    Name picture;               // none when given is empty
    Name heatmap;
    std::vector<Name> levels;
    std::string mistake;        // what is wrong with the command line; empty when nothing is

    CheckOptions(int argc, const char* const* argv);
};

// A name as the checker prints it: control characters, a line end among
// them, as '?', so that every message stays one line.
std::string printable(const std::string& name);

#endif
