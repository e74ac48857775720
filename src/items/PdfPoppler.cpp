#include "items/PdfPoppler.h"

#include "common/Error.h"

#include <cairo.h>
#include <cmath>
#include <memory>
#include <mutex>
#include <poppler.h>

namespace lb {

// poppler's documents are not safe to draw from two threads at once: pages of one PDF are
// drawn one after another.
struct PdfHandle {
    GBytes* bytes = nullptr;
    PopplerDocument* document = nullptr;
    std::mutex mutex;
};

namespace {

struct PageRef {
    PopplerPage* page;
    ~PageRef() { g_object_unref(page); }
};

PageRef PageOf(PdfHandle* pdf, int index) {
    PopplerPage* page = index >= 0 ? poppler_document_get_page(pdf->document, index) : nullptr;
    if (!page) throw Error("the PDF has no page " + std::to_string(index + 1));
    return {page};
}

PictureSize SizeOf(PopplerPage* page) {
    double w = 0, h = 0;
    poppler_page_get_size(page, &w, &h);
    if (!(w >= 0.5 && h >= 0.5 && w < 1e6 && h < 1e6)) throw Error("a page of the PDF has no size");
    return {int32_t(std::lround(w)), int32_t(std::lround(h))};
}

} // namespace

PdfHandle* OpenPdf(std::span<const uint8_t> pdf, PdfDocument* document) {
    auto handle = std::make_unique<PdfHandle>();
    handle->bytes = g_bytes_new_static(pdf.data(), pdf.size());
    GError* error = nullptr;
    handle->document = poppler_document_new_from_bytes(handle->bytes, nullptr, &error);
    if (!handle->document) {
        const bool locked =
            error && error->domain == POPPLER_ERROR && error->code == POPPLER_ERROR_ENCRYPTED;
        std::string cause = error ? error->message : "";
        if (error) g_error_free(error);
        g_bytes_unref(handle->bytes);
        if (locked) throw Error("the PDF is locked with a password");
        throw Error("not a PDF that can be read" + (cause.empty() ? std::string() : ": " + cause));
    }
    document->pages = poppler_document_get_n_pages(handle->document);
    if (gchar* title = poppler_document_get_title(handle->document)) {
        document->title = title;
        g_free(title);
    }
    if (document->pages < 1) {
        ClosePdf(handle.release());
        throw Error("not a PDF that can be read: it has no pages");
    }
    return handle.release();
}

void ClosePdf(PdfHandle* pdf) {
    if (!pdf) return;
    g_object_unref(pdf->document);
    g_bytes_unref(pdf->bytes);
    delete pdf;
}

PictureSize PdfPageSize(PdfHandle* pdf, int page) {
    std::lock_guard lock(pdf->mutex);
    return SizeOf(PageOf(pdf, page).page);
}

RgbPicture RenderPdfPage(PdfHandle* pdf, int index, PictureSize size) {
    std::lock_guard lock(pdf->mutex);
    const PageRef page = PageOf(pdf, index);
    double w = 0, h = 0;
    poppler_page_get_size(page.page, &w, &h);
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, size.width, size.height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        throw Error("no memory to draw the page");
    }
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_scale(cr, size.width / w, size.height / h);
    poppler_page_render(page.page, cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    RgbPicture out{size.width, size.height,
                   std::vector<uint8_t>(size_t(size.width) * size_t(size.height) * 3)};
    const uint8_t* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int32_t y = 0; y < size.height; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
        uint8_t* to = out.rgb.data() + size_t(y) * size_t(size.width) * 3;
        for (int32_t x = 0; x < size.width; ++x, to += 3) {
            to[0] = uint8_t(row[x] >> 16);
            to[1] = uint8_t(row[x] >> 8);
            to[2] = uint8_t(row[x]);
        }
    }
    cairo_surface_destroy(surface);
    return out;
}

std::string PdfPageTextOf(PdfHandle* pdf, int index) {
    std::lock_guard lock(pdf->mutex);
    const PageRef page = PageOf(pdf, index);
    gchar* text = poppler_page_get_text(page.page);
    std::string out = text ? text : "";
    g_free(text);
    return out;
}

std::vector<PdfOutlineEntry> PdfOutlineOf(PdfHandle* pdf) {
    std::lock_guard lock(pdf->mutex);
    std::vector<PdfOutlineEntry> out;
    PopplerIndexIter* iter = poppler_index_iter_new(pdf->document);
    for (bool more = iter != nullptr; more; more = poppler_index_iter_next(iter)) {
        PopplerAction* action = poppler_index_iter_get_action(iter);
        if (action && action->type == POPPLER_ACTION_GOTO_DEST && action->goto_dest.dest) {
            PopplerDest* dest = action->goto_dest.dest;
            int page = dest->page_num;
            if (dest->type == POPPLER_DEST_NAMED) {
                PopplerDest* named = poppler_document_find_dest(pdf->document, dest->named_dest);
                page = named ? named->page_num : 0;
                if (named) poppler_dest_free(named);
            }
            if (page >= 1) out.push_back({action->any.title ? action->any.title : "", page - 1});
        }
        if (action) poppler_action_free(action);
    }
    if (iter) poppler_index_iter_free(iter);
    return out;
}

} // namespace lb
