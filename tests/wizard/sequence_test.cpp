// The run from the welcome box to the farewell: which refusal ends it where, the step label
// each page highlights, and the read-me offer with Notepad.
#include <gtest/gtest.h>

#include <fstream>

#include "installer_run.h"
#include "screenshot.h"
#include "wizard_scripts.h"

namespace {

const std::uint32_t HIGHLIGHTED_STEP = 0xCFD8FF;
const std::uint32_t PLAIN_STEP = 0x6F88FF;
const int STEP_LABEL_TOPS[] = {120, 138, 156, 174, 192, 210, 228};

// The label rows of the backdrop: which of the seven is drawn in the highlighted colour.
void ExpectOnlyStepHighlighted(const Screenshot& shot, int highlighted) {
    ASSERT_TRUE(shot.loaded());
    for (int row = 0; row < 7; ++row) {
        PixelBox label{10, STEP_LABEL_TOPS[row], 150, STEP_LABEL_TOPS[row] + 14};
        if (row == highlighted) {
            EXPECT_GT(shot.count(label, HIGHLIGHTED_STEP), 20) << "row " << row;
            EXPECT_EQ(shot.count(label, PLAIN_STEP), 0) << "row " << row;
        } else {
            EXPECT_EQ(shot.count(label, HIGHLIGHTED_STEP), 0) << "row " << row;
            EXPECT_GT(shot.count(label, PLAIN_STEP), 20) << "row " << row;
        }
    }
}

bool NothingInstalled(const InstallerRun& run) {
    std::string registry = run.read_file(run.machine() / "system.reg");
    return registry.find("Orvane Tinkerware") == std::string::npos &&
           !std::filesystem::exists(run.host_path("C:\\Orvane Tinkerware"));
}

// Continue on the welcome page, then the licence page is waited for.
const char* const THROUGH_TO_README_QUESTION =
    SCRIPT_TO_LOCATION_PAGE
    "click \"Continue\"\n"
    "wait \"Sweeplux Program Group\"\n"
    "click \"Continue\"\n"
    "wait \"Tarrowin\"\n";

}  // namespace

TEST(WizardSequence, WelcomeCancelOrEscapeEndsWithNothingShownOrWritten) {
    for (const char* action : {"click \"Cancel\"", "key Escape"}) {
        InstallerRun run("welcome-refused");
        // A backdrop or any later window would wait for input after the script ends: exit 70.
        EXPECT_EQ(run.run(std::string("wait \"Tarrowin\"\n") + action + "\n"), 1) << action << run.output();
        EXPECT_TRUE(NothingInstalled(run)) << action;
    }
}

TEST(WizardSequence, IDisagreeEndsTheRunWithoutAMessage) {
    InstallerRun run("disagree");
    int code = run.run(
        SCRIPT_TO_LICENCE_PAGE
        "click \"I Disagree\"\n");
    EXPECT_EQ(code, 1) << run.output();
    EXPECT_TRUE(NothingInstalled(run));
}

TEST(WizardSequence, BackdropClosedBeforeItsTimerEndsTheProgramWithoutAPage) {
    InstallerRun run("backdrop-closed");
    int code = run.run(
        "wait \"Tarrowin\"\n"
        "click \"Continue\"\n"
        "shot \"backdrop.png\"\n"
        "close \"Tarrowin\"\n");
    EXPECT_EQ(code, 1) << run.output();
    // The first paint comes before any page: no label is highlighted yet.
    Screenshot backdrop(run.folder() / "backdrop.png");
    ExpectOnlyStepHighlighted(backdrop, -1);
}

TEST(WizardSequence, CancelOnTheLocationPageShowsTheAbortMessageFirst) {
    InstallerRun run("location-cancel");
    int code = run.run(
        SCRIPT_TO_LOCATION_PAGE
        "click \"Cancel\"\n"
        "wait \"Tarrowin\"\n"
        "shot \"abort.png\"\n"
        "click \"OK\"\n");
    EXPECT_EQ(code, 1) << run.output();
    EXPECT_TRUE(NothingInstalled(run));
}

