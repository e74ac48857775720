#include "assembly/Build.h"

#include "assembly/WorkerPool.h"
#include "common/CodePage.h"
#include "common/Error.h"
#include "common/Files.h"
#include "common/NumberText.h"
#include "common/UserTexts.h"
#include "format/BaseInfo.h"
#include "format/RomLayout.h"
#include "items/Chapters.h"
#include "items/EntrySource.h"
#include "items/FontText.h"
#include "items/ItemKind.h"
#include "items/ItemRecord.h"
#include "items/MemberShelf.h"
#include "items/PictureItem.h"
#include "items/PictureOptions.h"
#include "items/TextItem.h"
#include "items/WebPageItem.h"
#include "rom/Fonts.h"
#include "rom/GlyphCoverage.h"
#include "rom/MenuTables.h"
#include "rom/SkinBlock.h"

#include <algorithm>
#include <cstring>
#include <future>
#include <thread>

namespace lb {

namespace {

// The image must stay addressable by the 32-bit running position.
void CheckPosition(const ReplacingFile& out) {
    if (out.Position() > 0xFFFFFFFFull)
        throw Error("the image would pass 4 GiB, more than a 32-bit offset can reach");
}

// The build's log: each line shown with all the lines before it.
class BuildLog {
  public:
    explicit BuildLog(BuildProgress& progress) : progress_(progress) {}
    void Line(const std::string& line) {
        log_ += line + "\r\n";
        progress_.LogLine(line, log_);
    }

  private:
    BuildProgress& progress_;
    std::string log_;
};

std::string EntryText(int index, const BuildEntry& entry) {
    return "entry " + std::to_string(index + 1) + " (" + entry.path + ")";
}

// The entry as the warnings name it, in the interface's language.
std::string EntryLabel(uint8_t lang, int index, const BuildEntry& entry) {
    return Say(UserText::EntryNumber, lang, std::to_string(index + 1)) + " (" + entry.path + ")";
}

// What a warning says the characters are missing from: the code page, or for the Unicode
// font, whose units hold every code point, the font itself.
std::string CharacterSetName(CodePage page) {
    if (page != CodePage::Unicode) return IconvName(page);
    for (const lb_font& font : lb_fonts)
        if (font.glyph_set == LB_GLYPHS_UNICODE) return font.list_text;
    return IconvName(page);
}

void WarnReplaced(BuildProgress& progress, uint8_t lang, int index, const BuildEntry& entry,
                  int replaced, UserText where, const CodePageConverter& codes) {
    if (replaced > 0)
        progress.Warning(Say(replaced == 1 ? UserText::CharacterReplaced : UserText::CharactersReplaced, lang,
                             {EntryLabel(lang, index, entry), std::to_string(replaced),
                              Say(where, lang), CharacterSetName(codes.Page())}));
}

// Every file the build reads: the base image, the skin's pictures, and each entry's file (an
// archive member's archive).
std::vector<std::string> ReadFiles(const BuildRequest& request) {
    std::vector<std::string> files = {BaseImagePath(request.programFolder, request.font).string(),
                                      request.titlePath, request.menuPath, request.backPath};
    for (const BuildEntry& e : request.entries) {
        const auto member = SplitArchivePath(e.path);
        files.push_back(member ? member->archive : e.path);
    }
    return files;
}

// Refuses what cannot be built before anything is read or written.
std::vector<std::string> CheckRequest(const BuildRequest& request) {
    if (!FontExists(request.font))
        throw Error("font " + std::to_string(request.font) + " does not exist (0.." +
                    std::to_string(kLastFont) + ")");
    if (request.corner < 0 || request.corner > 3)
        throw Error("corner " + std::to_string(request.corner) + " does not exist (0..3)");
    std::vector<std::string> names;
    names.reserve(request.entries.size());
    for (auto& e : request.entries) names.push_back(e.name);
    CheckMenuCounts(names);
    RefuseOutputAmongInputs(request.outputPath, ReadFiles(request));
    return names;
}

std::vector<uint8_t> ReadBaseImage(const BuildRequest& request) {
    const fs::path path = BaseImagePath(request.programFolder, request.font);
    try {
        return ReadWholeFile(path);
    } catch (const Error& e) {
        throw Error(std::string("base image ") + e.what());
    }
}

// The base image up to the skin region (zero-filled when shorter), with the title patched.
void WriteBaseImage(ReplacingFile& out, const std::vector<uint8_t>& base, const lb_font& font,
                    bool rightToLeft) {
    std::vector<uint8_t> head(font.skin_offset, 0);
    std::memcpy(head.data(), base.data(), std::min<size_t>(base.size(), head.size()));
    std::memcpy(head.data() + LB_TITLE_OFFSET, LB_TITLE_TEXT, LB_TITLE_LENGTH);
    head[LB_VIEWER_CHOICES_OFFSET] = rightToLeft ? LB_RIGHT_TO_LEFT : 0;
    out.Write(head.data(), head.size());
}

void WriteSkin(ReplacingFile& out, UserText what, const std::string& path, uint8_t lang,
               BuildProgress& progress) {
    SkinBlock block;
    try {
        block = MakeSkinBlock(ReadWholeFile(path));
    } catch (const Error& e) {
        std::string cause = e.what();
        if (cause.rfind(path, 0) != 0) cause = path + ": " + cause;
        throw Error(std::string(Say(what, 1)) + " " + cause); // like every other error, in English
    }
    if (!block.ScreenSized())
        progress.Warning(Say(UserText::SkinNotScreenSized, lang,
                             {Say(what, lang), path, std::to_string(block.width),
                              std::to_string(block.height), std::to_string(block.bitCount)}));
    out.Write(block.bytes.data(), block.bytes.size());
    CheckPosition(out);
}

// The texts' chapter headings, after the last record where only the viewer looks: "LBCH",
// the count of texts, then for each its entry, its count of headings and where each starts
// in its record's data; 32-bit words, little-endian.
class ChapterTable {
  public:
    void Add(uint32_t entry, const std::vector<uint32_t>& starts) {
        Word(entry);
        Word(uint32_t(starts.size()));
        for (uint32_t at : starts) Word(at);
        ++texts_;
    }
    void WriteTo(ReplacingFile& out) const {
        if (!texts_) return;
        std::vector<uint8_t> head = {'L', 'B', 'C', 'H'};
        for (int k = 0; k < 4; ++k) head.push_back(uint8_t(texts_ >> (8 * k)));
        out.Write(head.data(), head.size());
        out.Write(words_.data(), words_.size());
    }

