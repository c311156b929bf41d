#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>

#include <string>

#include "scratch_machine.h"

namespace {

struct NotepadRun {
    std::string output;
    int exit_code;
};

// Runs winsim-notepad headless on the scratch machine from `folder` with `arguments`
// (already quoted for the shell).
NotepadRun notepad(const ScratchMachine& machine, const std::string& folder, const std::string& arguments,
                   const std::string& display = "WINSIM_DISPLAY=headless") {
    std::string command = "cd '" + folder + "' && " + display + " WINSIM_PREFIX='" +
                          machine.root().string() + "' '" TARROWIN_BINARY_DIR "/bin/winsim-notepad' " +
                          arguments + " 2>/dev/null";
    NotepadRun run{"", -1};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[256];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    int status = pclose(pipe);
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace

TEST(Notepad, HeadlessWritesTheFileToStandardOutput) {
    ScratchMachine machine;
    const std::string text = "Read me\r\nCaf\xE9\r\n";
    write_host_file(machine.drive('c') / "Orvane Tinkerware" / "Sweeplux" / "Swxguide.txt", text);
    const std::string home = machine.root().string();

    struct Case { std::string folder; std::string arguments; };
    const Case cases[] = {
        {home, "'\"C:\\orvane tinkerware\\SWEEPLUX\\Swxguide.txt\"'"},   // one quoted argument
        {home, "'C:\\Orvane' 'Tinkerware\\Sweeplux\\Swxguide.txt'"},       // split at the space
        {(machine.drive('c') / "Orvane Tinkerware" / "Sweeplux").string(), "Swxguide.txt"},
    };
    for (const Case& k : cases) {
        NotepadRun run = notepad(machine, k.folder, k.arguments);
        EXPECT_EQ(run.exit_code, 0) << k.arguments;
        EXPECT_EQ(run.output, text) << k.arguments;
    }
    // Started by a scripted run, nobody could close a window: the text is written out.
    NotepadRun scripted = notepad(machine, (machine.drive('c') / "Orvane Tinkerware" / "Sweeplux").string(),
                                        "Swxguide.txt", "WINSIM_DISPLAY=sdl DISPLAY=:99 WINSIM_SCRIPT=run.script");
    EXPECT_EQ(scripted.exit_code, 0);
    EXPECT_EQ(scripted.output, text);

    NotepadRun missing = notepad(machine, home, "'C:\\nothing.txt'");
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_EQ(missing.output, "");
}
