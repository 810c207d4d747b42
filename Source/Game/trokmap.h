#ifndef MORVELLANT_GAME_TROKMAP_H
#define MORVELLANT_GAME_TROKMAP_H

#include <string>

// A level read from a text file: a magic line, the width and height, then one
// line of cell characters per row. Cells are kept row-major.
//
// A load that fails leaves the map as it was; a map whose first load failed
// has no grid and a size of 0 by 0, and must not be read with get().
class TrokMap
{
public:
    bool valid;     // the last load succeeded; users check it before reading cells

private:
    char* grid;     // width * height cells, owned; null until a load succeeds
    int width;
    int height;

public:
    // Largest width and largest height a level may have.
    static constexpr int maxSide = 4096;

    explicit TrokMap(std::string filename);
    TrokMap(const TrokMap& other);
    TrokMap& operator=(const TrokMap&) = delete;
    ~TrokMap();

    // Prints one line on standard output for every problem it finds.
    bool loadMapFile(std::string fileName);

    // Row i, column j; not checked: keep i below the height and j below the width.
    char get(unsigned int i, unsigned int j) const;
    int getWidth() const;
    int getHeight() const;
};

#endif
