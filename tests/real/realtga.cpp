// Loads small TGA images into real Mesa textures and reads them back with
// glGetTexImage: byte order, packing of odd widths, mipmaps and the
// checkerboard of a failed load. Needs $DISPLAY.

#include <GL/freeglut.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "Base/hostplatform.h"
#include "Base/tgaload.h"

typedef std::vector<unsigned char> Bytes;

static int g_failures = 0;

static void check(bool ok, const std::string& what)
{
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    if (!ok) {
        ++g_failures;
    }
}

static std::string writeTga(const std::string& name, int type, int width, int height, int depth,
                            const Bytes& pixels)
{
    const Bytes header = { 0, 0, static_cast<unsigned char>(type), 0, 0, 0, 0, 0, 0, 0, 0, 0,
                           static_cast<unsigned char>(width), 0, static_cast<unsigned char>(height), 0,
                           static_cast<unsigned char>(depth), 0 };
    const std::string path = "/tmp/morvellant-real-" + std::to_string(getpid()) + "-" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(header.data(), 1, header.size(), file);
    std::fwrite(pixels.data(), 1, pixels.size(), file);
    std::fclose(file);
    return path;
}

static Bytes readBack(GLuint texture, GLint level, GLenum format, size_t size)
{
    Bytes out(size, 0xAB);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, out.data());
    return out;
}

static GLint levelWidth(GLuint texture, GLint level)
{
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    return width;
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB);
    glutCreateWindow("tga");
    setHostEndian();

    // Rows of 9 bytes: read right only if the loader packs rows to the byte.
    const std::string rgb = writeTga("rgb.tga", 2, 3, 2, 24, { 1, 2, 3, 4, 5, 6, 7, 8, 9,
                                                                10, 11, 12, 13, 14, 15, 16, 17, 18 });
    const GLuint rgbTexture = tgaLoadAndBind(rgb.c_str(), TGA_SINGLE_LEVEL);
    check(glGetError() == GL_NO_ERROR, "24-bit upload without GL error");
    check(readBack(rgbTexture, 0, GL_RGB, 18) == Bytes({ 3, 2, 1, 6, 5, 4, 9, 8, 7,
                                                         12, 11, 10, 15, 14, 13, 18, 17, 16 }),
          "3 x 2 24-bit texture reads back red, green, blue in file order");

    // One run of 3 and one raw pixel, with mipmaps.
    const std::string rle = writeTga("rle.tga", 10, 4, 1, 32, { 0x82, 10, 20, 30, 40, 0x00, 50, 60, 70, 80 });
    const GLuint rleTexture = tgaLoadAndBind(rle.c_str(), 0);
    check(glGetError() == GL_NO_ERROR, "run-length upload without GL error");
    check(readBack(rleTexture, 0, GL_RGBA, 16) == Bytes({ 30, 20, 10, 40, 30, 20, 10, 40,
                                                          30, 20, 10, 40, 70, 60, 50, 80 }),
          "4 x 1 run-length 32-bit texture decodes at level 0");
    check(levelWidth(rleTexture, 1) == 2 && levelWidth(rleTexture, 2) == 1, "mipmap levels 1 and 2 exist");

    const std::string grey = writeTga("grey.tga", 3, 3, 1, 8, { 0, 128, 255 });
    const GLuint greyTexture = tgaLoadAndBind(grey.c_str(), TGA_GREY_AS_LUMINANCE | TGA_SINGLE_LEVEL);
    check(readBack(greyTexture, 0, GL_LUMINANCE, 3) == Bytes({ 0, 128, 255 }), "3 x 1 greyscale as luminance");

    std::fflush(stdout);
    const GLuint missing = tgaLoadAndBind("/no/such/image.tga", 0);
    const Bytes checker = readBack(missing, 0, GL_LUMINANCE, 128 * 128);
    check(levelWidth(missing, 0) == 128, "a missing file leaves a 128-wide texture");
    check(checker[0] == 255 && checker[16] == 0 && checker[16 * 128] == 0 && checker[16 * 128 + 16] == 255 &&
              checker[127 * 128 + 127] == 255,
          "which holds 16 x 16 checker squares, white at the first corner");

    std::remove(rgb.c_str());
    std::remove(rle.c_str());
    std::remove(grey.c_str());
    std::printf("%d failed\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
