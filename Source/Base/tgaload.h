#ifndef MORVELLANT_BASE_TGALOAD_H
#define MORVELLANT_BASE_TGALOAD_H

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>

// Loads Truevision TGA images (uncompressed and run-length true-colour,
// uncompressed 8-bit greyscale) and uploads them as 2D textures. Any failure prints
// one line "<reason> - <file name>" and uploads a checkerboard instead.
// Images are parsed from memory: a load from a file reads the whole file
// first, which every platform can do alike (Windows has no fmemopen).

typedef uint32_t tgaFLAG;

const tgaFLAG TGA_FREE_AFTER_LOAD = 0x1;        // tgaLoad releases the pixels at its end
const tgaFLAG TGA_SKIP_UPLOAD = 0x10;           // tgaLoad does not upload
const tgaFLAG TGA_GREY_AS_ALPHA = 0x100;        // greyscale becomes GL_ALPHA
const tgaFLAG TGA_GREY_AS_LUMINANCE = 0x1000;   // greyscale becomes GL_LUMINANCE (wins)
const tgaFLAG TGA_SINGLE_LEVEL = 0x10000;       // level 0 only, no mipmaps
const tgaFLAG TGA_REDUCED_DEPTH = 0x100000;     // 4 bits per component internally
const tgaFLAG TGA_COMPRESSED = 0x1000000;       // compressed internal formats, if supported

// Largest accepted width or height. Keeps the pixel buffer at 1 GiB at most
// and its size well inside an int.
const int TGA_MAX_SIDE = 16384;

// The header as held in memory; the first twelve fields come from the file.
struct tgaHeader_t
{
    uint8_t id_length = 0;              // bytes of image ID after the header, skipped
    uint8_t colour_map_type = 0;        // 1: a colour map follows the ID, skipped
    uint8_t image_type = 0;
    int16_t colour_map_first_entry = 0; // read, not used
    int16_t colour_map_length = 0;      // entries in the colour map
    uint8_t colour_map_entry_size = 0;  // bits per colour map entry
    int16_t x_origin = 0;               // read, not used
    int16_t y_origin = 0;               // read, not used
    int16_t width = 0;
    int16_t height = 0;
    uint8_t pixel_depth = 0;            // bits per pixel
    uint8_t image_descriptor = 0;       // read, not used: rows go to OpenGL in file order
    int components = 0;                 // bytes per pixel: pixel_depth / 8
    int bytes = 0;                      // width * height * components; 0 when out of range
    GLenum tgaColourType = 0;           // GL_RGB, GL_RGBA, GL_LUMINANCE or GL_ALPHA
};

// A file's bytes in memory, read front to back. Reading past end gets nothing.
struct tgaFile_t
{
    const unsigned char* at = nullptr;     // the next byte to read
    const unsigned char* end = nullptr;    // one past the last byte
};

// An image owned by the caller; data is released by tgaFree.
struct image_t
{
    tgaHeader_t info;
    GLubyte* data = nullptr;
};

// Whether compressed internal formats may be chosen. Every load clears it.
extern bool tgaCompressedTexSupport;

// Loads into the caller's record, uploads unless TGA_SKIP_UPLOAD, then releases
// the pixels if TGA_FREE_AFTER_LOAD. After a failed load neither happens.
void tgaLoad(const char* fileName, image_t* image, tgaFLAG mode);

// Generates and binds a texture, loads into it and returns its name; after a
// failure the texture holds the checkerboard. Ignores the upload/free flags.
GLuint tgaLoadAndBind(const char* fileName, tgaFLAG mode);

// The load itself: 1 loaded, 0 failed (error line printed, checker uploaded).
int tgaLoadTheImage(const char* fileName, image_t* image, tgaFLAG mode);

// The same load from a file image already in memory; name is only used in
// error lines. tgaLoadTheImage reads through the same code.
int tgaLoadTheImageFromMemory(const unsigned char* fileBytes, size_t size, const char* name,
                              image_t* image, tgaFLAG mode);

// Uploads the record's pixels to the bound GL_TEXTURE_2D; does nothing when
// the record holds no pixels.
void tgaUploadImage(image_t* image, tgaFLAG mode);
void tgaSetTexParams(unsigned int minFilter, unsigned int magFilter, unsigned int application);
void tgaFree(image_t* image);
// Uploads the 128 x 128 greyscale checkerboard into the bound texture.
void tgaChecker(image_t* image);
void tgaGetExtensions();

// Reads the 18-byte header. Returns 0 if the file ends inside it.
int tgaGetImageHeader(tgaFile_t* file, tgaHeader_t* info);
// Allocates and fills the pixel buffer. Returns nullptr on success, else the
// text of the error line.
const char* tgaGetImageData(image_t* image, tgaFile_t* file);
// A zero-filled buffer of info.bytes bytes, or none if it cannot be had.
GLubyte* tgaAllocMem(tgaHeader_t info);

// Run-length decoding, packet by packet, into image->data. Each returns
// nullptr on success, else the text of the error line.
const char* tgaGetPackets(image_t* image, tgaFile_t* file);
const char* tgaGetAPacket(int* position, image_t* image, tgaFile_t* file);
// Stores one pixel read as blue, green, red (, alpha) as red, green, blue (, alpha).
void tgaPutPacketTuples(image_t* image, const GLubyte* tuple, int* position);

// The failure path: prints the line, releases the pixels and uploads the
// checkerboard.
void tgaError(const char* errorText, const char* fileName, image_t* image);

#endif