  private:
    void Word(uint32_t w) {
        for (int k = 0; k < 4; ++k) words_.push_back(uint8_t(w >> (8 * k)));
    }
    std::vector<uint8_t> words_;
    uint32_t texts_ = 0;
};

// What the build did to an entry that the log tells.
struct EntryNote {
    std::string readAs;
    bool undecided = false;
    int undecodable = 0; // bytes that are no character in `readAs`
    int spelled = 0;     // characters the font lacks, put in another spelling
    size_t headings = 0; // chapter headings found
    const char* script = nullptr;
    PictureNote picture;
    bool largeKept = false; // a picture larger than the screen, kept as it is
};

// A picture's record and what was done to it, made on a thread of its own.
struct MadePicture {
    ItemData item;
    PictureNote note;
};

bool IsPictureEntry(const BuildEntry& entry) {
    const ItemKind kind = KindForBuild(entry.path);
    return (kind == ItemKind::Picture || kind == ItemKind::Photo) && !IsContainer(entry.path);
}

MadePicture MakePicture(const BuildEntry& entry, const BuildRequest& request, MemberShelf& shelf) {
    const PageCut cut{TrimsMargins(request.pictures, entry.page), PageAddressOf(entry.path).part,
                      request.rightToLeft};
    MadePicture made;
    if (const auto pdfPage = PdfPageOf(PageAddressOf(entry.path).page)) {
        made.item = EncodePdfPage(*pdfPage, request.pictures, cut, &made.note);
        return made;
    }
    made.item = EncodePictureFile(shelf.Read(entry.path), KindForBuild(entry.path) == ItemKind::Photo,
                                  request.pictures, cut, &made.note);
    return made;
}

// Pictures are made ahead of the one written by a pool of one worker a processor, so that
// every core decodes and resamples while the build's thread writes; texts and pages stay on
// the build's thread, in order, since their converters keep state.
class PicturesAhead {
  public:
    PicturesAhead(const BuildRequest& request, MemberShelf& shelf)
        : request_(request), shelf_(shelf), made_(request.entries.size()),
          pool_(std::max(std::thread::hardware_concurrency(), 1u)), ahead_(2 * size_t(pool_.Size())) {}

    // Starts the pictures among the next entries from `index` on.
    void StartFrom(size_t index) {
        for (size_t j = index; j < std::min(made_.size(), index + ahead_); ++j)
            if (!made_[j].valid() && IsPictureEntry(request_.entries[j]))
                made_[j] = pool_.Run([this, j] {
                    return MakePicture(request_.entries[j], request_, shelf_);
                });
    }
    // The picture of entry `index`; rethrows what went wrong making it.
    MadePicture Take(size_t index) { return made_[index].get(); }

