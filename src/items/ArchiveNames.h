#pragma once

#include <string>
#include <vector>

namespace lb {

// While one lives, libarchive reads member names on this thread as UTF-8, whatever locale
// the program runs in: its calls convert the names a zip marks as UTF-8 into the locale's
// character set and give nothing where that cannot hold them (the "C" locale, a service).
class Utf8NameLocale {
  public:
    Utf8NameLocale();
    ~Utf8NameLocale();
    Utf8NameLocale(const Utf8NameLocale&) = delete;
    Utf8NameLocale& operator=(const Utf8NameLocale&) = delete;

  private:
    void* previous_;
};

// The code page an archive's names that are not UTF-8 were written in, as old Windows zip
// tools wrote them: GBK, Shift_JIS (CP932), Big5 (CP950), else CP437. Each is tried on all
// the names together; the one whose characters fall most in the ranges its own names use
// (the common hanzi, kana and kanji, accented letters) wins, the first listed on a tie.
std::string LegacyNameCharset(const std::vector<std::string>& names);

} // namespace lb
