#ifndef MORVELLANT_LEVELCHECK_PNGFILE_H
#define MORVELLANT_LEVELCHECK_PNGFILE_H

#include <cstdint>
#include <string>
#include <vector>

// A PNG file made by libpng from 8-bit RGB pixels, three bytes a pixel, each
// row left to right, the top row first. Returns the whole file, or nothing
// when libpng refuses, with its reason in `error`.
std::vector<unsigned char> encodePng(int width, int height, const std::vector<uint8_t>& rgbTopRowFirst,
                                     std::string& error);

#endif
