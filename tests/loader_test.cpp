// The file loaders as tables: level maps and what the level report makes of
// them, and TGA images with the textures they upload.

#include <GL/glu.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Base/hostplatform.h"
#include "Base/tgaload.h"
#include "Game/levelreport.h"
#include "Game/trokmap.h"
#include "support/harness.h"

// What loading the text as a level printed, and the cells row by row, each
// row ended by '/', of the map's copy.
static std::string load(const std::string& content, TrokMap*& map)
{
    writeLevel({});
    std::ofstream("Content/city1.troklevel", std::ios::binary) << content;
    testing::internal::CaptureStdout();
    delete map;
    map = new TrokMap("Content/city1.troklevel");
    std::string printed = testing::internal::GetCapturedStdout() + "=";
    const TrokMap copy(*map);
    for (int i = 0; i < copy.getHeight(); ++i) {
        for (int j = 0; j < copy.getWidth(); ++j) printed += copy.get(i, j);
        printed += '/';
    }
    return printed + (copy.valid ? "" : "invalid");
}

// What each refusal prints is in levelcheck/loader.case; here, the cells kept.
TEST(LevelMap, LoadsGoodFilesAndRefusesBadOnesWithOneLine)
{
    const std::string magic = "!MorvellantMapFile\n", odd = "Should not get here\n";
    const std::string example = magic + "6 4\n#3..b#\n.W.C..\n.@..P.\n#a..W#\n";
    const std::pair<std::string, std::string> cases[] = {
        { example, "Map size: 6,4\n=#3..b#/.W.C../.@..P./#a..W#/" },
        // Signed numbers on lines of their own, junk after the height, long rows, lines past the last row.
        { magic + "+3\n2 rest of line\n.@.EXTRA\nCPW\nnot a row", "Map size: 3,2\n=.@./CPW/" },
        { magic + "3 1\n. @\n", "Map size: 3,1\n" + odd + "=.*@/" },
        { magic + "5 1\n89hi$", "Map size: 5,1\n=89hi$/" },  // silent, though 8, 9, h and i build nothing
        { magic + "4 1\ncpwj\n", "Map size: 4,1\n" + odd + odd + odd + "=c***/" },
        { magic + "6 4\n#3..b#\n.W.C.\n", "Map size: 6,4\nBad map row: line 4 has 5 cells, the map is 6 wide\n=invalid" },
    };
    TrokMap* map = nullptr;
    for (const auto& c : cases) EXPECT_EQ(load(c.first, map), c.second) << c.first;
    // A failed reload leaves a loaded map as it was.
    load(example, map);
    std::ofstream("Content/city1.troklevel") << magic + "2 2\n..\n";
    testing::internal::CaptureStdout();
    EXPECT_FALSE(map->loadMapFile("Content/city1.troklevel"));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(map->getWidth(), 6);
    EXPECT_EQ(map->get(3, 5), '#');
    delete map;
}

// The budget: squares of one cell with an activist and a citizen in the
// first cells. A square of blocks 2332 cells a side takes all of the 2048 MB
// a game may take (one more, 2050 MB; 2500, 2354 MB: see Games/TooBig), one
// of citizens 2048 a side is over. Read off the estimate, which `make bench`
// finds within 1% of the peak that building such levels takes.
TEST(LevelReport, TheMemoryBudgetAtItsEdge)
{
    const struct { int side; char cell; const char* megabytes; } levels[] = {
        { 2332, '#', nullptr }, { 2048, 'C', "2168" } };
    for (const auto& l : levels) {
        std::vector<std::string> rows(l.side, std::string(l.side, l.cell));
        rows[0].replace(0, 2, "@C");
        writeLevel(rows);
        testing::internal::CaptureStdout();
        const TrokMap map{ std::string("Content/city1.troklevel") };
        testing::internal::GetCapturedStdout();
        std::ostringstream out;
        LevelReport(map).print(out);
        EXPECT_EQ(out.str().substr(out.str().find('\n') + 1),
                  l.megabytes ? std::string("problem: too big: a game would take about ") + l.megabytes +
                                    " MB, more than the 2048 MB a game may use\nnot playable\n" : "playable\n");
    }
}

