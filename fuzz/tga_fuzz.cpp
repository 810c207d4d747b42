// Feeds arbitrary bytes to the TGA loader as if they were a file. Besides the
// sanitizers' checks, a load that succeeds must describe a buffer at least as
// large as what OpenGL would read for its format, and a failed one must keep
// no pixels.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "Base/hostplatform.h"
#include "Base/tgaload.h"
#include "double/gldouble.h"

static int64_t bytesPerPixelRead(GLenum format)
{
    switch (format) {
    case GL_RGB: return 3;
    case GL_RGBA: return 4;
    case GL_LUMINANCE:
    case GL_ALPHA: return 1;
    default: return -1;
    }
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setHostEndian();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    image_t image;
    const int loaded = tgaLoadTheImageFromMemory(data, size, "fuzz", &image, TGA_GREY_AS_LUMINANCE);
    if (loaded) {
        const tgaHeader_t& info = image.info;
        const int64_t pixels = int64_t(info.width) * info.height;
        const int64_t perPixel = bytesPerPixelRead(info.tgaColourType);
        if (image.data == nullptr || info.width <= 0 || info.height <= 0 || perPixel < 0 ||
            pixels * info.components != info.bytes || pixels * perPixel > info.bytes) {
            std::abort();
        }
        // The last byte OpenGL would read must lie inside the buffer.
        volatile GLubyte last = image.data[pixels * perPixel - 1];
        (void)last;
        tgaUploadImage(&image, TGA_REDUCED_DEPTH);
    } else if (image.data != nullptr) {
        std::abort();
    }
    tgaFree(&image);
    gldouble::clearCalls();
    return 0;
}
