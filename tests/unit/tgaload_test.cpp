#include <gtest/gtest.h>

#include <GL/glu.h>

#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "Base/hostplatform.h"
#include "Base/tgaload.h"
#include "double/gldouble.h"

// AddressSanitizer needs far more address space than a limit test leaves.
#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER 1
#endif
#endif

typedef std::vector<unsigned char> Bytes;

// An 18-byte header (little-endian sizes) followed by the given bytes.
static Bytes tga(int type, int width, int height, int depth, Bytes pixels, int idLength = 0)
{
    Bytes file = { static_cast<unsigned char>(idLength), 0, static_cast<unsigned char>(type),
                   0, 0, 0, 0, 0, 0, 0, 0, 0,
                   static_cast<unsigned char>(width & 0xFF), static_cast<unsigned char>((width >> 8) & 0xFF),
                   static_cast<unsigned char>(height & 0xFF), static_cast<unsigned char>((height >> 8) & 0xFF),
                   static_cast<unsigned char>(depth), 0 };
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

static std::vector<double> args(std::vector<double> values) { return values; }

class TgaLoad : public ::testing::Test
{
protected:
    image_t image;
    std::string path = "/tmp/morvellant-tga-" + std::to_string(getpid()) + ".tga";

    void SetUp() override
    {
        gldouble::reset();
        setHostEndian();
    }
    void TearDown() override
    {
        tgaFree(&image);
        std::remove(path.c_str());
    }
    const char* write(const Bytes& file)
    {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                   static_cast<std::streamsize>(file.size()));
        return path.c_str();
    }
    // Loads through the in-memory seam; returns the printed output.
    std::string load(const Bytes& file, tgaFLAG mode, int expectedResult)
    {
        testing::internal::CaptureStdout();
        EXPECT_EQ(tgaLoadTheImageFromMemory(file.data(), file.size(), "img.tga", &image, mode), expectedResult);
        return testing::internal::GetCapturedStdout();
    }
    Bytes pixels() const { return image.data ? Bytes(image.data, image.data + image.info.bytes) : Bytes(); }
    // A failed load prints one line, keeps no pixels and uploads only the checkerboard.
    void expectFailure(const Bytes& file, tgaFLAG mode, const std::string& text)
    {
        gldouble::clearCalls();
        EXPECT_EQ(load(file, mode, 0), text + " - img.tga\n");
        EXPECT_EQ(image.data, nullptr);
        EXPECT_EQ(image.info.width, 128);
        EXPECT_EQ(gldouble::names("gl"), (std::vector<std::string>{ "glTexImage2D" }));
        EXPECT_EQ(gldouble::calls()[0].args, args({ GL_TEXTURE_2D, 0, GL_LUMINANCE4, 128, 128, 0,
                                                    GL_LUMINANCE, GL_UNSIGNED_BYTE }));
    }
};

