// The photo module: every use of libvips, in a shared module of its own so that only the
// commands that read photos load libvips and the hundred libraries it pulls in.
#include "items/PdfPoppler.h"
#include "items/PhotoModule.h"
#include "items/PhotoReader.h"

#include "common/Error.h"
#include "rom/Bitmap.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <vips/vips.h>

namespace lb {

namespace {

void StartVips() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (VIPS_INIT("lumenbrook")) throw Error("libvips could not start");
        // Its warnings would go to stderr; what matters comes back as an error.
        g_log_set_handler(
            "VIPS", G_LOG_LEVEL_WARNING,
            [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
        vips_concurrency_set(2);
        // Nothing is asked for twice, and a cached result found by a buffer's address could
        // be another picture's that once lay there.
        vips_cache_set_max(0);
    });
}

struct Unref {
    void operator()(VipsImage* image) const { g_object_unref(image); }
};
using Image = std::unique_ptr<VipsImage, Unref>;

[[noreturn]] void Fail(const char* what) {
    std::string cause = vips_error_buffer();
    vips_error_clear();
    while (!cause.empty() && (cause.back() == '\n' || cause.back() == ' ')) cause.pop_back();
    if (size_t nl = cause.find('\n'); nl != std::string::npos) cause = cause.substr(0, nl);
    throw Error(std::string(what) + (cause.empty() ? "" : ": " + cause));
}

void CheckSize(PictureSize size) {
    if (size.width < 1 || size.height < 1 || size.width > 32767 || size.height > 32767 ||
        uint64_t(size.width) * uint64_t(size.height) > kMaxBitmapPixels)
        throw Error("the picture would be " + std::to_string(size.width) + " x " +
                    std::to_string(size.height) + " pixels; neither side may pass 32767, nor the " +
                    "whole " + std::to_string(kMaxBitmapPixels) + " pixels");
}

// Flattened onto black, 8-bit sRGB, three bands, in memory.
RgbPicture Finish(VipsImage* resized, PictureSize size) {
    Image image(resized);
    VipsImage* next = nullptr;
    if (vips_image_hasalpha(image.get())) {
        VipsArrayDouble* black = vips_array_double_newv(1, 0.0);
        int failed = vips_flatten(image.get(), &next, "background", black, nullptr);
        vips_area_unref(VIPS_AREA(black));
        if (failed) Fail("the picture could not be flattened");
        image.reset(next);
    }
    if (vips_colourspace(image.get(), &next, VIPS_INTERPRETATION_sRGB, nullptr))
        Fail("no sRGB form");
    image.reset(next);
    if (vips_cast_uchar(image.get(), &next, nullptr)) Fail("no 8-bit form");
    image.reset(next);
    if (image->Bands > 3) {
        if (vips_extract_band(image.get(), &next, 0, "n", 3, nullptr)) Fail("no colour bands");
        image.reset(next);
    }
    if (image->Bands != 3 || image->Xsize != size.width || image->Ysize != size.height)
        throw Error("the picture came out " + std::to_string(image->Xsize) + " x " +
                    std::to_string(image->Ysize) + " in " + std::to_string(image->Bands) +
                    " bands");
    size_t bytes = 0;
    void* memory = vips_image_write_to_memory(image.get(), &bytes);
    if (!memory) Fail("the picture could not be decoded");
    RgbPicture out{size.width, size.height, {}};
    out.rgb.assign(static_cast<uint8_t*>(memory), static_cast<uint8_t*>(memory) + bytes);
    g_free(memory);
    return out;
}

} // namespace

