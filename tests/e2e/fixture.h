// The fixture of every end-to-end test: a fresh Tavrel.exe process with its
// main window shown, and empty fake shutdown logs.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "bench.h"
#include "bench_paths.h"
#include "driver.h"

namespace tavrel::e2e {

// Readable failure messages for the Chinese texts.
inline std::string u8(const std::wstring& text) {
    return bench::toUtf8(text);
}

class TavrelTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bench::clearLog(bench::kShutdownLog));
        ASSERT_TRUE(bench::clearLog(bench::kPlantedLog));
        std::wstring error;
        ASSERT_TRUE(app_.start(exePath(), &error)) << u8(error);
    }

    void TearDown() override { app_.kill(); }

    virtual std::wstring exePath() { return tavrelExePath(); }

    // Enters hours, minutes and seconds into the three countdown boxes.
    void enterCountdown(const wchar_t* hours, const wchar_t* minutes, const wchar_t* seconds) {
        app_.enterInCombo(ids::kComboHours, hours);
        app_.enterInCombo(ids::kComboMinutes, minutes);
        app_.enterInCombo(ids::kComboSeconds, seconds);
    }

    // The texts of the hours, minutes and seconds boxes, joined by commas.
    std::wstring countdownBoxes() const {
        return app_.text(ids::kComboHours) + L"," + app_.text(ids::kComboMinutes) + L"," +
               app_.text(ids::kComboSeconds);
    }

    // Waits for the fake shutdown's first record; empty when none came.
    std::vector<bench::LogLine> waitForLaunch() const {
        std::vector<bench::LogLine> lines;
        waitFor([&] {
            lines = bench::readLog(bench::kShutdownLog);
            return !lines.empty();
        });
        return lines;
    }

    TavrelProcess app_;
};

}  // namespace tavrel::e2e