  private:
    const BuildRequest& request_;
    MemberShelf& shelf_;
    std::vector<std::future<MadePicture>> made_;
    WorkerPool pool_; // after `made_`: its work ends before the results' places go
    size_t ahead_;
};

ItemData EncodeEntry(size_t index, const FontText& font, const BuildRequest& request, PicturesAhead& pictures,
                     MemberShelf& shelf, int* replaced, EntryNote& note) {
    const BuildEntry& entry = request.entries[index];
    // A folder's or an archive's heading, or one that names no file, holds an empty text.
    if (entry.path.empty() || IsContainer(entry.path)) return EncodeText({}, LB_PLAIN_TEXT);
    const ItemKind kind = KindForBuild(entry.path);
    if (kind == ItemKind::Text || kind == ItemKind::LkbText) {
        TextReading reading;
        ItemData item = EncodeTextFile(shelf.Read(entry.path),
                                       kind == ItemKind::Text ? LB_PLAIN_TEXT : LB_LKB_TEXT, font,
                                       request.text, &reading);
        *replaced = reading.replaced;
        note.readAs = reading.source.readAs;
        note.undecided = reading.source.undecided;
        note.undecodable = reading.source.undecodable;
        note.spelled = reading.spelled;
        note.headings = reading.headings;
        note.script = reading.script;
        return item;
    }
    if (kind == ItemKind::WebPage) {
        // A book's chapters are read for their main text, whatever the choice for web pages.
        const PageRule rule = IsBookMember(entry.path) ? PageRule::Main : request.text.page;
        return EncodeWebPage(shelf.Read(entry.path), font, replaced, &note.script, rule);
    }
    MadePicture made = pictures.Take(index);
    note.picture = made.note;
    const PictureSize shown = note.picture.shown;
    // A photo kept at its size is made anew all the same, so the sizes tell, not `fitted`.
    note.largeKept = note.picture.stored == shown && (shown.width > int32_t{LB_SCREEN_WIDTH} ||
                                                      shown.height > int32_t{LB_SCREEN_HEIGHT});
    return std::move(made.item);
}

void LogEntryNote(BuildLog& log, uint8_t lang, int index, const BuildEntry& entry, const EntryNote& note) {
    std::vector<std::string> parts;
    if (!note.readAs.empty()) parts.push_back(Say(UserText::ReadAs, lang, note.readAs));
    if (note.script)
        parts.push_back(Say(std::string(note.script) == "t2s" ? UserText::ToSimplified : UserText::ToTraditional,
                            lang, note.script));
    if (note.undecided) parts.push_back(Say(UserText::StoredUnchanged, lang));
    if (note.spelled)
        parts.push_back(Say(UserText::CharactersSpelled, lang, std::to_string(note.spelled)));
    if (note.headings > kMaxChapters)
        parts.push_back(Say(UserText::HeadingsCut, lang, std::to_string(note.headings)));
    if (note.largeKept)
        parts.push_back(Say(UserText::LargerThanScreen, lang,
                            std::to_string(note.picture.shown.width) + " x " +
                                std::to_string(note.picture.shown.height)));
    if (parts.empty()) return;
    std::string line = Say(UserText::EntryNumber, lang, std::to_string(index + 1)) + " (" + entry.path + "): ";
    for (size_t k = 0; k < parts.size(); ++k) line += (k ? Say(UserText::Separator, lang) : "") + parts[k];
    log.Line(line);
}

// One record per entry in menu order; a failure names the entry. Returns the entries whose
// records start past the cartridge's address space.
std::vector<std::string> WriteRecords(ReplacingFile& out, const BuildRequest& request, const FontText& font,
                                      BuildLog& log, BuildProgress& progress) {
    ItemRecordHeaders headers;
    ChapterTable chapters;
    std::vector<std::string> unreachable;
    std::vector<std::string> paths;
    for (const BuildEntry& entry : request.entries)
        if (!entry.path.empty() && !IsContainer(entry.path)) paths.push_back(entry.path);
    MemberShelf shelf(paths); // each archive read through once
    PicturesAhead pictures(request, shelf);
    const int count = static_cast<int>(request.entries.size());
    for (int i = 0; i < count; ++i) {
        pictures.StartFrom(static_cast<size_t>(i));
        const BuildEntry& entry = request.entries[i];
        progress.EntryStarted(i, count,
                              Say(UserText::Converting, request.language) + NumberText(i + 1) + "/" +
                                  NumberText(count));
        ItemData item;
        int replaced = 0;
        EntryNote note;
        try {
            item = EncodeEntry(static_cast<size_t>(i), font, request, pictures, shelf, &replaced, note);
        } catch (const Error& e) {
            std::string cause = e.what();
            if (cause.rfind(entry.path, 0) == 0) cause = cause.substr(entry.path.size() + 2);
            throw Error(EntryText(i, entry) + ": " + cause);
        }
        LogEntryNote(log, request.language, i, entry, note);
        if (note.undecodable > 0)
            progress.Warning(Say(UserText::BytesNotDecoded, request.language,
                                 {EntryLabel(request.language, i, entry), note.readAs,
                                  std::to_string(note.undecodable)}));
        WarnReplaced(progress, request.language, i, entry, replaced,
                     KindForBuild(entry.path) == ItemKind::WebPage ? UserText::InThePage : UserText::InTheText,
                     font.Codes());
        if (out.Position() >= LB_CART_ADDRESS_BYTES)
            unreachable.push_back(EntryLabel(request.language, i, entry));
        auto header = headers.Next(item);
        out.Write(header.data(), header.size());
        out.Write(item.data.data(), item.data.size());
        CheckPosition(out);
        if (!item.chapters.empty()) chapters.Add(uint32_t(i), item.chapters);
    }
    chapters.WriteTo(out);
    return unreachable;
}

} // namespace

void RefuseOutputAmongInputs(const std::string& output, const std::vector<std::string>& inputs) {
    if (const auto input = SameFileAmong(output, inputs))
        throw Error("the output " + output + " is the same file as " + *input +
                    ", which the build reads; nothing was written");
}

BuildResult Conver(const BuildRequest& request, BuildProgress& progress) {
    std::vector<std::string> names = CheckRequest(request);
    const lb_font& font = Font(request.font);
    const uint8_t lang = request.language;
    BuildLog log(progress);

    log.Line(Say(UserText::WriteProgram, lang));
    const std::vector<uint8_t> base = ReadBaseImage(request);
    // Codes the font has no glyph for are stored as "?" like those the code page lacks.
    CodePageConverter codes(CodePageForFont(request.font));
    if (std::vector<bool> shown = GlyphCoverage(base); !shown.empty()) codes.ShowOnly(std::move(shown));
    const FontText fontText(codes, request.text.convertScript);
    // A name made from a file name that is no UTF-8 keeps its readable part.
    for (std::string& name : names)
        name = fontText.FitScript(IsValidUtf8(name) ? name : ReplaceInvalidUtf8(name)).utf8;
    ReplacingFile out(request.outputPath);
    WriteBaseImage(out, base, font, request.rightToLeft);

    log.Line(Say(UserText::WriteSkin, lang));
    WriteSkin(out, UserText::TitlePicture, request.titlePath, lang, progress);
    WriteSkin(out, UserText::MenuPicture, request.menuPath, lang, progress);
    WriteSkin(out, UserText::BackPicture, request.backPath, lang, progress);

    BuildResult result;
    auto tables = MenuTables(names, request.layout, static_cast<uint8_t>(request.corner), codes,
                             &result.replacedChars);
    out.Write(tables.data(), tables.size());
    for (size_t i = 0; i < result.replacedChars.size(); ++i)
        WarnReplaced(progress, lang, static_cast<int>(i), request.entries[i], result.replacedChars[i],
                     UserText::InTheName, codes);

    const std::vector<std::string> unreachable = WriteRecords(out, request, fontText, log, progress);
    result.recordsEnd = out.Position();

    // A base image longer than our data keeps its bytes beyond it.
    if (base.size() > out.Position())
        out.Write(base.data() + out.Position(), base.size() - static_cast<size_t>(out.Position()));
    result.size = out.Position();
    if (result.size > LB_CART_ADDRESS_BYTES) {
        std::string text = Say(UserText::ImageTooLarge, lang, std::to_string(result.size));
        std::string entries;
        for (size_t k = 0; k < unreachable.size(); ++k)
            entries += (k ? Say(UserText::Separator, lang) : "") + unreachable[k];
        if (!entries.empty()) text += Say(UserText::EntriesPastTheEnd, lang, entries);
        if (request.strictSize) throw Error(text);
        progress.Warning(text);
    }
    out.Commit();
    progress.Finished(Say(UserText::ConversionDone, lang));
    return result;
}

} // namespace lb
