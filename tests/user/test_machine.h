// What every window-manager test needs: a scratch machine, a headless screen of a known
// size, and a clean slate of windows, classes and queue between tests.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace user_test {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// The scratch machine's folder; files a test keeps there go with it when the test program ends.
std::filesystem::path scratch_folder();

// Destroys every window and empties the queue, so that one test's leftovers cannot
// reach the next.
void clear_desktop();

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { clear_desktop(); }
};

// Registers a class whose procedure records every message into `log()` and then answers
// with DefWindowProcA (or with the override set for that message).
const char* recording_class();
struct Logged {
    HWND hwnd;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};
std::vector<Logged>& log();
std::vector<UINT> messages_for(HWND hwnd);
void answer(UINT message, LRESULT result);   // the recording class answers `message` with `result`
void clear_answers();

// Takes and dispatches everything that is waiting, without waiting for more.
void pump();

}  // namespace user_test
