#include "Game/trokmap.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <fstream>
#include <iostream>
#include <limits>
#include <memory>

namespace
{

const char* const kMagicLine = "!MorvellantMapFile";

// Cell characters the loader keeps; everything else becomes '*'.
bool isAcceptedCell(char c)
{
    return c == '.' || c == '#' || c == '$' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'i')
        || c == '@' || c == 'C' || c == 'P' || c == 'W';
}

// Skips white space as formatted input would, counting the line ends passed
// so that row messages can name their line in the file.
void skipSpace(std::istream& in, int& lineNumber)
{
    while (std::isspace(in.peek())) {
        if (in.get() == '\n') {
            ++lineNumber;
        }
    }
}

// Reads the width or the height. Anything but a whole number within the cap
// is refused with one line, before a single cell is allocated.
bool readSide(std::istream& in, int& lineNumber, const char* name, int& side)
{
    skipSpace(in, lineNumber);
    if (in.peek() == std::char_traits<char>::eof()) {
        std::cout << "Bad map size: " << name << " is missing" << std::endl;
        return false;
    }
    if (!(in >> side) || side < 1 || side > TrokMap::maxSide) {
        std::cout << "Bad map size: " << name << " must be a whole number from 1 to "
                  << TrokMap::maxSide << std::endl;
        return false;
    }
    return true;
}

}

TrokMap::TrokMap(std::string filename)
    : valid(false), grid(nullptr), width(0), height(0)
{
    loadMapFile(filename);  // sets valid
}

TrokMap::TrokMap(const TrokMap& other)
    : valid(other.valid), grid(nullptr), width(other.width), height(other.height)
{
    if (other.grid == nullptr) {
        return;
    }
    const std::size_t cells = static_cast<std::size_t>(width) * height;
    grid = new char[cells];
    std::copy(other.grid, other.grid + cells, grid);
}

TrokMap::~TrokMap()
{
    delete[] grid;
}

bool TrokMap::loadMapFile(std::string fileName)
{
    // A file that cannot be opened reads as an empty first line. Read as the
    // bytes it holds, so that a level gets the same verdict everywhere:
    // Windows' text mode would drop the "\r" of "\r\n" line ends.
    std::ifstream file(fileName, std::ios::binary);
    std::string line;
    std::getline(file, line);
    if (line != kMagicLine) {
        std::cout << "Incorrect file type!" << std::endl;
        return false;
    }

    // The new grid is built aside and only replaces the map's own once the
    // whole file has been read, so a failed load changes nothing.
    int lineNumber = 2;     // the line being read, counted from 1
    int newWidth = 0;
    int newHeight = 0;
    if (!readSide(file, lineNumber, "width", newWidth)
        || !readSide(file, lineNumber, "height", newHeight)) {
        return false;
    }
    file.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    std::cout << "Map size: " << newWidth << "," << newHeight << std::endl;

    std::unique_ptr<char[]> cells(new char[static_cast<std::size_t>(newWidth) * newHeight]);
    for (int i = 0; i < newHeight; ++i) {
        const int rowLine = lineNumber + 1 + i;    // rows start below the height's line
        if (!std::getline(file, line)) {
            std::cout << "Bad map row: line " << rowLine << " is missing, the map is "
                      << newHeight << " rows high" << std::endl;
            return false;
        }
        if (line.size() < static_cast<std::size_t>(newWidth)) {
            std::cout << "Bad map row: line " << rowLine << " has " << line.size()
                      << " cells, the map is " << newWidth << " wide" << std::endl;
            return false;
        }
        for (int j = 0; j < newWidth; ++j) {
            const char c = line[j];
            if (isAcceptedCell(c)) {
                cells[i * newWidth + j] = c;
            } else {
                std::cout << "Should not get here" << std::endl;
                cells[i * newWidth + j] = '*';
            }
        }
    }

    delete[] grid;
    grid = cells.release();
    width = newWidth;
    height = newHeight;
    valid = true;
    return true;
}

char TrokMap::get(unsigned int i, unsigned int j) const
{
    return grid[i * static_cast<unsigned int>(width) + j];
}

int TrokMap::getWidth() const
{
    return width;
}

int TrokMap::getHeight() const
{
    return height;
}
