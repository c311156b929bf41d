#include <gtest/gtest.h>

#include <windows.h>

#include "host/prefix.h"
#include "kernel/command_line.h"
#include "scratch_machine.h"

namespace fs = std::filesystem;

namespace {

// A machine whose [programs] run a script that writes its working folder, WINSIM_PREFIX and
// each argument on a line of `record.txt` in the prefix.
class RecordingMachine {
public:
    RecordingMachine() {
        const fs::path script = machine_.root() / "record.sh";
        write_host_file(script,
                        "#!/bin/sh\n"
                        "out=\"$WINSIM_PREFIX/record.txt\"\n"
                        "pwd > \"$out\"\n"
                        "echo \"$WINSIM_PREFIX\" >> \"$out\"\n"
                        "for a in \"$@\"; do echo \"[$a]\" >> \"$out\"; done\n"
                        "exit 3\n");
        fs::permissions(script, fs::perms::owner_all);
        write_host_file(machine_.root() / "winsim.ini",
                        "[drives]\nC = fixed\n[programs]\nrecord.exe = " + script.string() +
                            "\nbroken.exe = /no/such/program\n");
        winsim::host::Prefix::reload();
    }

    const ScratchMachine& machine() const { return machine_; }
    std::string record() const { return read_host_file(machine_.root() / "record.txt"); }

private:
    ScratchMachine machine_;
};

BOOL run(const char* command_line, const char* folder, PROCESS_INFORMATION& info) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    std::string line = command_line;
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &info);
}

}  // namespace

TEST(CommandLine, SplitsByTheWindowsRules) {
    struct Case { const char* line; const char* program; std::vector<std::string> arguments; };
    const Case cases[] = {
        {"Notepad.exe \"C:\\Orvane Tinkerware\\Sweeplux\\Swxguide.txt\"", "Notepad.exe",
         {"C:\\Orvane Tinkerware\\Sweeplux\\Swxguide.txt"}},
        {"\"C:\\Program Files\\a b.exe\" x", "C:\\Program Files\\a b.exe", {"x"}},
        {"p a\\\\b \"c\\\\\" d\\\"e \\\\\\\"f", "p", {"a\\\\b", "c\\", "d\"e", "\\\"f"}},
        {"p \"a \"\"quoted\"\" word\" tail\"s\"", "p", {"a \"quoted\" word", "tails"}},
        {"  p\t\t a  ", "p", {"a"}},
        {"p \"\"", "p", {""}},
        {"C:\\dir\\", "C:\\dir\\", {}},
    };
    for (const Case& k : cases) {
        auto split = winsim::kernel::split_command_line(k.line);
        EXPECT_EQ(split.program, k.program) << k.line;
        EXPECT_EQ(split.arguments, k.arguments) << k.line;
    }
    EXPECT_EQ(winsim::kernel::program_file_name("C:\\WINDOWS\\notepad.exe"), "notepad.exe");
}

TEST(CreateProcess, RunsTheListedHostCommandInTheFolderGiven) {
    RecordingMachine recording;
    const fs::path folder = recording.machine().drive('c') / "Program Files" / "App Dir";
    fs::create_directories(folder);
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(run("RECORD \"C:\\Program Files\\x.txt\" plain a\\\"b", "c:\\program files\\app dir", info));
    EXPECT_NE(info.hProcess, info.hThread);
    EXPECT_NE(info.dwProcessId, 0u);
    EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(info.hThread, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(info.hProcess));
    EXPECT_TRUE(CloseHandle(info.hThread));
    EXPECT_EQ(recording.record(), folder.string() + "\n" + recording.machine().root().string() +
                                      "\n[C:\\Program Files\\x.txt]\n[plain]\n[a\"b]\n");
}

TEST(CreateProcess, FindsTheProgramByItsFileNameWithOrWithoutExe) {
    RecordingMachine recording;
    for (const char* line : {"record.exe one", "Record.EXE one", "\"C:\\WINDOWS\\record.exe\" one", "record one"}) {
        fs::remove(recording.machine().root() / "record.txt");
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(run(line, nullptr, info)) << line;
        WaitForSingleObject(info.hProcess, INFINITE);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
        EXPECT_NE(recording.record().find("[one]"), std::string::npos) << line;
    }
}

TEST(CreateProcess, FailsWhenTheProgramCannotBeStarted) {
    RecordingMachine recording;
    struct Case { const char* line; const char* folder; DWORD error; };
    const Case cases[] = {{"write.exe x", nullptr, ERROR_FILE_NOT_FOUND},
                          {"broken.exe x", nullptr, ERROR_FILE_NOT_FOUND},
                          {"record.exe x", "C:\\No Such Folder", ERROR_DIRECTORY}};
    for (const Case& k : cases) {
        PROCESS_INFORMATION info{};
        SetLastError(0);
        EXPECT_FALSE(run(k.line, k.folder, info)) << k.line;
        EXPECT_EQ(GetLastError(), k.error) << k.line;
    }
    EXPECT_FALSE(fs::exists(recording.machine().root() / "record.txt"));
    EXPECT_EQ(WaitForSingleObject(INVALID_HANDLE_VALUE, INFINITE), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}
