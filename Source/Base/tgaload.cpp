#include "Base/tgaload.h"

#include <GL/glext.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Base/hostplatform.h"

bool tgaCompressedTexSupport = true;

namespace {

// Error lines of our own, for files the loader refuses to trust.
const char* const TGA_TRUNCATED_HEADER = "Truncated header";
const char* const TGA_UNSUPPORTED_TYPE = "Unsupported image type";
const char* const TGA_UNSUPPORTED_GREY = "Unsupported greyscale format";
const char* const TGA_UNSUPPORTED_SIZE = "Unsupported image size";
const char* const TGA_OUT_OF_MEMORY = "Out of memory";
const char* const TGA_PACKETS_END_EARLY = "Compressed data ends early";
const char* const TGA_PACKETS_OVERRUN = "Compressed data overruns the image";

const int TGA_CHECKER_SIDE = 128;
GLubyte TGA_CHECKER[TGA_CHECKER_SIDE * TGA_CHECKER_SIDE];

// The pixel buffer never exceeds this: the largest side squared, 4 bytes each.
const int64_t TGA_MAX_BYTES = int64_t(TGA_MAX_SIDE) * TGA_MAX_SIDE * 4;

// The most bytes a file can need: header, image ID, a colour map of 65535
// entries of up to 32 bytes, and the largest image in run-length packets of
// one pixel (a packet byte before each pixel of 3 or 4 bytes). A load reads
// no further, as a streamed read would not.
const size_t TGA_MOST_FILE_BYTES = 18 + 255 + 65535 * 32 + size_t(TGA_MAX_SIDE) * TGA_MAX_SIDE * 5;

// Reads up to count bytes into to; returns how many there were.
size_t readBytes(tgaFile_t* file, void* to, size_t count)
{
    const size_t got = std::min(count, static_cast<size_t>(file->end - file->at));
    if (got > 0) {  // an empty file may have no bytes to point at
        std::memcpy(to, file->at, got);
        file->at += got;
    }
    return got;
}

// The next byte, or EOF at the end.
int readByte(tgaFile_t* file)
{
    return file->at < file->end ? *file->at++ : EOF;
}

uint8_t takeByte(const unsigned char*& at)
{
    return *at++;
}

// A 16-bit field as it lies in the file, put into host order.
int16_t takeShort(const unsigned char*& at)
{
    short inFile;
    std::memcpy(&inFile, at, sizeof(inFile));
    at += sizeof(inFile);
    return endianLEtoHs(inFile);
}

// Picks the OpenGL pixel format for the image type, or says why it cannot.
const char* chooseColourType(tgaHeader_t* info, tgaFLAG mode)
{
    switch (info->image_type) {
    case 1:
    case 9:
        return "8-bit colour no longer supported";
    case 2:
    case 10:
        if (info->pixel_depth == 24) {
            info->tgaColourType = GL_RGB;
        } else if (info->pixel_depth == 32) {
            info->tgaColourType = GL_RGBA;
        } else {
            return info->image_type == 2 ? "Unsupported RGB format" : "Unsupported compressed RGB format";
        }
        return nullptr;
    case 3:
        if (mode & TGA_GREY_AS_LUMINANCE) {
            info->tgaColourType = GL_LUMINANCE;
        } else if (mode & TGA_GREY_AS_ALPHA) {
            info->tgaColourType = GL_ALPHA;
        } else {
            return "Must be LUMINANCE or ALPHA greyscale";
        }
        // One byte a pixel is all OpenGL is told of: below it there would be
        // no bytes to read, above it (grey with alpha) the wrong ones.
        return info->pixel_depth != 8 ? TGA_UNSUPPORTED_GREY : nullptr;
    default:
        // No format fits (run-length greyscale among them): uploading would
        // hand OpenGL a buffer that does not match whatever format it got.
        return TGA_UNSUPPORTED_TYPE;
    }
}

bool sizeIsSane(const tgaHeader_t& info)
{
    return info.width > 0 && info.height > 0 && info.width <= TGA_MAX_SIDE &&
           info.height <= TGA_MAX_SIDE && info.bytes > 0;
}

// The image ID and a colour map, if the file carries them, lie between the
// header and the pixels: many tools write an ID, and a true-colour file may
// keep a map it does not use.
bool skipToPixels(tgaFile_t* file, const tgaHeader_t& info)
{
    long skip = info.id_length;
    if (info.colour_map_type == 1) {
        const long entryBytes = (info.colour_map_entry_size + 7) / 8;
        skip += static_cast<uint16_t>(info.colour_map_length) * entryBytes;
    }
    if (file->end - file->at < skip) {
        return false;
    }
    file->at += skip;
    return true;
}

// Steps 3 to 5 of a load, from a file in memory.
int tgaReadImage(tgaFile_t* file, const char* name, image_t* image, tgaFLAG mode)
{
    if (!tgaGetImageHeader(file, &image->info)) {
        tgaError(TGA_TRUNCATED_HEADER, name, image);
        return 0;
    }
    const char* error = chooseColourType(&image->info, mode);
    if (error == nullptr && !sizeIsSane(image->info)) {
        error = TGA_UNSUPPORTED_SIZE;
    }
    if (error == nullptr && !skipToPixels(file, image->info)) {
        error = TGA_TRUNCATED_HEADER;
    }
    if (error == nullptr) {
        error = tgaGetImageData(image, file);
    }
    if (error != nullptr) {
        tgaError(error, name, image);
        return 0;
    }
    return 1;
}

}  // namespace

