// Feeds arbitrary bytes to the TGA loader as a file. Besides the sanitizers'
// checks, a load that succeeds must describe a buffer at least as large as
// what OpenGL reads for its format, and a failed one must keep no pixels.

#include <cstdint>
#include <cstdlib>

#include "Base/hostplatform.h"
#include "Base/tgaload.h"
#include "Headless/headless.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setHostEndian();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    image_t image;
    if (tgaLoadTheImageFromMemory(data, size, "fuzz", &image, TGA_GREY_AS_LUMINANCE)) {
        const tgaHeader_t& info = image.info;
        const GLenum type = info.tgaColourType;
        const int64_t perPixel = type == GL_RGB ? 3 : type == GL_RGBA ? 4 : type == GL_LUMINANCE ? 1 : -1;
        const int64_t pixels = int64_t(info.width) * info.height;
        if (image.data == nullptr || pixels <= 0 || perPixel != info.components || pixels * perPixel != info.bytes) {
            std::abort();
        }
        volatile GLubyte last = image.data[pixels * perPixel - 1];  // the last byte OpenGL reads
        (void)last;
        tgaUploadImage(&image, TGA_REDUCED_DEPTH);
    } else if (image.data != nullptr) {
        std::abort();
    }
    tgaFree(&image);
    return 0;
}
