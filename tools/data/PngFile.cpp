#include "tools/data/PngFile.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace ocre {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file) std::fclose(file);
    }
};

// libpng reports errors by calling this, then expects it not to return: it
// records the text and jumps back to writePng's setjmp point.
struct ErrorSink {
    std::string text;
};

void onPngError(png_structp png, png_const_charp message) {
    auto* sink = static_cast<ErrorSink*>(png_get_error_ptr(png));
    if (sink) sink->text = message ? message : "libpng error";
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

}  // namespace

bool encodePng(const PixelImage& image, PngBlack black, std::vector<uint8_t>& bytes, std::string& error) {
    bytes.clear();
    if (image.width() <= 0 || image.height() <= 0) {
        error = "empty image";
        return false;
    }
    ErrorSink sink;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, onPngError, onPngWarning);
    if (!png) {
        error = "libpng could not start";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    // Rows are built before the setjmp point so that no object with a
    // destructor is skipped by the jump.
    std::vector<std::vector<png_byte>> rows(static_cast<size_t>(image.height()),
                                            std::vector<png_byte>(static_cast<size_t>(image.width()) * 3));
    std::vector<png_bytep> rowPointers(rows.size());
    for (int y = 0; y < image.height(); ++y) {
        auto& row = rows[static_cast<size_t>(y)];
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y);
            row[static_cast<size_t>(x) * 3] = c.r;
            row[static_cast<size_t>(x) * 3 + 1] = c.g;
            row[static_cast<size_t>(x) * 3 + 2] = c.b;
        }
        rowPointers[static_cast<size_t>(y)] = row.data();
    }
    png_color_16 transparent{};
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        error = sink.text.empty() ? std::string("libpng error") : sink.text;
        return false;
    }
    png_set_write_fn(png, &bytes, appendBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (black == PngBlack::Transparent) png_set_tRNS(png, info, nullptr, 0, &transparent);
    png_write_info(png, info);
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool writePng(const std::string& path, const PixelImage& image, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!encodePng(image, PngBlack::Opaque, bytes, error)) {
        if (error != "empty image") error = "cannot write " + path + ": " + error;
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() || std::fflush(file.get()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace ocre