namespace {

typedef std::vector<unsigned char> Bytes;
typedef std::vector<double> Args;

// An 18-byte header, sizes little-endian, then the ID, colour map and pixels.
Bytes tga(int type, int width, int height, int depth, Bytes rest, int idLength = 0, int mapLength = 0,
          int entryBits = 24)
{
    Bytes file = { Bytes::value_type(idLength), mapLength > 0, Bytes::value_type(type), 0, 0,
                   Bytes::value_type(mapLength), 0, Bytes::value_type(entryBits), 0, 0, 0, 0, Bytes::value_type(width),
                   Bytes::value_type(width >> 8), Bytes::value_type(height), Bytes::value_type(height >> 8),
                   Bytes::value_type(depth), 0 };
    file.insert(file.end(), rest.begin(), rest.end());
    return file;
}

// What loading printed; or the pixels, then the OpenGL format chosen.
std::string load(const Bytes& file, tgaFLAG mode)
{
    image_t image;
    gldouble::reset();
    setHostEndian();
    testing::internal::CaptureStdout();
    const int loaded = tgaLoadTheImageFromMemory(file.data(), file.size(), "img.tga", &image, mode);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(loaded, out.empty());
    if (image.data) out += std::string(image.data, image.data + image.info.bytes) + "|" + std::to_string(image.info.tgaColourType);
    tgaFree(&image);
    return out;
}

std::string px(std::string bytes, GLenum type) { return bytes + "|" + std::to_string(type); }

}  // namespace

