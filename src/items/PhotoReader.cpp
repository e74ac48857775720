#include "items/PhotoReader.h"

#include "common/Error.h"
#include "common/Module.h"
#include "items/PhotoModule.h"

namespace lb {

namespace {

const PhotoModule& Module() {
    static const PhotoModule* module = [] {
        auto get = reinterpret_cast<decltype(&lumenbrook_photo_module)>(
            ModuleSymbol("liblumenbrook_photo.so", "lumenbrook_photo_module"));
        const PhotoModule* found = get();
        if (found->version != kPhotoModuleVersion)
            throw Error("liblumenbrook_photo.so: it is from another build of the program");
        return found;
    }();
    return *module;
}

template <typename Result, typename Call> Result Through(Call call) {
    Result out{};
    std::string error;
    if (!call(&out, &error)) throw Error(error);
    return out;
}

} // namespace

PictureSize PhotoShownSize(const std::string& path) {
    return Through<PictureSize>(
        [&](PictureSize* out, std::string* e) { return Module().shownSizeOfFile(path, out, e); });
}

PictureSize PhotoShownSize(std::span<const uint8_t> file) {
    return Through<PictureSize>(
        [&](PictureSize* out, std::string* e) { return Module().shownSizeOfBytes(file, out, e); });
}

RgbPicture DecodePhoto(std::span<const uint8_t> file, PictureSize size) {
    return Through<RgbPicture>(
        [&](RgbPicture* out, std::string* e) { return Module().decode(file, size, out, e); });
}

PdfDocument ReadPdfDocument(const std::string& path) {
    return Through<PdfDocument>(
        [&](PdfDocument* out, std::string* e) { return Module().pdfDocument(path, out, e); });
}

PictureSize PdfPageShownSize(const std::string& path, int page) {
    return Through<PictureSize>(
        [&](PictureSize* out, std::string* e) { return Module().pdfPageSize(path, page, out, e); });
}

RgbPicture DecodePdfPage(const std::string& path, int page, PictureSize size) {
    return Through<RgbPicture>([&](RgbPicture* out, std::string* e) {
        return Module().pdfPageDecode(path, page, size, out, e);
    });
}

RgbPicture ResizeRgb(const RgbPicture& picture, PictureSize size) {
    return Through<RgbPicture>(
        [&](RgbPicture* out, std::string* e) { return Module().resize(picture, size, out, e); });
}

} // namespace lb
