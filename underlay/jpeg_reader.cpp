// JPEG decoding with an error exit that jumps back to the decoder's caller. Everything that must
// survive the jump lives in one heap context made before setjmp, so no destructor is skipped.
#include "underlay/jpeg_reader.h"

#include "underlay/picture_limits.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <new>

#include <unistd.h>

#include <jpeglib.h>

namespace plicato {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void errorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

// Warnings (such as data cut short) are not for the user; libjpeg would print them to stderr.
void silentOutput(j_common_ptr) {}

enum class Outcome { Decoded, Failed, OutOfMemory };

struct DecodeContext {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    std::vector<unsigned char> row;
    JpegImage image;
};

// No C++ object with a destructor is created between setjmp and the last libjpeg call.
Outcome decode(DecodeContext& ctx, std::FILE* file, const unsigned char* data, std::size_t size) {
    ctx.cinfo.err = jpeg_std_error(&ctx.err.pub);
    ctx.err.pub.error_exit = errorExit;
    ctx.err.pub.output_message = silentOutput;
    if (setjmp(ctx.err.jump)) {
        jpeg_destroy_decompress(&ctx.cinfo);
        return Outcome::Failed;
    }
    jpeg_create_decompress(&ctx.cinfo);
    if (file)
        jpeg_stdio_src(&ctx.cinfo, file);
    else
        jpeg_mem_src(&ctx.cinfo, const_cast<unsigned char*>(data),
                     static_cast<unsigned long>(size));
    jpeg_read_header(&ctx.cinfo, TRUE);
    if (!pictureSizeAllowed(ctx.cinfo.image_width, ctx.cinfo.image_height)) {
        jpeg_destroy_decompress(&ctx.cinfo);
        return Outcome::OutOfMemory;
    }
    jpeg_start_decompress(&ctx.cinfo);
    const std::size_t width = ctx.cinfo.output_width;
    const std::size_t height = ctx.cinfo.output_height;
    const std::size_t components = ctx.cinfo.output_components;
    if (!pictureSizeAllowed(std::int64_t(width), std::int64_t(height)) || components == 0) {
        jpeg_destroy_decompress(&ctx.cinfo);
        return Outcome::OutOfMemory;
    }
    try {
        ctx.image.rgb.assign(width * height * 3, 0);
        ctx.row.resize(width * components);
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(&ctx.cinfo);
        return Outcome::OutOfMemory;
    }
    ctx.image.width = static_cast<int>(width);
    ctx.image.height = static_cast<int>(height);
    while (ctx.cinfo.output_scanline < ctx.cinfo.output_height) {
        const std::size_t y = ctx.cinfo.output_scanline;
        JSAMPROW rows[1] = {ctx.row.data()};
        if (jpeg_read_scanlines(&ctx.cinfo, rows, 1) != 1)
            break;
        unsigned char* dst = ctx.image.rgb.data() + y * width * 3;
        if (components == 3) {
            for (std::size_t i = 0; i < width * 3; ++i)
                dst[i] = ctx.row[i];
        } else if (components == 1) {
            for (std::size_t x = 0; x < width; ++x)
                dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = ctx.row[x];
        }
        // Other component counts leave the row as it is.
    }
    jpeg_finish_decompress(&ctx.cinfo);
    jpeg_destroy_decompress(&ctx.cinfo);
    return Outcome::Decoded;
}

bool finish(DecodeContext& ctx, Outcome outcome, MessageSink& sink, JpegImage& out) {
    if (outcome == Outcome::OutOfMemory)
        sink.show("JpegFile :\nOut of memory");
    if (outcome != Outcome::Decoded)
        return false;
    out = std::move(ctx.image);
    return true;
}

} // namespace

bool readJpeg(const std::string& path, MessageSink& sink, JpegImage& out) {
    const int fd = openRegularFile(path);
    std::FILE* file = fd >= 0 ? ::fdopen(fd, "rb") : nullptr;
    if (!file) {
        if (fd >= 0)
            ::close(fd);
        sink.show("JPEG :\nCan't open " + path + "\n");
        return false;
    }
    auto ctx = std::make_unique<DecodeContext>();
    const Outcome outcome = decode(*ctx, file, nullptr, 0);
    std::fclose(file);
    return finish(*ctx, outcome, sink, out);
}

bool readJpegData(const unsigned char* data, std::size_t size, MessageSink& sink, JpegImage& out) {
    auto ctx = std::make_unique<DecodeContext>();
    // libjpeg refuses an empty memory source with an error exit of its own; same outcome.
    const Outcome outcome = decode(*ctx, nullptr, data, size);
    return finish(*ctx, outcome, sink, out);
}

} // namespace plicato