namespace {

PictureSize ShownSize(VipsImage* opened) {
    Image image(opened);
    if (!image) Fail("not a picture libvips reads");
    PictureSize size{image->Xsize, image->Ysize};
    if (vips_image_get_orientation_swap(image.get())) std::swap(size.width, size.height);
    return size;
}

PictureSize ShownSizeOfFile(const std::string& path) {
    StartVips();
    return ShownSize(
        vips_image_new_from_file(path.c_str(), "access", VIPS_ACCESS_SEQUENTIAL, nullptr));
}

PictureSize ShownSizeOfBytes(std::span<const uint8_t> file) {
    StartVips();
    if (!IsPhotoContent(file))
        throw Error(
            "not a picture Lumenbrook reads: the file is none of JPEG, PNG, GIF, WebP, TIFF, HEIF, "
            "AVIF or JPEG XL");
    return ShownSize(vips_image_new_from_buffer(file.data(), file.size(), "", "access",
                                                VIPS_ACCESS_SEQUENTIAL, nullptr));
}

bool HasColourProfile(std::span<const uint8_t> file) {
    Image header(vips_image_new_from_buffer(file.data(), file.size(), "", "access",
                                            VIPS_ACCESS_SEQUENTIAL, nullptr));
    if (!header) {
        vips_error_clear(); // the decode that follows says what is wrong
        return false;
    }
    return vips_image_get_typeof(header.get(), VIPS_META_ICC_NAME) != 0;
}

RgbPicture Decode(std::span<const uint8_t> file, PictureSize size) {
    StartVips();
    if (!IsPhotoContent(file))
        throw Error(
            "not a picture Lumenbrook reads: the file is none of JPEG, PNG, GIF, WebP, TIFF, HEIF, "
            "AVIF or JPEG XL");
    CheckSize(size);
    VipsImage* out = nullptr;
    // An embedded profile (Adobe RGB, a phone's Display P3) is applied on the way to sRGB. A
    // picture without one is taken as sRGB as it is: asking for sRGB then would resample it in
    // another space.
    auto thumbnail = [&](const char* profileOption) {
        return vips_thumbnail_buffer(const_cast<uint8_t*>(file.data()), file.size(), &out,
                                     size.width, "height", size.height, "size", VIPS_SIZE_FORCE,
                                     "option_string", "fail_on=error", profileOption, "srgb",
                                     nullptr) == 0;
    };
    bool done = false;
    if (HasColourProfile(file)) {
        done = thumbnail("export_profile");
        if (!done) vips_error_clear(); // a broken profile: shown as it was before profiles
    }
    if (!done && !thumbnail(nullptr)) Fail("the picture could not be decoded");
    return Finish(out, size);
}

RgbPicture Resize(const RgbPicture& picture, PictureSize size) {
    StartVips();
    CheckSize(size);
    Image in(vips_image_new_from_memory(picture.rgb.data(), picture.rgb.size(), picture.width,
                                        picture.height, 3, VIPS_FORMAT_UCHAR));
    if (!in) Fail("the picture could not be resampled");
    in->Type = VIPS_INTERPRETATION_sRGB;
    VipsImage* out = nullptr;
    if (vips_thumbnail_image(in.get(), &out, size.width, "height", size.height, "size",
                             VIPS_SIZE_FORCE, nullptr))
        Fail("the picture could not be resampled");
    return Finish(out, size);
}

// Each call's lb::Error comes back as its message, for the core to throw again: no
// exception crosses the module's edge.
template <typename Result, typename Work> bool Guard(Result* out, std::string* error, Work work) {
    try {
        *out = work();
        return true;
    } catch (const std::exception& e) {
        *error = e.what();
        return false;
    }
}

constexpr PhotoModule kModule{
    kPhotoModuleVersion,
    [](const std::string& path, PictureSize* out, std::string* error) {
        return Guard(out, error, [&] { return ShownSizeOfFile(path); });
    },
    [](std::span<const uint8_t> file, PictureSize* out, std::string* error) {
        return Guard(out, error, [&] { return ShownSizeOfBytes(file); });
    },
    [](std::span<const uint8_t> file, PictureSize size, RgbPicture* out, std::string* error) {
        return Guard(out, error, [&] { return Decode(file, size); });
    },
    [](const RgbPicture& picture, PictureSize size, RgbPicture* out, std::string* error) {
        return Guard(out, error, [&] { return Resize(picture, size); });
    },
    [](std::span<const uint8_t> pdf, PdfHandle** out, PdfDocument* document, std::string* error) {
        return Guard(out, error, [&] { return OpenPdf(pdf, document); });
    },
    ClosePdf,
    [](PdfHandle* pdf, int page, PictureSize* out, std::string* error) {
        return Guard(out, error, [&] { return PdfPageSize(pdf, page); });
    },
    [](PdfHandle* pdf, int page, PictureSize size, RgbPicture* out, std::string* error) {
        return Guard(out, error, [&] {
            CheckSize(size);
            return RenderPdfPage(pdf, page, size);
        });
    },
    [](PdfHandle* pdf, int page, std::string* out, std::string* error) {
        return Guard(out, error, [&] { return PdfPageTextOf(pdf, page); });
    },
    [](PdfHandle* pdf, std::vector<PdfOutlineEntry>* out, std::string* error) {
        return Guard(out, error, [&] { return PdfOutlineOf(pdf); });
    },
};

} // namespace

} // namespace lb

extern "C" __attribute__((visibility("default"))) const lb::PhotoModule* lumenbrook_photo_module() {
    return &lb::kModule;
}