TEST_F(TgaLoad, MissingFilePrintsTheLineAndLeavesTheCheckerboardBound)
{
    testing::internal::CaptureStdout();
    tgaLoad("/no/such/file.tga", &image, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File not found - /no/such/file.tga\n");
    EXPECT_EQ(gldouble::names(), (std::vector<std::string>{ "glTexImage2D" }));  // no upload, no free

    gldouble::clearCalls();
    testing::internal::CaptureStdout();
    const GLuint texture = tgaLoadAndBind("/no/such/file.tga", 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(gldouble::names(), (std::vector<std::string>{ "glGenTextures", "glBindTexture", "glTexImage2D" }));
    EXPECT_EQ(gldouble::calls()[1].args, args({ GL_TEXTURE_2D, static_cast<double>(texture) }));
}

TEST_F(TgaLoad, TrueColourTurnsBlueGreenRedIntoRedGreenBlue)
{
    tgaCompressedTexSupport = true;
    EXPECT_EQ(load(tga(2, 2, 1, 24, { 10, 20, 30, 40, 50, 60 }), 0, 1), "");
    EXPECT_FALSE(tgaCompressedTexSupport);  // every load clears it
    EXPECT_EQ(pixels(), (Bytes{ 30, 20, 10, 60, 50, 40 }));
    EXPECT_EQ(image.info.tgaColourType, GLenum(GL_RGB));

    tgaFree(&image);
    load(tga(2, 1, 1, 32, { 10, 20, 30, 40 }), 0, 1);
    EXPECT_EQ(pixels(), (Bytes{ 30, 20, 10, 40 }));
    EXPECT_EQ(image.info.tgaColourType, GLenum(GL_RGBA));

    // An ID field is not skipped: pixels start at offset 18 whatever it says.
    tgaFree(&image);
    load(tga(2, 1, 1, 24, { 1, 2, 3, 4 }, 1), 0, 1);
    EXPECT_EQ(pixels(), (Bytes{ 3, 2, 1 }));

    // A short file is zero-filled, as it always was for uncompressed images.
    tgaFree(&image);
    load(tga(2, 2, 2, 24, { 1, 2, 3, 4 }), 0, 1);
    EXPECT_EQ(pixels(), (Bytes{ 3, 2, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0 }));
}

TEST_F(TgaLoad, RunLengthPackets)
{
    load(tga(10, 4, 1, 24, { 0x83, 1, 2, 3 }), 0, 1);
    EXPECT_EQ(pixels(), (Bytes{ 3, 2, 1, 3, 2, 1, 3, 2, 1, 3, 2, 1 }));
    EXPECT_EQ(image.info.tgaColourType, GLenum(GL_RGB));

    tgaFree(&image);
    load(tga(10, 2, 1, 24, { 0x01, 1, 2, 3, 4, 5, 6 }), 0, 1);
    EXPECT_EQ(pixels(), (Bytes{ 3, 2, 1, 6, 5, 4 }));

    tgaFree(&image);
    load(tga(10, 3, 1, 32, { 0x00, 1, 2, 3, 4, 0x81, 5, 6, 7, 8 }), 0, 1);
    EXPECT_EQ(pixels(), (Bytes{ 3, 2, 1, 4, 7, 6, 5, 8, 7, 6, 5, 8 }));
}

TEST_F(TgaLoad, UnsupportedFormatsFailWithTheirLines)
{
    expectFailure(tga(2, 1, 1, 16, { 1, 2 }), 0, "Unsupported RGB format");
    expectFailure(tga(10, 1, 1, 16, { 0x80, 1, 2 }), 0, "Unsupported compressed RGB format");
    expectFailure(tga(1, 1, 1, 8, { 1 }), 0, "8-bit colour no longer supported");
    expectFailure(tga(9, 1, 1, 8, { 1 }), 0, "8-bit colour no longer supported");
    expectFailure(tga(3, 2, 1, 8, { 7, 9 }), 0, "Must be LUMINANCE or ALPHA greyscale");
    // Decision: types without a pixel format (run-length greyscale among them) are refused.
    expectFailure(tga(11, 1, 1, 8, { 0x80, 1 }), TGA_GREY_AS_LUMINANCE, "Unsupported image type");
    expectFailure(tga(0, 1, 1, 24, {}), 0, "Unsupported image type");

    load(tga(3, 2, 1, 8, { 7, 9 }), TGA_GREY_AS_ALPHA | TGA_GREY_AS_LUMINANCE, 1);
    EXPECT_EQ(image.info.tgaColourType, GLenum(GL_LUMINANCE));
    EXPECT_EQ(pixels(), (Bytes{ 7, 9 }));
    tgaFree(&image);
    load(tga(3, 2, 1, 8, { 7, 9 }), TGA_GREY_AS_ALPHA, 1);
    EXPECT_EQ(image.info.tgaColourType, GLenum(GL_ALPHA));
}

TEST_F(TgaLoad, UntrustedFilesFailInsteadOfOverrunning)
{
    expectFailure(tga(10, 2, 1, 24, { 0x83, 1, 2, 3 }), 0, "Compressed data overruns the image");
    expectFailure(tga(10, 2, 1, 24, { 0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9 }), 0, "Compressed data overruns the image");
    expectFailure(tga(10, 2, 1, 24, { 0x80, 1, 2, 3 }), 0, "Compressed data ends early");
    expectFailure(tga(10, 2, 1, 24, { 0x81, 1, 2 }), 0, "Compressed data ends early");
    expectFailure(tga(10, 2, 1, 24, { 0x01, 1, 2, 3, 4 }), 0, "Compressed data ends early");
    expectFailure(Bytes{ 0, 0, 2, 0, 0 }, 0, "Truncated header");
    expectFailure(Bytes{}, 0, "Truncated header");
    expectFailure(tga(2, 0, 4, 24, {}), 0, "Unsupported image size");
    expectFailure(tga(2, 4, 0xFFFF, 24, {}), 0, "Unsupported image size");  // height -1
    expectFailure(tga(2, 16385, 1, 24, {}), 0, "Unsupported image size");
    // 16384 x 16384 x 31 bytes per pixel would overflow an int.
    expectFailure(tga(3, 16384, 16384, 248, {}), TGA_GREY_AS_LUMINANCE, "Unsupported image size");
    // Under 8 bits a greyscale pixel would have no bytes at all.
    expectFailure(tga(3, 4, 4, 4, {}), TGA_GREY_AS_LUMINANCE, "Unsupported greyscale format");
}

// Runs in a death-test child: the 1 GiB buffer cannot be had under 256 MiB.
static void loadUnderAddressLimit(const Bytes& file)
{
    const rlim_t cap = 256u << 20;
    const rlimit limit = { cap, cap };
    setrlimit(RLIMIT_AS, &limit);
    dup2(2, 1);  // the line goes to stdout; let the death test see it
    image_t image;
    const int loaded = tgaLoadTheImageFromMemory(file.data(), file.size(), "big.tga", &image, 0);
    std::exit(loaded == 0 && image.data == nullptr ? 3 : 4);
}

TEST_F(TgaLoad, FailedAllocationFailsTheLoad)
{
#ifdef UNDER_ADDRESS_SANITIZER
    GTEST_SKIP() << "needs an address-space limit";
#endif
    EXPECT_EXIT(loadUnderAddressLimit(tga(2, 16384, 16384, 32, {})), ::testing::ExitedWithCode(3),
                "Out of memory - big.tga");
}

TEST_F(TgaLoad, UploadFormatsAndLevels)
{
    const Bytes rgba = tga(2, 3, 1, 32, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 });
    tgaLoad(write(rgba), &image, TGA_REDUCED_DEPTH | TGA_COMPRESSED);
    // Rows are tightly packed: the upload asks for byte alignment and restores it.
    EXPECT_EQ(gldouble::names("gl"), (std::vector<std::string>{ "glPushClientAttrib", "glPixelStorei",
                                                                "gluBuild2DMipmaps", "glPopClientAttrib" }));
    EXPECT_EQ(gldouble::callsNamed("glPixelStorei")[0].args, args({ GL_UNPACK_ALIGNMENT, 1 }));
    EXPECT_EQ(gldouble::callsNamed("gluBuild2DMipmaps")[0].args,
              args({ GL_TEXTURE_2D, GL_RGBA4, 3, 1, GL_RGBA, GL_UNSIGNED_BYTE }));
    ASSERT_NE(image.data, nullptr);  // no TGA_FREE_AFTER_LOAD

    gldouble::clearCalls();
    tgaCompressedTexSupport = true;
    tgaUploadImage(&image, TGA_REDUCED_DEPTH | TGA_COMPRESSED | TGA_SINGLE_LEVEL);
    EXPECT_EQ(gldouble::callsNamed("glTexImage2D")[0].args,
              args({ GL_TEXTURE_2D, 0, GL_COMPRESSED_RGBA_ARB, 3, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE }));

    gldouble::clearCalls();
    tgaFree(&image);
    tgaLoad(write(tga(3, 1, 1, 8, { 5 })), &image, TGA_GREY_AS_ALPHA | TGA_SINGLE_LEVEL | TGA_FREE_AFTER_LOAD);
    EXPECT_EQ(gldouble::callsNamed("glTexImage2D")[0].args,
              args({ GL_TEXTURE_2D, 0, GL_ALPHA, 1, 1, 0, GL_ALPHA, GL_UNSIGNED_BYTE }));
    EXPECT_EQ(image.data, nullptr);

    gldouble::clearCalls();
    const GLuint texture = tgaLoadAndBind(write(rgba), TGA_SKIP_UPLOAD | TGA_REDUCED_DEPTH);
    EXPECT_EQ(gldouble::callsNamed("glBindTexture")[0].args, args({ GL_TEXTURE_2D, static_cast<double>(texture) }));
    EXPECT_EQ(gldouble::callsNamed("gluBuild2DMipmaps")[0].args[1], GL_RGBA4);
}

TEST_F(TgaLoad, SkippedUploadKeepsPixelsAndEmptyRecordsAreHarmless)
{
    tgaLoad(write(tga(2, 1, 1, 24, { 1, 2, 3 })), &image, TGA_SKIP_UPLOAD);
    EXPECT_EQ(pixels(), (Bytes{ 3, 2, 1 }));
    EXPECT_TRUE(gldouble::calls().empty());

    tgaFree(&image);
    tgaFree(&image);
    EXPECT_EQ(image.data, nullptr);
    tgaUploadImage(&image, 0);  // nothing to upload: GLU must not be handed a null pointer
    EXPECT_TRUE(gldouble::calls().empty());

    tgaSetTexParams(GL_LINEAR, GL_NEAREST, GL_MODULATE);
    EXPECT_EQ(gldouble::names(), (std::vector<std::string>{ "glTexParameteri", "glTexParameteri", "glTexEnvf" }));
    EXPECT_EQ(gldouble::calls()[0].args, args({ GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR }));
    EXPECT_EQ(gldouble::calls()[1].args, args({ GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST }));
    EXPECT_EQ(gldouble::calls()[2].args, args({ GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE }));
}

// The fuzzing seeds are valid images; fuzz findings, kept beside them, must
// load or fail cleanly (the sanitizer build checks the "cleanly").
TEST_F(TgaLoad, FuzzSeedsLoadAndFindingsStayFixed)
{
    for (const char* dir : { "fuzz/corpus/tga", "fuzz/regressions/tga" }) {
        const std::string full = std::string(MORVELLANT_SOURCE_DIR) + "/" + dir;
        DIR* listing = opendir(full.c_str());
        if (listing == nullptr && std::string(dir) == "fuzz/regressions/tga") {
            continue;  // no findings kept yet
        }
        ASSERT_NE(listing, nullptr) << full;
        int files = 0;
        while (const dirent* entry = readdir(listing)) {
            if (entry->d_name[0] == '.') {
                continue;
            }
            std::ifstream in(full + "/" + entry->d_name, std::ios::binary);
            const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            testing::internal::CaptureStdout();
            const int loaded = tgaLoadTheImageFromMemory(file.data(), file.size(), entry->d_name, &image,
                                                         TGA_GREY_AS_LUMINANCE);
            testing::internal::GetCapturedStdout();
            if (std::string(dir) == "fuzz/corpus/tga") {
                EXPECT_EQ(loaded, 1) << entry->d_name;
            }
            tgaFree(&image);
            ++files;
        }
        closedir(listing);
        EXPECT_GT(files, 0) << full;
    }
}
