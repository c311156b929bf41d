// A stand-in for the installing page built from plain windows: a top-level window with
// text children 400 to 404 and a percent bar 405 that notes HalfPercent at every paint.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

struct TestPage {
    TestPage();
    ~TestPage();
    TestPage(const TestPage&) = delete;
    TestPage& operator=(const TestPage&) = delete;

    std::string text(int control_id) const;

    HWND window = nullptr;
};

// HalfPercent as the percent bar found it at each of its paints, in order.
std::vector<int>& PaintedHalfPercents();