// A failure prints one line, keeps no pixels and uploads the checkerboard
// alone: 16 by 16 squares, white at the first corner.
TEST(Tga, DecodesWellFormedImagesAndRefusesOthersWithOneLine)
{
    const tgaFLAG grey = TGA_GREY_AS_LUMINANCE;
    const struct { Bytes file; tgaFLAG mode; std::string out; } cases[] = {
        { tga(2, 2, 1, 24, { 10, 20, 30, 40, 50, 60 }), 0, px({ 30, 20, 10, 60, 50, 40 }, GL_RGB) },
        { tga(2, 1, 1, 32, { 10, 20, 30, 40 }), 0, px({ 30, 20, 10, 40 }, GL_RGBA) },
        // An image ID of any length, and a colour map the true colour does not use, come before the pixels.
        { tga(2, 1, 1, 24, { 'i', 'd', '!', 1, 2, 3 }, 3), 0, px({ 3, 2, 1 }, GL_RGB) },
        { tga(10, 1, 1, 24, { 'x', 9, 9, 9, 8, 8, 8, 0x80, 1, 2, 3 }, 1, 2), 0, px({ 3, 2, 1 }, GL_RGB) },
        { tga(2, 1, 1, 24, { 9, 9, 8, 8, 1, 2, 3 }, 0, 2, 15), 0, px({ 3, 2, 1 }, GL_RGB) },  // entries of 2 bytes,
        { tga(2, 1, 1, 24, { 9, 9, 8, 8, 1, 2, 3 }, 0, 2, 16), 0, px({ 3, 2, 1 }, GL_RGB) },  // 2,
        { tga(2, 1, 1, 24, { 9, 9, 9, 9, 1, 2, 3 }, 0, 1, 32), 0, px({ 3, 2, 1 }, GL_RGB) },  // 4
        { tga(2, 16384, 1, 24, {}), 0, px(std::string(16384 * 3, '\0'), GL_RGB) },  // the widest,
        { tga(2, 1, 16384, 24, {}), 0, px(std::string(16384 * 3, '\0'), GL_RGB) },  // the highest
        // A short file is zero-filled, then blue and red exchanged all over: a part pixel too.
        { tga(2, 2, 2, 24, { 1, 2, 3, 4 }), 0, px({ 3, 2, 1, 0, 0, 4, 0, 0, 0, 0, 0, 0 }, GL_RGB) },
        { tga(10, 4, 1, 24, { 0x83, 1, 2, 3 }), 0, px({ 3, 2, 1, 3, 2, 1, 3, 2, 1, 3, 2, 1 }, GL_RGB) },
        { tga(10, 2, 1, 24, { 0x01, 1, 2, 3, 4, 5, 6 }), 0, px({ 3, 2, 1, 6, 5, 4 }, GL_RGB) },
        { tga(10, 2, 1, 32, { 0x00, 1, 2, 3, 4, 0x80, 5, 6, 7, 8 }), 0, px({ 3, 2, 1, 4, 7, 6, 5, 8 }, GL_RGBA) },
        { tga(3, 2, 1, 8, { 7, 9 }), TGA_GREY_AS_ALPHA | grey, px({ 7, 9 }, GL_LUMINANCE) },
        { tga(3, 2, 1, 8, { 7, 9 }), TGA_GREY_AS_ALPHA, px({ 7, 9 }, GL_ALPHA) },
        { tga(2, 1, 1, 16, { 1, 2 }), 0, "Unsupported RGB format" },
        { tga(10, 1, 1, 16, { 0x80, 1, 2 }), 0, "Unsupported compressed RGB format" },
        { tga(1, 1, 1, 8, { 1 }), 0, "8-bit colour no longer supported" },
        { tga(9, 1, 1, 8, { 1 }), 0, "8-bit colour no longer supported" },
        { tga(3, 2, 1, 8, { 7, 9 }), 0, "Must be LUMINANCE or ALPHA greyscale" },
        { tga(11, 1, 1, 8, { 0x80, 1 }), grey, "Unsupported image type" },
        { tga(10, 2, 1, 24, { 0x82, 1, 2, 3 }), 0, "Compressed data overruns the image" },
        { tga(10, 2, 1, 24, { 0x80, 1, 2, 3 }), 0, "Compressed data ends early" },
        { tga(10, 2, 1, 24, { 0x01, 1, 2, 3, 4 }), 0, "Compressed data ends early" },
        { { 0, 0, 2, 0, 0 }, 0, "Truncated header" },
        { tga(2, 1, 1, 24, { 'i', 'd' }, 5), 0, "Truncated header" },  // the ID runs past the end
        { tga(2, 0, 4, 24, {}), 0, "Unsupported image size" },
        { tga(2, 4, 0xFFFF, 24, {}), 0, "Unsupported image size" },
        { tga(2, 16385, 1, 24, {}), 0, "Unsupported image size" },
        { tga(3, 4, 4, 4, {}), grey, "Unsupported greyscale format" },
        { tga(3, 2, 1, 16, { 7, 255, 9, 128 }), grey, "Unsupported greyscale format" },  // grey with alpha
    };
    for (const auto& c : cases) {
        const bool failed = c.out.find('|') == std::string::npos;
        EXPECT_EQ(load(c.file, c.mode), failed ? c.out + " - img.tga\n" : c.out) << testing::PrintToString(c.file);
        ASSERT_EQ(gldouble::calls().size(), failed ? 1u : 0u);
        if (!failed) continue;
        EXPECT_EQ(gldouble::calls()[0].args, (Args{ GL_TEXTURE_2D, 0, GL_LUMINANCE4, 128, 128, 0, GL_LUMINANCE,
                                                    GL_UNSIGNED_BYTE }));
        // Every 8th pixel of every 8th row: squares of 16, white at the first corner; half of it white.
        const std::string& board = gldouble::calls()[0].text;
        std::string samples;
        for (int y = 0; y < 128; y += 8) {
            for (int x = 0; x < 128; x += 8) samples += board[y * 128 + x] ? '#' : '.';
            samples += '/';
        }
        const std::string even = "##..##..##..##../##..##..##..##../", odd = "..##..##..##..##/..##..##..##..##/";
        EXPECT_EQ(samples, even + odd + even + odd + even + odd + even + odd);
        EXPECT_EQ(std::count(board.begin(), board.end(), '\xff'), 128 * 128 / 2);
    }
    gldouble::clearCalls();
    EXPECT_EQ(flushedOutput([] { tgaLoadAndBind("/no/such/file.tga", 0); }), "File not found - /no/such/file.tga\n");
    tgaLoadAndBind("/no/such/file.tga", 0);
    EXPECT_EQ(gldouble::calls()[0].name + gldouble::calls()[1].name, "glBindTextureglTexImage2D");
}

