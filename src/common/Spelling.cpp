#include "common/Spelling.h"

#include <memory>
#include <mutex>
#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

namespace lb {

namespace {

std::string Utf8(const icu::UnicodeString& s) {
    std::string out;
    s.toUTF8String(out);
    return out;
}

} // namespace

std::string CompatibleForm(std::string_view character) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfkc = icu::Normalizer2::getNFKCInstance(status);
    if (U_FAILURE(status)) return {};
    const icu::UnicodeString in =
        icu::UnicodeString::fromUTF8(icu::StringPiece(character.data(), int32_t(character.size())));
    const icu::UnicodeString out = nfkc->normalize(in, status);
    if (U_FAILURE(status) || out == in) return {};
    return Utf8(out);
}

std::string LatinSpelling(std::string_view character) {
    const icu::UnicodeString in =
        icu::UnicodeString::fromUTF8(icu::StringPiece(character.data(), int32_t(character.size())));
    const UChar32 code = in.char32At(0);
    // Han, kana and Hangul spelled in Latin letters would read as nothing like the text.
    if (code >= 0x2E80) return {};
    static std::mutex mutex;
    static std::unique_ptr<icu::Transliterator> latin;
    std::lock_guard lock(mutex);
    if (!latin) {
        UErrorCode status = U_ZERO_ERROR;
        latin.reset(
            icu::Transliterator::createInstance("Any-Latin; Latin-ASCII", UTRANS_FORWARD, status));
        if (U_FAILURE(status)) latin.reset();
        if (!latin) return {};
    }
    icu::UnicodeString out = in;
    latin->transliterate(out);
    if (out == in) return {};
    return Utf8(out);
}

} // namespace lb
