#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace lb {

class ArchivePass;

// The entries' bytes for a run that reads many archive members (adding a comic archive,
// building its menu): each archive is read through once, in the order it holds its members,
// whatever order they are asked for in. A member asked for that lies ahead is reached by
// reading on; the wanted ones passed on the way wait on the shelf, within a budget, and one
// past the budget or already behind the pass is found by reading the archive again.
class MemberShelf {
  public:
    // `paths` are the entries to be read, each as often as it will be; paths that are not
    // archive members are read straight from their files.
    explicit MemberShelf(const std::vector<std::string>& paths,
                         uint64_t budget = uint64_t{128} << 20);
    ~MemberShelf();
    MemberShelf(const MemberShelf&) = delete;
    MemberShelf& operator=(const MemberShelf&) = delete;

    // The entry's whole content and the errors, as ReadEntryBytes gives them. Safe to call
    // from several threads.
    std::vector<uint8_t> Read(const std::string& path);

    // How many times an archive has been opened: once each, unless members were asked for
    // out of the archive's order past the budget.
    int Passes() const { return passes_; }

  private:
    struct Archive {
        std::unique_ptr<ArchivePass> pass; // null before the first read and after the last
        std::map<std::string, int> wanted; // member: reads still to come
        std::map<std::string, std::vector<uint8_t>> shelved;
        int left = 0; // reads still to come, of all members
        uint64_t lastUse = 0;
    };
    std::vector<uint8_t> ReadMember(const std::string& archive, const std::string& member);
    std::vector<uint8_t> ReadOn(Archive& a, const std::string& archive, const std::string& member);
    void Shelve(Archive& a, const std::string& member, const std::vector<uint8_t>& bytes);
    void Open(Archive& a, const std::string& archive);

    std::mutex mutex_;
    std::map<std::string, Archive> archives_;
    uint64_t budget_;
    uint64_t shelvedBytes_ = 0;
    uint64_t uses_ = 0;
    std::atomic<int> passes_ = 0;
};

} // namespace lb
