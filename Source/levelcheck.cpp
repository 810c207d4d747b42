// morvellant-levelcheck: reads level files as the game does and says whether
// a game can be played on them. Exit status 0 when every file is playable.

#include <iostream>
#include <string>

#include "Game/levelreport.h"
#include "Game/trokmap.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cout << "usage: morvellant-levelcheck LEVELFILE..." << std::endl;
        return 2;
    }
    int unplayable = 0;
    for (int i = 1; i < argc; ++i) {
        std::cout << argv[i] << ":" << std::endl;
        const TrokMap map{ std::string(argv[i]) };
        const LevelReport report(map);
        report.print(std::cout);
        unplayable += report.playable() ? 0 : 1;
    }
    return unplayable == 0 ? 0 : 1;
}
