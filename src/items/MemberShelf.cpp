#include "items/MemberShelf.h"

#include "common/Error.h"
#include "common/Files.h"
#include "items/ArchivePass.h"
#include "items/DocumentBook.h"
#include "items/EntrySource.h"
#include "items/PageShape.h"

#include <filesystem>

namespace lb {

namespace {

// Archives kept open between reads; past this the one least lately read is closed.
constexpr size_t kOpenAtOnce = 16;

} // namespace

MemberShelf::MemberShelf(const std::vector<std::string>& paths, uint64_t budget) : budget_(budget) {
    for (const std::string& path : paths)
        if (const auto m = SplitArchivePath(PageAddressOf(path).page)) {
            Archive& a = archives_[m->archive];
            ++a.wanted[m->member];
            ++a.left;
        }
}

MemberShelf::~MemberShelf() = default;

std::vector<uint8_t> MemberShelf::Read(const std::string& entry) {
    if (const auto part = DocumentPartOf(entry)) return DocumentChapterBytes(*part);
    const std::string path = PageAddressOf(entry).page; // a half of a page reads the page
    std::error_code ec;
    const auto m =
        std::filesystem::is_regular_file(path, ec) ? std::nullopt : SplitArchivePath(path);
    if (!m) return ReadWholeFile(path);
    std::lock_guard lock(mutex_);
    return ReadMember(m->archive, m->member);
}

std::vector<uint8_t> MemberShelf::ReadMember(const std::string& archive,
                                             const std::string& member) {
    Archive& a = archives_[archive];
    a.lastUse = ++uses_;
    std::vector<uint8_t> bytes;
    if (auto kept = a.shelved.find(member); kept != a.shelved.end()) {
        bytes = std::move(kept->second);
        a.shelved.erase(kept);
        shelvedBytes_ -= bytes.size();
    } else {
        bytes = ReadOn(a, archive, member);
    }
    if (int& want = a.wanted[member]; want > 0) {
        --a.left;
        if (--want > 0) Shelve(a, member, bytes); // the same entry comes again
    }
    if (a.left == 0) a.pass.reset();
    return bytes;
}

std::vector<uint8_t> MemberShelf::ReadOn(Archive& a, const std::string& archive,
                                         const std::string& member) {
    bool fromStart = !a.pass;
    for (;;) {
        if (!a.pass) Open(a, archive);
        try {
            while (a.pass->Next()) {
                const std::string& name = a.pass->Member();
                if (name == member) return a.pass->Read();
                const auto wanted = a.wanted.find(name);
                if (wanted == a.wanted.end() || wanted->second == 0 || a.shelved.count(name) ||
                    shelvedBytes_ + a.pass->DeclaredSize().value_or(0) > budget_)
                    continue;
                std::vector<uint8_t> bytes;
                try {
                    bytes = a.pass->Read();
                } catch (const Error&) {
                    continue; // told when that member is asked for
                }
                Shelve(a, name, bytes);
            }
        } catch (...) {
            a.pass.reset(); // the next read starts afresh
            throw;
        }
        a.pass.reset();
        if (fromStart) throw Error(archive + "/" + member + ": no such member in " + archive);
        fromStart = true; // it lies behind where this pass began
    }
}

void MemberShelf::Shelve(Archive& a, const std::string& member, const std::vector<uint8_t>& bytes) {
    if (shelvedBytes_ + bytes.size() > budget_) return;
    a.shelved[member] = bytes;
    shelvedBytes_ += bytes.size();
}

void MemberShelf::Open(Archive& a, const std::string& archive) {
    size_t open = 0;
    Archive* oldest = nullptr;
    for (auto& [name, other] : archives_) {
        if (!other.pass) continue;
        ++open;
        if (!oldest || other.lastUse < oldest->lastUse) oldest = &other;
    }
    if (open >= kOpenAtOnce && oldest) oldest->pass.reset();
    a.pass = std::make_unique<ArchivePass>(archive);
    ++passes_;
}

} // namespace lb
