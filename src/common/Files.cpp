#include "common/Files.h"

#include "common/Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lb {

namespace {

std::string Cause(int err) { return std::strerror(err); }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

constexpr size_t kBufferBytes = 1 << 20;

WriteDevice systemDevice;
WriteDevice* device = &systemDevice;

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// Temporary files in `folder` whose writer has gone: nobody holds their lock.
void RemoveLeftovers(const fs::path& folder, const fs::path& own) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (p == own || !IsReplacingFileTemporary(p.filename().string())) continue;
        int fd = ::open(p.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(p.c_str());
        ::close(fd);
    }
}

} // namespace

long WriteDevice::Write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
int WriteDevice::Sync(int fd) { return ::fsync(fd); }
int WriteDevice::Rename(const char* from, const char* to) { return ::rename(from, to); }

ScopedWriteDevice::ScopedWriteDevice(WriteDevice& d) : previous_(device) { device = &d; }
ScopedWriteDevice::~ScopedWriteDevice() { device = previous_; }

bool IsReplacingFileTemporary(const std::string& name) {
    static const std::string middle = ".lumenbrook-", tail = ".tmp";
    const size_t digits = 12, fixed = middle.size() + digits + tail.size();
    if (name.size() < 2 + fixed || name[0] != '.') return false;
    const size_t at = name.size() - fixed;
    if (name.compare(at, middle.size(), middle) != 0 || name.compare(name.size() - tail.size(), tail.size(), tail) != 0)
        return false;
    for (size_t i = at + middle.size(); i < at + middle.size() + digits; ++i)
        if (!IsHexDigit(name[i])) return false;
    return true;
}

std::optional<std::string> SameFileAmong(const fs::path& output, const std::vector<std::string>& inputs) {
    struct stat out {};
    if (::stat(output.c_str(), &out) != 0) return std::nullopt;
    for (const std::string& input : inputs) {
        struct stat in {};
        if (::stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
            return input;
    }
    return std::nullopt;
}

std::string TooLargeCause(uint64_t size, uint64_t limit) {
    return std::to_string(size) + " bytes, larger than the " +
           std::to_string(limit >> 20) + " MiB Lumenbrook reads of one file";
}

std::vector<uint8_t> ReadWholeFile(const fs::path& path, uint64_t limit) {
    // Not blocking: a FIFO or a device put where a file is expected is refused below, not
    // waited on.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) throw Error(path.string() + ": cannot open: " + Cause(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        int err = errno;
        ::close(fd);
        throw Error(path.string() + ": cannot read: " + Cause(err));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throw Error(path.string() + ": not a regular file");
    }
    if (uint64_t(st.st_size) > limit) {
        ::close(fd);
        throw Error(path.string() + ": " + TooLargeCause(uint64_t(st.st_size), limit));
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int err = errno;
            ::close(fd);
            throw Error(path.string() + ": cannot read: " + Cause(err));
        }
        if (n == 0) break; // shrank while reading
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(done);
    return bytes;
}

fs::path ResolveNoCase(const fs::path& folder, const std::string& name) {
    fs::path exact = folder / name;
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (EqualNoCase(entry, name)) return it->path();
    }
    return exact;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.push_back(std::move(line));
            line.clear();
        } else {
            line += text[i];
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

std::string AfterLastSlash(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

ReplacingFile::ReplacingFile(fs::path target) : target_(std::move(target)) {
    fs::path folder = target_.parent_path();
    if (folder.empty()) folder = ".";
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".lumenbrook-%012llx.tmp",
                      static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
        temp_ = folder / ("." + target_.filename().string() + suffix);
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            throw Error(target_.string() + ": cannot create a file in " + folder.string() + ": " +
                        Cause(errno));
        if (fd_ >= 0 && !LockedInPlace()) {
            ::close(fd_); // another start took it for a leftover before it was locked
            fd_ = -1;
        }
    }
    if (fd_ < 0) throw Error(target_.string() + ": cannot find a free temporary name");
    RemoveLeftovers(folder, temp_);
    buffer_.resize(kBufferBytes);
}

bool ReplacingFile::LockedInPlace() const {
    struct stat mine {}, named {};
    return ::flock(fd_, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd_, &mine) == 0 &&
           ::stat(temp_.c_str(), &named) == 0 && mine.st_ino == named.st_ino && mine.st_dev == named.st_dev;
}

ReplacingFile::~ReplacingFile() {
    if (fd_ >= 0) {
        ::unlink(temp_.c_str());
        ::close(fd_);
    }
}

void ReplacingFile::Fail(const std::string& doing, int err) {
    ::unlink(temp_.c_str());
    ::close(fd_);
    fd_ = -1;
    throw Error(target_.string() + ": " + doing + ": " + Cause(err));
}

void ReplacingFile::Flush() {
    size_t done = 0;
    while (done < used_) {
        long n = device->Write(fd_, buffer_.data() + done, used_ - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail("cannot write", errno);
        if (n == 0) Fail("cannot write", ENOSPC);
        done += static_cast<size_t>(n);
    }
    used_ = 0;
}

void ReplacingFile::Write(const void* data, size_t size) {
    if (fd_ < 0) throw Error(target_.string() + ": written after it was closed");
    auto bytes = static_cast<const uint8_t*>(data);
    position_ += size;
    while (size > 0) {
        if (used_ == buffer_.size()) Flush();
        size_t n = std::min(size, buffer_.size() - used_);
        std::memcpy(buffer_.data() + used_, bytes, n);
        used_ += n;
        bytes += n;
        size -= n;
    }
}

void ReplacingFile::WriteZeros(uint64_t count) {
    static const uint8_t zeros[4096] = {};
    while (count > 0) {
        size_t n = static_cast<size_t>(std::min<uint64_t>(count, sizeof zeros));
        Write(zeros, n);
        count -= n;
    }
}

void ReplacingFile::Commit() {
    if (fd_ < 0) throw Error(target_.string() + ": committed after it was closed");
    Flush();
    if (device->Sync(fd_) != 0) Fail("cannot write to the disk", errno);
    // Renamed while still open and locked, so no other start can take it for a leftover.
    if (device->Rename(temp_.c_str(), target_.c_str()) != 0) Fail("cannot replace the file", errno);
    ::close(fd_); // the data is on the disk already
    fd_ = -1;
}

void ReplaceFileContents(const fs::path& target, const std::string& contents) {
    ReplacingFile file(target);
    file.Write(contents.data(), contents.size());
    file.Commit();
}

fs::path ExecutableFolder() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path(ec) : self.parent_path();
}

} // namespace lb
