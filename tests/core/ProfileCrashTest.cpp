// Crash consistency of the atomic writer behind the profile files: a writer
// that dies or fails after any step of its write leaves the old or the new
// file whole, never a mix, and a failed write leaves no temporary file.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "TempFolder.h"
#include "core/common/Files.h"
#include "core/common/Profile.h"

namespace varnel {
namespace {

constexpr int kDiedAtStep = 42;
WriteStep stopAt;

// Two versions of a profile of about 300 KB that differ near the start, so
// that every later byte moves.
struct Versions {
    std::string before, after;
    const std::string valueA = "/home/user/Documents/feasts/reading-0.pdf";
    const std::string valueB = "https://example.org/a/much/longer/link/that/moves/every/later/byte/of/the/file";
    Versions() {
        for (int i = 0; i < 4000; ++i)
            before += "[Feast " + std::to_string(i) + "]\r\nFile1=/home/user/Documents/feasts/reading-" +
                      std::to_string(i) + ".pdf\r\n";
        after = RewriteProfileText(before, "Feast 0", "File1", &valueB);
    }
};

std::vector<std::string> FilesIn(const testing::TempFolder& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct StepCase {
    WriteStep step;
    bool newTextInPlace;  // once the rename is done, the new text must be there
    const char* name;
};

class AtomicWriteStopped : public ::testing::TestWithParam<StepCase> {
protected:
    Versions v;
    testing::TempFolder dir;
    std::string path = dir.Write("resources.dat", v.before);
    void TearDown() override { SetWriteStepHook(nullptr); }
};

TEST_P(AtomicWriteStopped, ADeathAfterTheStepLeavesAWholeFile) {
    stopAt = GetParam().step;
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // _exit, like a crash, runs no destructor and removes nothing.
        SetWriteStepHook([](WriteStep step) {
            if (step == stopAt) ::_exit(kDiedAtStep);
            return true;
        });
        ::_exit(WriteProfileString("Feast 0", "File1", v.valueB, path) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kDiedAtStep) << "the writer never reached the step";
    EXPECT_EQ(dir.Read("resources.dat"), GetParam().newTextInPlace ? v.after : v.before);
    // Before the rename the dead writer's temporary file remains beside the target;
    // it must never take the target's name, and the next write must still work.
    if (GetParam().newTextInPlace) {
        EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"resources.dat"});
    }
    ASSERT_TRUE(WriteProfileString("Feast 0", "File1", v.valueA, path));
    EXPECT_EQ(dir.Read("resources.dat"), v.before);
}

const StepCase kSteps[] = {{WriteStep::TempCreated, false, "TempCreated"},
                           {WriteStep::TempWritten, false, "TempWritten"},
                           {WriteStep::TempSynced, false, "TempSynced"},
                           {WriteStep::Renamed, true, "Renamed"},
                           {WriteStep::FolderSynced, true, "FolderSynced"}};
INSTANTIATE_TEST_SUITE_P(EachStep, AtomicWriteStopped, ::testing::ValuesIn(kSteps),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AtomicWriteFailing, AFailureAtAnyStepBeforeTheRenameKeepsTheOldFileAndNoTemporary) {
    Versions v;
    testing::TempFolder dir;
    const std::string path = dir.Write("resources.dat", v.before);
    for (WriteStep step : {WriteStep::TempCreated, WriteStep::TempWritten, WriteStep::TempSynced}) {
        stopAt = step;
        SetWriteStepHook([](WriteStep at) { return at != stopAt; });
        EXPECT_FALSE(WriteProfileString("Feast 0", "File1", v.valueB, path)) << static_cast<int>(step);
        SetWriteStepHook(nullptr);
        EXPECT_EQ(dir.Read("resources.dat"), v.before);
        EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"resources.dat"});
    }
}

// The same with a real SIGKILL at random moments, whatever step they land on.
TEST(ProfileWriterKilled, EveryKillLeavesTheOldOrTheNewFile) {
    Versions v;
    testing::TempFolder dir;
    const std::string path = dir.Write("resources.dat", v.before);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(WriteProfileString("Feast 0", "File1", v.valueB, path));
    ASSERT_TRUE(WriteProfileString("Feast 0", "File1", v.valueA, path));
    const long oneWrite = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                                  start).count() / 2;
    std::mt19937 random(20261207);
    std::uniform_int_distribution<long> delay(0, 2 * oneWrite + 200);
    std::string current = v.before;
    for (int n = 0; n < 25; ++n) {
        const bool toAfter = current == v.before;
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) ::_exit(WriteProfileString("Feast 0", "File1", toAfter ? v.valueB : v.valueA, path) ? 0 : 1);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        const std::string now = dir.Read("resources.dat");
        ASSERT_TRUE(now == v.before || now == v.after) << "torn file after kill " << n << ": " << now.size() << " bytes";
        current = now;
    }
}

}  // namespace
}  // namespace varnel
