// A manifest that installs no file still prepares the program folder and shows zeros.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/file_install.h"
#include "core/install_state.h"
#include "core/manifest.h"
#include "scratch_machine.h"
#include "test_page.h"

const InstallManifest Manifest = {
    "Sweeplux", "3.06", "", "Orvane Tinkerware", "", {2005, 11, 1, 28, 3, 6, 0, 0},
    {{"Swxremov.exe", 0x12, "UINSTALL", "-", 100, 50}},
    0, 0,
};

namespace {

TEST(InstallFiles, WithAFileCountOfZeroOnlyPreparesTheFolder) {
    ScratchMachine machine;
    std::strcpy(InstallState.ProgramDir, "C:\\Orvane Tinkerware\\Sweeplux");
    std::strcpy(InstallState.WindowsDir, "C:\\Windows");
    TestPage page;
    EXPECT_EQ(InstallFiles(page.window), 1) << "no payload is looked for";
    EXPECT_TRUE(std::filesystem::is_directory(machine.host("C:\\Orvane Tinkerware\\Sweeplux")));
    EXPECT_FALSE(std::filesystem::exists(machine.host("C:\\Windows\\Swxremov.exe")));
    EXPECT_EQ(page.text(IDC_TOTAL_SIZE), "0");
    EXPECT_EQ(page.text(IDC_FILE_COUNT), "0");
    EXPECT_EQ(page.text(IDC_FILE_NUMBER), "");
    EXPECT_EQ(InstallState.TotalBytes, 0u);
    EXPECT_EQ(InstallState.HalfPercent, 0);
}

}  // namespace
