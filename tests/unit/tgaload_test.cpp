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

typedef std::vector<unsigned char> Bytes;
typedef std::vector<double> Args;
typedef std::vector<std::string> Names;

// An 18-byte header (sizes little-endian) followed by the given bytes.
static Bytes tga(int type, int width, int height, int depth, Bytes pixels, int idLength = 0)
{
    Bytes file = { Bytes::value_type(idLength), 0, Bytes::value_type(type), 0, 0, 0, 0, 0, 0, 0, 0, 0,
                   Bytes::value_type(width), Bytes::value_type(width >> 8), Bytes::value_type(height),
                   Bytes::value_type(height >> 8), Bytes::value_type(depth), 0 };
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

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
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
        return path.c_str();
    }
    // Loads through the in-memory seam and returns what was printed.
    std::string load(const Bytes& file, tgaFLAG mode, int expectedResult)
    {
        testing::internal::CaptureStdout();
        EXPECT_EQ(tgaLoadTheImageFromMemory(file.data(), file.size(), "img.tga", &image, mode), expectedResult);
        return testing::internal::GetCapturedStdout();
    }
    Bytes pixels() const { return image.data ? Bytes(image.data, image.data + image.info.bytes) : Bytes(); }
};

TEST_F(TgaLoad, MissingFilePrintsTheLineAndLeavesTheCheckerboardBound)
{
    testing::internal::CaptureStdout();
    tgaLoad("/no/such/file.tga", &image, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File not found - /no/such/file.tga\n");
    EXPECT_EQ(gldouble::names(), Names{ "glTexImage2D" });  // the checker; no upload, no free
    EXPECT_EQ(gldouble::calls()[0].args, Args({ GL_TEXTURE_2D, 0, GL_LUMINANCE4, 128, 128, 0, GL_LUMINANCE,
                                                GL_UNSIGNED_BYTE }));
    EXPECT_EQ(image.data, nullptr);

    gldouble::clearCalls();
    testing::internal::CaptureStdout();
    const GLuint texture = tgaLoadAndBind("/no/such/file.tga", 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(gldouble::names(), (Names{ "glGenTextures", "glBindTexture", "glTexImage2D" }));
    EXPECT_EQ(gldouble::calls()[1].args, Args({ GL_TEXTURE_2D, double(texture) }));
}

TEST_F(TgaLoad, DecodesWellFormedImages)
{
    struct Case { Bytes file; tgaFLAG mode; Bytes pixels; GLenum type; };
    const Case cases[] = {
        { tga(2, 2, 1, 24, { 10, 20, 30, 40, 50, 60 }), 0, { 30, 20, 10, 60, 50, 40 }, GL_RGB },
        { tga(2, 1, 1, 32, { 10, 20, 30, 40 }), 0, { 30, 20, 10, 40 }, GL_RGBA },
        // An ID field is not skipped: pixels start at offset 18 whatever it says.
        { tga(2, 1, 1, 24, { 1, 2, 3, 4 }, 1), 0, { 3, 2, 1 }, GL_RGB },
        // Decision kept from the old loader: a short uncompressed file is zero-filled.
        { tga(2, 2, 2, 24, { 1, 2, 3, 4 }), 0, { 3, 2, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0 }, GL_RGB },
        { tga(10, 4, 1, 24, { 0x83, 1, 2, 3 }), 0, { 3, 2, 1, 3, 2, 1, 3, 2, 1, 3, 2, 1 }, GL_RGB },
        { tga(10, 2, 1, 24, { 0x01, 1, 2, 3, 4, 5, 6 }), 0, { 3, 2, 1, 6, 5, 4 }, GL_RGB },
        { tga(10, 2, 1, 32, { 0x00, 1, 2, 3, 4, 0x80, 5, 6, 7, 8 }), 0, { 3, 2, 1, 4, 7, 6, 5, 8 }, GL_RGBA },
        { tga(3, 2, 1, 8, { 7, 9 }), TGA_GREY_AS_ALPHA | TGA_GREY_AS_LUMINANCE, { 7, 9 }, GL_LUMINANCE },
        { tga(3, 2, 1, 8, { 7, 9 }), TGA_GREY_AS_ALPHA, { 7, 9 }, GL_ALPHA },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.file));
        tgaCompressedTexSupport = true;
        EXPECT_EQ(load(c.file, c.mode, 1), "");
        EXPECT_FALSE(tgaCompressedTexSupport);  // every load clears it
        EXPECT_EQ(pixels(), c.pixels);
        EXPECT_EQ(image.info.tgaColourType, c.type);
        tgaFree(&image);
    }
    EXPECT_TRUE(gldouble::calls().empty());
}

