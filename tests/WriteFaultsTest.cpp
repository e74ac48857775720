// Writing the ROM and the settings file on a device that fails: the earlier file stays byte
// for byte, no temporary file is left, and the message names the file and the cause.
#include "BuildFolder.h"
#include "app/SettingsFile.h"
#include "common/Error.h"
#include "common/Files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <set>
#include <sys/file.h>
#include <unistd.h>

using namespace lb;
using namespace lbtest;

namespace {

// Lets `bytesLeft` bytes through, then fails every write with `error`; can fail the sync or
// the rename instead.
class FailingDevice : public WriteDevice {
public:
    int64_t bytesLeft = -1; // no limit
    int error = ENOSPC;
    bool failSync = false, failRename = false;

    long Write(int fd, const void* data, size_t size) override {
        if (bytesLeft < 0) return WriteDevice::Write(fd, data, size);
        if (bytesLeft == 0) {
            errno = error;
            return -1;
        }
        size_t n = std::min<size_t>(size, static_cast<size_t>(bytesLeft));
        bytesLeft -= static_cast<int64_t>(n);
        return WriteDevice::Write(fd, data, n);
    }
    int Sync(int fd) override {
        if (!failSync) return WriteDevice::Sync(fd);
        errno = EIO;
        return -1;
    }
    int Rename(const char* from, const char* to) override {
        if (!failRename) return WriteDevice::Rename(from, to);
        errno = EACCES;
        return -1;
    }
};

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

struct Fault {
    const char* what;
    int64_t bytesLeft; // counted back from the end when negative (but -1, no limit)
    int error;
    bool failSync, failRename;
    const char* cause;
};

const Fault kFaults[] = {
    {"full disk at the first byte", 0, ENOSPC, false, false, "cannot write: No space left on device"},
    {"full disk past the first megabyte", (1 << 20) + 5, ENOSPC, false, false, "No space left on device"},
    {"full disk in the final flush", -11, ENOSPC, false, false, "No space left on device"},
    {"device error after 4096 bytes", 4096, EIO, false, false, "cannot write: Input/output error"},
    {"the sync fails", -1, 0, true, false, "cannot write to the disk: Input/output error"},
    {"the rename fails", -1, 0, false, true, "cannot replace the file: Permission denied"},
};

} // namespace

TEST(WriteFaults, EarlierFilesStayAndNothingIsLeft) {
    Folder f(300);
    std::string big = f.dir.Write("big.txt", std::string(3 << 20, 'x'));
    f.request.entries = {{big, "Big"}};
    Recorder quiet;
    BuildResult whole = Conver(f.request, quiet); // the size a complete build has
    const std::vector<uint8_t> earlier(5000, 0xEE);
    Settings settings;
    settings.SkinName = "Night";
    const std::string ini = (f.dir.Path() / kSettingsFileName).string();

    for (const Fault& fault : kFaults) {
        struct Target {
            std::string path;
            int64_t size;
            std::function<void()> write;
        } targets[] = {
            {f.request.outputPath, static_cast<int64_t>(whole.size), [&] { Conver(f.request, quiet); }},
            {ini, static_cast<int64_t>(FormatSettings(settings).size()), [&] { WriteSettingsFile(ini, settings); }},
        };
        for (auto& t : targets) {
            if (fault.bytesLeft > 0 && fault.bytesLeft >= t.size) continue; // the file is smaller
            f.dir.Write(fs::path(t.path).filename().string(), earlier);
            const auto before = Names(f.dir.Path());
            FailingDevice device;
            device.bytesLeft = fault.bytesLeft < -1 ? t.size + fault.bytesLeft : fault.bytesLeft;
            device.error = fault.error;
            device.failSync = fault.failSync;
            device.failRename = fault.failRename;
            std::string message;
            {
                ScopedWriteDevice scoped(device);
                message = ErrorOf(t.write);
            }
            EXPECT_EQ(message.rfind(t.path + ": ", 0), 0u) << fault.what << ": " << message;
            EXPECT_NE(message.find(fault.cause), std::string::npos) << fault.what << ": " << message;
            EXPECT_EQ(ReadBytes(t.path), earlier) << fault.what << " " << t.path;
            EXPECT_EQ(Names(f.dir.Path()), before) << fault.what << " " << t.path;
        }
    }
    // And without a fault both are written.
    Conver(f.request, quiet);
    EXPECT_EQ(ReadBytes(f.request.outputPath).size(), whole.size);
    WriteSettingsFile(ini, settings);
    EXPECT_EQ(ReadSettingsFile(ini).settings.SkinName, "Night");
}

TEST(WriteFaults, LeftoversOfKilledWritersAndNothingElseAreRemoved) {
    TempFolder dir;
    const char* names[] = {
        ".out.gba.lumenbrook-0123456789ab.tmp", // a writer's, nobody holds it: removed
        ".other.gba.lumenbrook-ffffffffffff.tmp", // the same pattern for another target: removed
        ".live.gba.lumenbrook-aaaaaaaaaaaa.tmp", // held by a live writer: kept
        ".out.gba.lumenbrook-0123456789AB.tmp",  // capital hex digits: not ours
        ".out.gba.lumenbrook-012345.tmp",        // too few digits
        "out.gba.lumenbrook-0123456789ab.tmp",   // no leading dot
        ".lumenbrook-0123456789ab.tmp",          // no target name
        "notes.tmp",
    };
    for (const char* n : names) dir.Write(n, "x");
    int holder = ::open((dir.Path() / names[2]).c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    ReplaceFileContents(dir.Path() / "out.gba", "new");
    ::close(holder);
    std::set<std::string> expected(std::begin(names) + 2, std::end(names));
    expected.insert("out.gba");
    EXPECT_EQ(Names(dir.Path()), expected);
    const bool ours[] = {true, true, true, false, false, false, false, false};
    for (size_t i = 0; i < std::size(names); ++i) EXPECT_EQ(IsReplacingFileTemporary(names[i]), ours[i]) << names[i];
}
