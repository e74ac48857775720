#pragma once

#include "common/Files.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct archive;
struct archive_entry;

namespace lb {

// Archives are read only within these limits, against archives built to exhaust memory.
inline constexpr uint64_t kMaxMemberBytes = kMaxFileBytes;
inline constexpr uint64_t kMaxArchiveBytes = uint64_t{1} << 30;

// One read through a comic archive's regular members (zip, RAR or 7-Zip), in the order the
// archive holds them.
// Every failure throws lb::Error naming the archive and the cause.
class ArchivePass {
  public:
    explicit ArchivePass(const std::string& path);
    ~ArchivePass();
    ArchivePass(const ArchivePass&) = delete;
    ArchivePass& operator=(const ArchivePass&) = delete;

    // Moves to the next regular member; false past the last. Names are UTF-8 whatever the
    // locale; those an old tool wrote in its code page are converted from it.
    bool Next();
    const std::string& Member() const { return member_; }
    // The size the member's header gives, when it gives one.
    std::optional<uint64_t> DeclaredSize() const;
    // The member's whole content, refused past kMaxMemberBytes whatever its header claimed.
    std::vector<uint8_t> Read();
    // What the members read so far unpacked to.
    uint64_t Unpacked() const { return unpacked_; }
    const std::string& Path() const { return path_; }

  private:
    struct Close {
        void operator()(archive* a) const;
    };
    std::unique_ptr<archive, Close> archive_;
    archive_entry* entry_ = nullptr;
    std::string path_;
    std::string member_;
    std::string nameCharset_; // of names that are not UTF-8, once one is met
    uint64_t unpacked_ = 0;
};

} // namespace lb