// Each failure prints one line, keeps no pixels and uploads only the checkerboard.
// Every case after the first five is a file the loader must not trust.
TEST_F(TgaLoad, FailuresPrintTheirLineAndUploadTheCheckerboard)
{
    struct Case { Bytes file; tgaFLAG mode; std::string line; };
    const tgaFLAG grey = TGA_GREY_AS_LUMINANCE;
    const Case cases[] = {
        { tga(2, 1, 1, 16, { 1, 2 }), 0, "Unsupported RGB format" },
        { tga(10, 1, 1, 16, { 0x80, 1, 2 }), 0, "Unsupported compressed RGB format" },
        { tga(1, 1, 1, 8, { 1 }), 0, "8-bit colour no longer supported" },
        { tga(9, 1, 1, 8, { 1 }), 0, "8-bit colour no longer supported" },
        { tga(3, 2, 1, 8, { 7, 9 }), 0, "Must be LUMINANCE or ALPHA greyscale" },
        // Decision: types without a pixel format (run-length greyscale among them) are refused.
        { tga(11, 1, 1, 8, { 0x80, 1 }), grey, "Unsupported image type" },
        { tga(0, 1, 1, 24, {}), 0, "Unsupported image type" },
        { tga(10, 2, 1, 24, { 0x83, 1, 2, 3 }), 0, "Compressed data overruns the image" },
        { tga(10, 2, 1, 24, { 0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9 }), 0, "Compressed data overruns the image" },
        // Decision: run-length data cut short fails rather than being zero-filled.
        { tga(10, 2, 1, 24, { 0x80, 1, 2, 3 }), 0, "Compressed data ends early" },
        { tga(10, 2, 1, 24, { 0x81, 1, 2 }), 0, "Compressed data ends early" },
        { tga(10, 2, 1, 24, { 0x01, 1, 2, 3, 4 }), 0, "Compressed data ends early" },
        { { 0, 0, 2, 0, 0 }, 0, "Truncated header" },
        { {}, 0, "Truncated header" },
        { tga(2, 0, 4, 24, {}), 0, "Unsupported image size" },
        { tga(2, 4, 0xFFFF, 24, {}), 0, "Unsupported image size" },  // height -1
        { tga(2, 16385, 1, 24, {}), 0, "Unsupported image size" },
        { tga(3, 16384, 16384, 248, {}), grey, "Unsupported image size" },  // 31 bytes a pixel: past an int
        { tga(3, 4, 4, 4, {}), grey, "Unsupported greyscale format" },  // no bytes for OpenGL to read
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        gldouble::clearCalls();
        EXPECT_EQ(load(c.file, c.mode, 0), c.line + " - img.tga\n");
        EXPECT_EQ(image.data, nullptr);
        EXPECT_EQ(image.info.width, 128);
        EXPECT_EQ(gldouble::names("gl"), Names{ "glTexImage2D" });
    }
}

// AddressSanitizer needs far more address space than the limit leaves.
#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER 1
#endif
#endif

