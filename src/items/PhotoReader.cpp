#include "items/PhotoReader.h"

#include "common/Error.h"
#include "common/Files.h"
#include "common/Module.h"
#include "items/PhotoModule.h"

#include <filesystem>
#include <memory>
#include <mutex>

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

// The PDF whose pages are being read, open: its pages are drawn one after another, often from
// several threads, and opening it again for each would read it again.
class OpenPdfFile {
  public:
    explicit OpenPdfFile(const std::string& path) : bytes_(ReadWholeFile(path, kMaxPdfBytes)) {
        handle_ = Through<PdfHandle*>([&](PdfHandle** out, std::string* e) {
            return Module().pdfOpen(bytes_, out, &document_, e);
        });
    }
    ~OpenPdfFile() { Module().pdfClose(handle_); }
    OpenPdfFile(const OpenPdfFile&) = delete;
    OpenPdfFile& operator=(const OpenPdfFile&) = delete;

    PdfHandle* Handle() const { return handle_; }
    const PdfDocument& Document() const { return document_; }

  private:
    std::vector<uint8_t> bytes_; // poppler reads them while the file is open
    PdfDocument document_;
    PdfHandle* handle_ = nullptr;
};

std::shared_ptr<const OpenPdfFile> OpenPdf(const std::string& path) {
    static std::mutex mutex;
    static std::string keptPath;
    static std::filesystem::file_time_type keptTime;
    // Never destroyed: at exit poppler may be gone before it.
    static auto& kept = *new std::shared_ptr<const OpenPdfFile>;
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(path, ec);
    std::lock_guard lock(mutex);
    if (kept && keptPath == path && !ec && time == keptTime) return kept;
    kept.reset(); // the last one goes before the next is read
    kept = std::make_shared<const OpenPdfFile>(path);
    keptPath = path;
    keptTime = time;
    return kept;
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

PdfDocument ReadPdfDocument(const std::string& path) { return OpenPdf(path)->Document(); }

PictureSize PdfPageShownSize(const std::string& path, int page) {
    const auto pdf = OpenPdf(path);
    return Through<PictureSize>([&](PictureSize* out, std::string* e) {
        return Module().pdfPageSize(pdf->Handle(), page, out, e);
    });
}

RgbPicture DecodePdfPage(const std::string& path, int page, PictureSize size) {
    const auto pdf = OpenPdf(path);
    return Through<RgbPicture>([&](RgbPicture* out, std::string* e) {
        return Module().pdfPageDecode(pdf->Handle(), page, size, out, e);
    });
}

std::string PdfPageText(const std::string& path, int page) {
    const auto pdf = OpenPdf(path);
    return Through<std::string>([&](std::string* out, std::string* e) {
        return Module().pdfPageText(pdf->Handle(), page, out, e);
    });
}

std::vector<PdfOutlineEntry> PdfOutline(const std::string& path) {
    const auto pdf = OpenPdf(path);
    return Through<std::vector<PdfOutlineEntry>>([&](std::vector<PdfOutlineEntry>* out, std::string* e) {
        return Module().pdfOutline(pdf->Handle(), out, e);
    });
}

RgbPicture ResizeRgb(const RgbPicture& picture, PictureSize size) {
    return Through<RgbPicture>(
        [&](RgbPicture* out, std::string* e) { return Module().resize(picture, size, out, e); });
}

} // namespace lb
