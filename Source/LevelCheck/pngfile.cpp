#include "LevelCheck/pngfile.h"

#include <png.h>

#include <cstring>

// libpng's simplified interface: it keeps its error handling (longjmp) to
// itself, so no C++ object of ours is ever jumped over.
std::vector<unsigned char> encodePng(int width, int height, const std::vector<uint8_t>& rgbTopRowFirst,
                                     std::string& error)
{
    std::vector<unsigned char> file;
    if (width <= 0 || height <= 0
        || rgbTopRowFirst.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
        error = "no picture to encode";
        return file;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    const png_int_32 topFirst = width * 3;  // a negative stride would mean the bottom row first
    // Room for the worst case, so that the picture is compressed only once.
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
    file.resize(size);
    if (png_image_write_to_memory(&image, file.data(), &size, 0, rgbTopRowFirst.data(), topFirst, nullptr)) {
        file.resize(size);
    } else {
        file.clear();
    }
    if (file.empty()) {
        error = image.message;
    }
    png_image_free(&image);
    return file;
}