void tgaLoad(const char* fileName, image_t* image, tgaFLAG mode)
{
    if (!tgaLoadTheImage(fileName, image, mode)) {
        return;
    }
    if (!(mode & TGA_SKIP_UPLOAD)) {
        tgaUploadImage(image, mode);
    }
    if (mode & TGA_FREE_AFTER_LOAD) {
        tgaFree(image);
    }
}

GLuint tgaLoadAndBind(const char* fileName, tgaFLAG mode)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Always uploaded into the new texture, and the pixels never kept.
    image_t image;
    tgaLoad(fileName, &image, (mode & ~TGA_SKIP_UPLOAD) | TGA_FREE_AFTER_LOAD);
    return texture;
}

int tgaLoadTheImage(const char* fileName, image_t* image, tgaFLAG mode)
{
    FILE* file = fileName != nullptr ? std::fopen(fileName, "rb") : nullptr;
    if (file == nullptr) {
        tgaGetExtensions();
        // Whatever the record held is the caller's to release.
        image->data = nullptr;
        tgaError("File not found", fileName, image);
        return 0;
    }
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    size_t got = 0;
    while (bytes.size() < TGA_MOST_FILE_BYTES && (got = std::fread(chunk, 1, sizeof(chunk), file)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    std::fclose(file);
    return tgaLoadTheImageFromMemory(bytes.data(), bytes.size(), fileName, image, mode);
}

int tgaLoadTheImageFromMemory(const unsigned char* fileBytes, size_t size, const char* name,
                              image_t* image, tgaFLAG mode)
{
    tgaGetExtensions();
    image->data = nullptr;
    tgaFile_t file;
    file.at = fileBytes;
    file.end = fileBytes + size;
    return tgaReadImage(&file, name, image, mode);
}

void tgaUploadImage(image_t* image, tgaFLAG mode)
{
    // gluBuild2DMipmaps would read through a null pointer.
    if (image->data == nullptr) {
        return;
    }
    const GLenum colourType = image->info.tgaColourType;
    GLenum internalFormat = colourType;
    if ((mode & TGA_COMPRESSED) && tgaCompressedTexSupport) {
        switch (colourType) {
        case GL_RGB: internalFormat = GL_COMPRESSED_RGB_ARB; break;
        case GL_RGBA: internalFormat = GL_COMPRESSED_RGBA_ARB; break;
        case GL_LUMINANCE: internalFormat = GL_COMPRESSED_LUMINANCE_ARB; break;
        case GL_ALPHA: internalFormat = GL_COMPRESSED_ALPHA_ARB; break;
        default: break;
        }
    } else if (mode & TGA_REDUCED_DEPTH) {
        switch (colourType) {
        case GL_RGB: internalFormat = GL_RGB4; break;
        case GL_RGBA: internalFormat = GL_RGBA4; break;
        case GL_LUMINANCE: internalFormat = GL_LUMINANCE4; break;
        case GL_ALPHA: internalFormat = GL_ALPHA4; break;
        default: break;
        }
    }
    // Rows are packed tightly; with OpenGL's default 4-byte row alignment a
    // width such as 3 would make it read past the end of the buffer.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (mode & TGA_SINGLE_LEVEL) {
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(internalFormat), image->info.width,
                     image->info.height, 0, colourType, GL_UNSIGNED_BYTE, image->data);
    } else {
        gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(internalFormat), image->info.width,
                          image->info.height, colourType, GL_UNSIGNED_BYTE, image->data);
    }
    glPopClientAttrib();
}

void tgaSetTexParams(unsigned int minFilter, unsigned int magFilter, unsigned int application)
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(minFilter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(magFilter));
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(application));
}

void tgaFree(image_t* image)
{
    std::free(image->data);
    image->data = nullptr;
}

void tgaChecker(image_t* image)
{
    // The header now describes the checkerboard, so it must not keep pixels.
    tgaFree(image);
    image->info.image_type = 3;
    image->info.width = TGA_CHECKER_SIDE;
    image->info.height = TGA_CHECKER_SIDE;
    image->info.pixel_depth = 8;
    image->info.components = 1;
    image->info.bytes = TGA_CHECKER_SIDE * TGA_CHECKER_SIDE;
    for (int j = 0; j < TGA_CHECKER_SIDE; ++j) {
        for (int i = 0; i < TGA_CHECKER_SIDE; ++i) {
            TGA_CHECKER[j * TGA_CHECKER_SIDE + i] = ((i ^ j) & 16) ? 0 : 255;
        }
    }
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE4, TGA_CHECKER_SIDE, TGA_CHECKER_SIDE, 0,
                 GL_LUMINANCE, GL_UNSIGNED_BYTE, TGA_CHECKER);
}

