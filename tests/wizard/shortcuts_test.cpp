// The shortcut creation when COM is already initialised on the thread, and when it is not.
#include <gtest/gtest.h>

#include <objbase.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "core/install_state.h"
#include "host/prefix.h"
#include "registration/shortcuts.h"

namespace fs = std::filesystem;

namespace {

const char* const SHORTCUTS[] = {"Uninstall.lnk", "Update.lnk", "Sweeplux.lnk", "Help.lnk", "Read Me.lnk"};

fs::path PrepareMachine() {
    fs::path machine = fs::temp_directory_path() / ("tarrowin-shortcuts-" + std::to_string(getpid()));
    fs::remove_all(machine);
    setenv("WINSIM_PREFIX", machine.c_str(), 1);
    winsim::host::Prefix::reload();
    strcpy(InstallState.ProgramDir, "C:\\Orvane Tinkerware\\Sweeplux");
    strcpy(InstallState.WindowsDir, "C:\\Windows");
    strcpy(InstallState.ProgramsDir, "C:\\Documents and Settings\\Owner\\Start Menu\\Programs");
    strcpy(InstallState.GroupName, "Sweeplux");
    return machine;
}

}  // namespace

TEST(Shortcuts, AlreadyInitialisedComFailsWithNothingMadeAndTheCountGivenBack) {
    fs::path machine = PrepareMachine();
    fs::path group = machine / "drives/c/Documents and Settings/Owner/Start Menu/Programs/Sweeplux";

    ASSERT_EQ(CoInitialize(NULL), S_OK);
    EXPECT_FALSE(CreateShortcuts(NULL));
    EXPECT_FALSE(fs::exists(group));
    CoUninitialize();

    // Its own S_FALSE initialisation was given back: the thread is uninitialised again.
    EXPECT_EQ(CoInitialize(NULL), S_OK);
    CoUninitialize();

    EXPECT_TRUE(CreateShortcuts(NULL));
    for (const char* link : SHORTCUTS) EXPECT_TRUE(fs::exists(group / link)) << link;
    // CreateShortcuts leaves COM as it found it.
    EXPECT_EQ(CoInitialize(NULL), S_OK);
    CoUninitialize();
    fs::remove_all(machine);
}
