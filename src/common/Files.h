#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lb {

namespace fs = std::filesystem;

// The most read whole of one file or archive member, twice what a cartridge holds (no text
// or page converts to less than half its size): past it a file is refused before any memory
// is taken for it.
inline constexpr uint64_t kMaxFileBytes = uint64_t{64} << 20;

// "3221225472 bytes, larger than the 64 MiB Lumenbrook reads of one file".
std::string TooLargeCause(uint64_t size, uint64_t limit = kMaxFileBytes);

// Reads a whole regular file of at most `limit` bytes; the error names the file and the
// cause.
std::vector<uint8_t> ReadWholeFile(const fs::path& path, uint64_t limit = kMaxFileBytes);

// The first of `inputs` that is the same file as `output` (the same device and inode, however
// it is named: a link, a relative path); nothing when `output` does not exist yet.
std::optional<std::string> SameFileAmong(const fs::path& output, const std::vector<std::string>& inputs);

// `folder`/`name` as the file system has it, comparing the name without regard to letter
// case when no entry has the exact name. Returns the exact-name path when nothing matches.
fs::path ResolveNoCase(const fs::path& folder, const std::string& name);

// The lines of a text; CR LF, LF and CR all end a line. A last line without an end counts.
std::vector<std::string> SplitLines(std::string_view text);

// "/a/b/c.txt" -> "c.txt": the text after the last "/", or all of it.
std::string AfterLastSlash(const std::string& path);

// The folder of the running executable; the current folder when it cannot be found.
fs::path ExecutableFolder();

// The calls by which a ReplacingFile reaches the disk. Tests put in one that fails the way
// a failing or full device does; everything else uses the system's.
class WriteDevice {
public:
    virtual ~WriteDevice() = default;
    virtual long Write(int fd, const void* data, size_t size); // as write(2)
    virtual int Sync(int fd);                                   // as fsync(2)
    virtual int Rename(const char* from, const char* to);       // as rename(2)
};

// Makes every ReplacingFile use `device` while it lives (tests only; not thread-safe).
class ScopedWriteDevice {
public:
    explicit ScopedWriteDevice(WriteDevice& device);
    ~ScopedWriteDevice();
    ScopedWriteDevice(const ScopedWriteDevice&) = delete;
    ScopedWriteDevice& operator=(const ScopedWriteDevice&) = delete;

private:
    WriteDevice* previous_;
};

// Whether `name` is what a ReplacingFile calls its temporary file:
// ".TARGET.lumenbrook-" twelve hex digits ".tmp".
bool IsReplacingFileTemporary(const std::string& name);

// Builds a file beside its target under a temporary name and puts it in place only when
// complete, so a failure never leaves a half-written file or touches the earlier one.
// Writes are buffered: no system call per small write. The temporary file stays locked while
// it is written; one that nobody holds any more (its writer was killed) is removed when the
// next ReplacingFile starts in the same folder.
class ReplacingFile {
public:
    explicit ReplacingFile(fs::path target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    void Write(const void* data, size_t size);
    void WriteZeros(uint64_t count);
    uint64_t Position() const { return position_; }

    // Flushes, syncs and renames over the target.
    void Commit();

    const fs::path& Target() const { return target_; }

private:
    bool LockedInPlace() const;
    void Flush();
    [[noreturn]] void Fail(const std::string& doing, int err);

    fs::path target_;
    fs::path temp_;
    int fd_ = -1;
    uint64_t position_ = 0;
    std::vector<uint8_t> buffer_;
    size_t used_ = 0;
};

// Writes a small text file in one go through a ReplacingFile.
void ReplaceFileContents(const fs::path& target, const std::string& contents);

} // namespace lb
