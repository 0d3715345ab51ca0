// Crash consistency of the profile writer: a writing process killed at random
// points leaves the old or the new file, never a mix.
#include <algorithm>
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <thread>

#include "TempFolder.h"
#include "core/common/Profile.h"

namespace varnel {
namespace {

using Clock = std::chrono::steady_clock;

TEST(ProfileWriterCrash, AKilledWriteLeavesTheOldOrTheNewFileNeverAMix) {
    testing::TempFolder dir;
    // About 300 KB, so that one write lasts long enough to be cut at many points.
    std::string a;
    for (int i = 0; i < 4000; ++i)
        a += "[Feast " + std::to_string(i) + "]\r\nFile1=/home/user/Documents/feasts/reading-" + std::to_string(i) +
             ".pdf\r\n";
    const std::string valueA = "/home/user/Documents/feasts/reading-0.pdf";
    const std::string valueB = "https://example.org/a/much/longer/link/that/moves/every/later/byte/of/the/file";
    const std::string b = RewriteProfileText(a, "Feast 0", "File1", &valueB);
    ASSERT_EQ(RewriteProfileText(b, "Feast 0", "File1", &valueA), a);
    const std::string path = dir.Write("resources.dat", a);

    // How long one write takes here: the kills are spread over a little more.
    const auto start = Clock::now();
    ASSERT_TRUE(WriteProfileString("Feast 0", "File1", valueB, path));
    ASSERT_TRUE(WriteProfileString("Feast 0", "File1", valueA, path));
    const auto oneWrite = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start) / 2;

    std::mt19937 random(20261207);
    // The kills are spread over a little more than one write. A loaded machine
    // stretches the child's start, so the spread follows what the kills meet:
    // wider while no write got through, narrower while few were cut mid-way.
    long spread = oneWrite.count() * 3 / 2 + 200;
    constexpr int kKills = 300;
    constexpr int kMostKills = 1500;
    int killed = 0, keptOld = 0, gotNew = 0;
    std::string current = a;
    int n = 0;
    for (; n < kMostKills && (n < kKills || killed <= n / 4 || keptOld == 0 || gotNew == 0); ++n) {
        if (n > 0 && n % 50 == 0) {
            if (gotNew == 0) spread *= 2;
            else if (killed <= n / 4) spread = std::max(200L, spread / 2);
        }
        std::uniform_int_distribution<long> delay(0, spread);
        const bool toB = current == a;
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) ::_exit(WriteProfileString("Feast 0", "File1", toB ? valueB : valueA, path) ? 0 : 1);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        killed += WIFSIGNALED(status);
        const std::string after = dir.Read("resources.dat");
        const std::string& wanted = toB ? b : a;
        ASSERT_TRUE(after == current || after == wanted) << "torn file after kill " << n << ": " << after.size()
                                                         << " bytes";
        (after == current ? keptOld : gotNew) += 1;
        current = after;
        // A killed write leaves its temporary file behind; never the target.
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            if (entry.path().filename() != "resources.dat") std::filesystem::remove(entry.path());
    }
    std::cout << n << " writes, " << killed << " killed mid-way; " << keptOld << " left the old file, " << gotNew
              << " the new one (one write: " << oneWrite.count() << " us)\n";
    // The kills must have landed on both sides of the rename for the test to mean anything.
    EXPECT_GT(killed, kKills / 4);
    std::cout << "kills spread over up to " << spread << " us\n";
    EXPECT_GT(keptOld, 0);
    EXPECT_GT(gotNew, 0);
}

}  // namespace
}  // namespace varnel