TEST(WizardSequence, EachPageHighlightsItsOwnStepLabel) {
    InstallerRun run("steps");
    int code = run.run(
        SCRIPT_TO_LICENCE_PAGE
        "shot \"licence.png\"\n"
        "click \"I Agree\"\n"
        "wait \"Sweeplux Program Location\"\n"
        "shot \"location.png\"\n"
        "click \"Continue\"\n"
        "wait \"Installing Sweeplux Program Files\"\n"
        "shot \"installing.png\"\n"
        "wait \"Sweeplux Program Group\"\n"
        "shot \"group.png\"\n"
        "click \"Continue\"\n"
        "wait \"Creating Sweeplux Shortcuts\"\n"
        "shot \"shortcuts.png\"\n"
        "wait \"Tarrowin\"\n"
        "shot \"readme.png\"\n"
        "click \"No\"\n"
        "wait \"Tarrowin\"\n"
        "shot \"farewell.png\"\n"
        "click \"OK\"\n");
    ASSERT_EQ(code, 1) << run.output();
    const char* const shots[] = {"licence.png", "location.png", "installing.png", "group.png",
                                 "shortcuts.png", "readme.png", "farewell.png"};
    for (int step = 0; step < 7; ++step) {
        SCOPED_TRACE(shots[step]);
        ExpectOnlyStepHighlighted(Screenshot(run.folder() / shots[step]), step);
    }
}

// A stand-in for Notepad that records how it was started.
std::string RecordingNotepad(const InstallerRun& run) {
    std::filesystem::path recorder = run.folder() / "record-notepad";
    std::ofstream(recorder) << "#!/bin/sh\n"
                               "{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > '"
                            << (run.folder() / "notepad.txt").string() << "'\n";
    std::filesystem::permissions(recorder, std::filesystem::perms::owner_all);
    return "[programs]\nnotepad.exe = " + recorder.string() + "\n";
}

TEST(WizardSequence, YesToTheReadMeQuestionOpensNotepadInTheProgramFolder) {
    InstallerRun run("readme-yes");
    run.set_machine_ini(RecordingNotepad(run));
    int code = run.run(std::string(THROUGH_TO_README_QUESTION) +
                       "click \"Yes\"\n"
                       "wait \"Tarrowin\"\n"
                       "shot \"farewell.png\"\n"
                       "click \"OK\"\n");
    ASSERT_EQ(code, 1) << run.output();
    std::string record = run.read_file(run.folder() / "notepad.txt");
    std::string folder = run.host_path("C:\\Orvane Tinkerware\\Sweeplux").string();
    // The quoted path reaches Notepad as one argument, spaces and all.
    EXPECT_EQ(record, folder + "\n[C:\\Orvane Tinkerware\\Sweeplux\\Swxguide.txt]\n");
    ExpectOnlyStepHighlighted(Screenshot(run.folder() / "farewell.png"), 6);
}

TEST(WizardSequence, NoToTheReadMeQuestionStartsNothing) {
    InstallerRun run("readme-no");
    run.set_machine_ini(RecordingNotepad(run));
    int code = run.run(std::string(THROUGH_TO_README_QUESTION) +
                       "click \"No\"\n"
                       "wait \"Tarrowin\"\n"
                       "click \"OK\"\n");
    ASSERT_EQ(code, 1) << run.output();
    EXPECT_FALSE(std::filesystem::exists(run.folder() / "notepad.txt"));
}

TEST(WizardSequence, AMissingNotepadGivesNoMessageAndTheFarewellFollows) {
    InstallerRun run("readme-missing");
    run.set_machine_ini("[programs]\nnotepad.exe = /nonexistent/notepad\n");
    int code = run.run(std::string(THROUGH_TO_README_QUESTION) +
                       "click \"Yes\"\n"
                       "wait \"Tarrowin\"\n"
                       "shot \"farewell.png\"\n"
                       "click \"OK\"\n");
    ASSERT_EQ(code, 1) << run.output();
    ExpectOnlyStepHighlighted(Screenshot(run.folder() / "farewell.png"), 6);
}
