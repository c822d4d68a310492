/*
 * pngpixels.cpp - decodes a PNG file with libpng and writes its pixels as a
 * binary PPM (P6) to standard output, so the tests can compare what libpng
 * reads with what other readers see.
 *
 *     pngpixels FILE.png > FILE.ppm
 */
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <png.h>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: pngpixels FILE.png\n");
        return 2;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, argv[1])) {
        std::fprintf(stderr, "pngpixels: %s\n", image.message);
        return 1;
    }
    image.format = PNG_FORMAT_RGB;
    size_t size = PNG_IMAGE_SIZE(image);
    unsigned char *pixels = (unsigned char *)std::malloc(size);
    if (pixels == nullptr || !png_image_finish_read(&image, nullptr, pixels, 0, nullptr)) {
        std::fprintf(stderr, "pngpixels: %s\n", pixels == nullptr ? "no memory" : image.message);
        return 1;
    }
    std::printf("P6\n%u %u\n255\n", image.width, image.height);
    std::fwrite(pixels, 1, size, stdout);
    std::free(pixels);
    return 0;
}
