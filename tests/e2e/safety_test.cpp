// The shutdown command is the system folder's shutdown.exe, never one that
// sits beside Tavrel.exe.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ids.h"
#include "fixture.h"

namespace tavrel::e2e {
namespace {

// Runs a copy of Tavrel.exe from a folder that also holds a shutdown.exe of
// its own (a fake that writes the planted log).
class PlantedShutdownTest : public TavrelTest {
  protected:
    void SetUp() override {
        folder_ = std::wstring(bench::kBenchFolder) + L"\\planted-" +
                  std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(bench::kBenchFolder, nullptr);
        CreateDirectoryW(folder_.c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(tavrelExePath().c_str(), (folder_ + L"\\Tavrel.exe").c_str(), FALSE))
            << u8(tavrelExePath()) << ": error " << GetLastError();
        ASSERT_TRUE(CopyFileW(plantedShutdownPath().c_str(), plantedPath().c_str(), FALSE))
            << u8(plantedShutdownPath()) << ": error " << GetLastError();
        ASSERT_NO_FATAL_FAILURE(checkThePlantRecords());
        TavrelTest::SetUp();
    }

    void TearDown() override {
        TavrelTest::TearDown();
        DeleteFileW((folder_ + L"\\Tavrel.exe").c_str());
        DeleteFileW(plantedPath().c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    std::wstring exePath() override { return folder_ + L"\\Tavrel.exe"; }
    std::wstring plantedPath() const { return folder_ + L"\\shutdown.exe"; }

    // The plant must be able to tell when it runs, or its silence proves nothing.
    void checkThePlantRecords() {
        ASSERT_TRUE(bench::clearLog(bench::kPlantedLog));
        std::wstring commandLine = L"shutdown plant-check";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(CreateProcessW(plantedPath().c_str(), commandLine.data(), nullptr, nullptr,
                                   FALSE, 0, nullptr, nullptr, &startup, &info));
        CloseHandle(info.hThread);
        bench::UniqueHandle process(info.hProcess);
        ASSERT_EQ(WaitForSingleObject(process.get(), kDefaultTimeoutMs), WAIT_OBJECT_0);
        const std::vector<bench::LogLine> lines = bench::readLog(bench::kPlantedLog);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(u8(lines[0].commandLine), "shutdown plant-check");
    }

    std::wstring folder_;
};

TEST_F(PlantedShutdownTest, AShutdownExeBesideTheProgramNeverRuns) {
    app_.enterInCombo(ids::kComboSeconds, L"1");
    app_.click(ids::kButtonStart);

    const std::vector<bench::LogLine> launches = waitForLaunch();
    EXPECT_FALSE(bench::fileExists(bench::kPlantedLog)) << "the planted shutdown.exe ran";
    ASSERT_EQ(launches.size(), 1u) << "the system folder's shutdown.exe did not run";
    EXPECT_EQ(u8(launches[0].commandLine), "shutdown -f -s -t 0");
}

}  // namespace
}  // namespace tavrel::e2e