// Runs in a death-test child: the 1 GiB buffer cannot be had under 256 MiB.
static void loadUnderAddressLimit(const Bytes& file)
{
    const rlimit limit = { rlim_t(256) << 20, rlim_t(256) << 20 };
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
    tgaLoad(write(rgba), &image, TGA_REDUCED_DEPTH | TGA_COMPRESSED);  // the load turned support off
    // Rows are tightly packed: the upload asks for byte alignment and restores it.
    EXPECT_EQ(gldouble::names(), (Names{ "glPushClientAttrib", "glPixelStorei", "gluBuild2DMipmaps",
                                         "glPopClientAttrib" }));
    EXPECT_EQ(gldouble::calls()[1].args, Args({ GL_UNPACK_ALIGNMENT, 1 }));
    EXPECT_EQ(gldouble::calls()[2].args, Args({ GL_TEXTURE_2D, GL_RGBA4, 3, 1, GL_RGBA, GL_UNSIGNED_BYTE }));
    ASSERT_NE(image.data, nullptr);  // no TGA_FREE_AFTER_LOAD

    gldouble::clearCalls();
    tgaCompressedTexSupport = true;
    tgaUploadImage(&image, TGA_REDUCED_DEPTH | TGA_COMPRESSED | TGA_SINGLE_LEVEL);
    EXPECT_EQ(gldouble::callsNamed("glTexImage2D")[0].args,
              Args({ GL_TEXTURE_2D, 0, GL_COMPRESSED_RGBA_ARB, 3, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE }));

    gldouble::clearCalls();
    tgaFree(&image);
    tgaLoad(write(tga(3, 1, 1, 8, { 5 })), &image, TGA_GREY_AS_ALPHA | TGA_SINGLE_LEVEL | TGA_FREE_AFTER_LOAD);
    EXPECT_EQ(gldouble::callsNamed("glTexImage2D")[0].args,
              Args({ GL_TEXTURE_2D, 0, GL_ALPHA, 1, 1, 0, GL_ALPHA, GL_UNSIGNED_BYTE }));
    EXPECT_EQ(image.data, nullptr);

    gldouble::clearCalls();
    const GLuint texture = tgaLoadAndBind(write(rgba), TGA_SKIP_UPLOAD | TGA_REDUCED_DEPTH);  // ignores the skip
    EXPECT_EQ(gldouble::callsNamed("glBindTexture")[0].args, Args({ GL_TEXTURE_2D, double(texture) }));
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
    tgaUploadImage(&image, 0);  // GLU must not be handed a null pointer
    EXPECT_TRUE(gldouble::calls().empty());
}

// The files of one directory of the repository, by name.
static std::vector<std::pair<std::string, Bytes>> filesIn(const std::string& dir)
{
    std::vector<std::pair<std::string, Bytes>> files;
    const std::string full = std::string(MORVELLANT_SOURCE_DIR) + "/" + dir + "/";
    if (DIR* listing = opendir(full.c_str())) {
        while (const dirent* entry = readdir(listing)) {
            if (entry->d_name[0] != '.') {
                std::ifstream in(full + entry->d_name, std::ios::binary);
                files.emplace_back(entry->d_name, Bytes((std::istreambuf_iterator<char>(in)),
                                                        std::istreambuf_iterator<char>()));
            }
        }
        closedir(listing);
    }
    return files;
}

// The fuzzing seeds must be valid images, or the fuzzer starts from nothing;
// inputs that once broke the loader must fail cleanly (checked by the
// sanitizer build).
TEST_F(TgaLoad, FuzzSeedsLoadAndFormerFindingsFail)
{
    const auto seeds = filesIn("fuzz/corpus/tga");
    EXPECT_GE(seeds.size(), 4u);
    for (const auto& seed : seeds) {
        EXPECT_EQ(load(seed.second, TGA_GREY_AS_LUMINANCE, 1), "") << seed.first;
        tgaFree(&image);
    }
    const auto findings = filesIn("fuzz/regressions/tga");
    EXPECT_GE(findings.size(), 1u);
    for (const auto& finding : findings) {
        EXPECT_NE(load(finding.second, TGA_GREY_AS_LUMINANCE, 0), "") << finding.first;
    }
}