TEST(Tga, UploadFormatsAndLevels)
{
    const std::string path = "/tmp/morvellant-tga-" + std::to_string(getpid()) + ".tga";
    const Bytes rgba = tga(2, 3, 1, 32, { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 });
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(rgba.data()), rgba.size());
    image_t image;
    gldouble::reset();
    setHostEndian();
    tgaCompressedTexSupport = true;
    tgaLoadAndBind(path.c_str(), TGA_SKIP_UPLOAD);  // binding without an upload would be no texture
    EXPECT_EQ(gldouble::callsNamed("gluBuild2DMipmaps").size(), 1u);
    gldouble::clearCalls();
    tgaLoad(path.c_str(), &image, TGA_REDUCED_DEPTH | TGA_COMPRESSED);  // the load turned support off
    std::remove(path.c_str());
    // Rows are tightly packed: the upload asks for byte alignment and restores it.
    ASSERT_EQ(gldouble::calls().size(), 4u);
    EXPECT_EQ(gldouble::calls()[1].args, (Args{ GL_UNPACK_ALIGNMENT, 1 }));
    EXPECT_EQ(gldouble::calls()[2].name + gldouble::calls()[3].name, "gluBuild2DMipmapsglPopClientAttrib");
    EXPECT_EQ(gldouble::calls()[2].args, (Args{ GL_TEXTURE_2D, GL_RGBA4, 3, 1, GL_RGBA, GL_UNSIGNED_BYTE }));
    EXPECT_EQ(gldouble::calls()[2].text, (std::string{ 3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12 }));
    gldouble::clearCalls();
    tgaCompressedTexSupport = true;
    tgaUploadImage(&image, TGA_REDUCED_DEPTH | TGA_COMPRESSED | TGA_SINGLE_LEVEL);
    EXPECT_EQ(gldouble::calls()[2].args, (Args{ GL_TEXTURE_2D, 0, GL_COMPRESSED_RGBA_ARB, 3, 1, 0, GL_RGBA,
                                                GL_UNSIGNED_BYTE }));
    tgaFree(&image);
    const Bytes rgb = tga(2, 2, 1, 24, { 1, 2, 3, 4, 5, 6 });
    tgaLoadTheImageFromMemory(rgb.data(), rgb.size(), "rgb.tga", &image, 0);
    gldouble::clearCalls();
    tgaUploadImage(&image, TGA_SINGLE_LEVEL);  // the whole picture, three bytes a pixel
    EXPECT_EQ(gldouble::calls()[2].text, (std::string{ 3, 2, 1, 6, 5, 4 }));
    tgaFree(&image);
    gldouble::clearCalls();
    tgaUploadImage(&image, 0);  // no pixels: nothing for GLU to read
    EXPECT_TRUE(gldouble::calls().empty());
}

// Where the game looks for Content/, given the directory of its executable:
// beside it, then <dir>/../share/morvellant, then the games layout; a plain
// file named Content is no directory of levels.
TEST(Resources, TheFirstPlaceHoldingContentWins)
{
    namespace fs = std::filesystem;
    char name[] = "/tmp/morvellant-lookup-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    const fs::path root = fs::canonical(name), bin = root / "bin";
    fs::create_directories(bin);
    const struct { const char* make; const char* entered; } steps[] = {
        { nullptr, nullptr }, { "share/games/morvellant/Content/", "share/games/morvellant" },
        { "share/morvellant/Content/", "share/morvellant" }, { "bin/Content", "share/morvellant" },
        { "bin/Content/", "bin" } };
    for (const auto& step : steps) {
        const fs::path made = root / (step.make ? step.make : "");
        if (step.make != nullptr && made.filename().empty()) {  // a directory, in place of a file of its name
            fs::remove(made.parent_path());
            fs::create_directories(made);
        } else if (step.make != nullptr) {
            std::ofstream(made).put('x');
        }
        ASSERT_EQ(chdir("/"), 0);
        EXPECT_EQ(enterResourceDirectory(bin.string()), step.entered ? 0 : 1) << step.make;
        EXPECT_EQ(fs::current_path(), step.entered ? root / step.entered : fs::path("/")) << step.make;
    }
    fs::remove_all(root);
}