void tgaGetExtensions()
{
    tgaCompressedTexSupport = false;
}

int tgaGetImageHeader(tgaFile_t* file, tgaHeader_t* info)
{
    // Missing bytes read as zero; the caller refuses a cut header anyway.
    unsigned char raw[18] = {};
    const size_t got = readBytes(file, raw, sizeof(raw));
    const unsigned char* at = raw;
    info->id_length = takeByte(at);
    info->colour_map_type = takeByte(at);
    info->image_type = takeByte(at);
    info->colour_map_first_entry = takeShort(at);
    info->colour_map_length = takeShort(at);
    info->colour_map_entry_size = takeByte(at);
    info->x_origin = takeShort(at);
    info->y_origin = takeShort(at);
    info->width = takeShort(at);
    info->height = takeShort(at);
    info->pixel_depth = takeByte(at);
    info->image_descriptor = takeByte(at);
    info->components = info->pixel_depth / 8;
    // Worked out wide: 32767 x 32767 x 31 does not fit an int.
    const int64_t bytes = int64_t(info->width) * info->height * info->components;
    info->bytes = (bytes > 0 && bytes <= TGA_MAX_BYTES) ? static_cast<int>(bytes) : 0;
    return got == sizeof(raw) ? 1 : 0;
}

const char* tgaGetImageData(image_t* image, tgaFile_t* file)
{
    image->data = tgaAllocMem(image->info);
    if (image->data == nullptr) {
        return TGA_OUT_OF_MEMORY;
    }
    const int type = image->info.image_type;
    if (type >= 1 && type <= 3) {
        // A short file is not refused: the rest of the buffer stays zero, and
        // the exchange below still runs over all of it, a last pixel read
        // only in part included.
        const size_t got = readBytes(file, image->data, static_cast<size_t>(image->info.bytes));
        (void)got;
        const int components = image->info.components;
        if (components == 3 || components == 4) {
            GLubyte* end = image->data + image->info.bytes;
            for (GLubyte* pixel = image->data; pixel < end; pixel += components) {
                const GLubyte blue = pixel[0];
                pixel[0] = pixel[2];
                pixel[2] = blue;
            }
        }
        return nullptr;
    }
    if (type == 9 || type == 10) {
        return tgaGetPackets(image, file);
    }
    return nullptr;
}

GLubyte* tgaAllocMem(tgaHeader_t info)
{
    if (info.bytes <= 0) {
        return nullptr;
    }
    // calloc rather than new[](): fresh zero pages are not written, so a large
    // image costs only what the file fills in.
    return static_cast<GLubyte*>(std::calloc(static_cast<size_t>(info.bytes), 1));
}

const char* tgaGetPackets(image_t* image, tgaFile_t* file)
{
    int position = 0;
    while (position < image->info.bytes) {
        const char* error = tgaGetAPacket(&position, image, file);
        if (error != nullptr) {
            return error;
        }
    }
    return nullptr;
}

const char* tgaGetAPacket(int* position, image_t* image, tgaFile_t* file)
{
    const int components = image->info.components;
    if (components < 3 || components > 4) {
        return "Unsupported compressed RGB format";
    }
    GLubyte tuple[4] = { 0, 0, 0, 0 };
    const int header = readByte(file);
    if (header == EOF) {
        return TGA_PACKETS_END_EARLY;
    }
    const int count = (header & 0x7F) + 1;
    // A packet may not carry pixels past the last one of the image.
    if (count > (image->info.bytes - *position) / components) {
        return TGA_PACKETS_OVERRUN;
    }
    const size_t tupleSize = static_cast<size_t>(components);
    if (header & 0x80) {
        if (readBytes(file, tuple, tupleSize) != tupleSize) {
            return TGA_PACKETS_END_EARLY;
        }
        for (int i = 0; i < count; ++i) {
            tgaPutPacketTuples(image, tuple, position);
        }
    } else {
        for (int i = 0; i < count; ++i) {
            if (readBytes(file, tuple, tupleSize) != tupleSize) {
                return TGA_PACKETS_END_EARLY;
            }
            tgaPutPacketTuples(image, tuple, position);
        }
    }
    return nullptr;
}

void tgaPutPacketTuples(image_t* image, const GLubyte* tuple, int* position)
{
    GLubyte* pixel = image->data + *position;
    pixel[0] = tuple[2];
    pixel[1] = tuple[1];
    pixel[2] = tuple[0];
    if (image->info.components == 4) {
        pixel[3] = tuple[3];
    }
    *position += image->info.components;
}

void tgaError(const char* errorText, const char* fileName, image_t* image)
{
    std::printf("%s - %s\n", errorText, fileName != nullptr ? fileName : "");
    std::fflush(stdout);
    tgaChecker(image);  // which lets the pixels go
}
