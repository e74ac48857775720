// Builds by the command line as separate processes: one killed part-way, two at once into
// the same file.
#include "TestFiles.h"
#include "common/Files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

using namespace lbtest;

namespace {

pid_t StartBuild(const fs::path& output, const std::vector<std::string>& entries) {
    std::vector<std::string> args = {LUMENBROOK_CLI, "build", "-q", "--home", LUMENBROOK_BUILD_DIR,
                                     "--font", "3", "--lang", "en", "-o", output.string()};
    args.insert(args.end(), entries.begin(), entries.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

} // namespace

TEST(BuildProcess, AKilledBuildLeavesTheEarlierRomAndTheNextBuildClearsUp) {
    TempFolder dir;
    std::string text = dir.Write("big.txt", std::string(8 << 20, 'a'));
    std::string list;
    for (int i = 0; i < 40; ++i) list += text + "\r\n"; // 320 MB of records
    std::string menu = dir.Write("big.lkm", list);
    std::string small = dir.Write("small.txt", "hello");
    const fs::path rom = dir.Path() / "out.gba";
    dir.Write("out.gba", "the earlier ROM");
    dir.Write("keep.tmp", "not ours");
    dir.Write(".out.gba.lumenbrook-12345.tmp", "not ours either");

    pid_t pid = StartBuild(rom, {menu});
    // Killed once its temporary file has grown past its first megabyte.
    bool started = false;
    for (int i = 0; i < 20000 && !started; ++i) {
        for (auto& t : ReplacingTemporaries(dir.Path())) started = started || fs::file_size(t) > (1u << 20);
        if (!started) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(started);
    kill(pid, SIGKILL);
    int status = Wait(pid);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the build ended before it was killed";
    EXPECT_EQ(ReadBytes(rom), std::vector<uint8_t>({'t', 'h', 'e', ' ', 'e', 'a', 'r', 'l', 'i', 'e', 'r', ' ', 'R',
                                                    'O', 'M'}));
    auto left = ReplacingTemporaries(dir.Path());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(fs::path(left[0]).filename().string().rfind(".out.gba.lumenbrook-", 0), 0u);

    EXPECT_EQ(Wait(StartBuild(rom, {small})), 0);
    EXPECT_TRUE(ReplacingTemporaries(dir.Path()).empty());
    EXPECT_TRUE(fs::exists(dir.Path() / "keep.tmp"));
    EXPECT_TRUE(fs::exists(dir.Path() / ".out.gba.lumenbrook-12345.tmp"));
    EXPECT_EQ(fs::file_size(rom), 0xC814u + 3 * 38912 + 16 + 36 + 12 + 8);
}

TEST(BuildProcess, TwoBuildsAtOnceEachLeaveAWholeRom) {
    TempFolder dir;
    std::string a = dir.Write("a.txt", std::string(6 << 20, 'a'));
    std::string b = dir.Write("b.txt", std::string(5 << 20, 'b'));
    ASSERT_EQ(Wait(StartBuild(dir.Path() / "a.gba", {a, a})), 0);
    ASSERT_EQ(Wait(StartBuild(dir.Path() / "b.gba", {b, b, b})), 0);
    const auto romA = ReadBytes(dir.Path() / "a.gba"), romB = ReadBytes(dir.Path() / "b.gba");
    const fs::path rom = dir.Path() / "out.gba";
    for (int round = 0; round < 4; ++round) {
        pid_t first = StartBuild(rom, {a, a}), second = StartBuild(rom, {b, b, b});
        EXPECT_EQ(Wait(first), 0) << round;
        EXPECT_EQ(Wait(second), 0) << round;
        auto out = ReadBytes(rom);
        EXPECT_TRUE(out == romA || out == romB) << round << ": " << out.size() << " bytes, neither build's";
        EXPECT_TRUE(ReplacingTemporaries(dir.Path()).empty()) << round;
    }
}
