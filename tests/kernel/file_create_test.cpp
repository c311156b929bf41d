#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <windows.h>

#include "kernel/host_files.h"
#include "scratch_machine.h"

namespace fs = std::filesystem;

namespace {

HANDLE create_for_writing(const char* path) {
    return CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

HANDLE open_for_reading(const char* path) {
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

DWORD write_text(HANDLE file, std::string_view text) {
    DWORD stored = 12345;
    EXPECT_TRUE(WriteFile(file, text.data(), DWORD(text.size()), &stored, nullptr));
    return stored;
}

}  // namespace

TEST(CreateFile, WritesANewFileSpelledAsGivenInAFolderFoundWithoutCase) {
    ScratchMachine machine;
    HANDLE file = create_for_writing("c:\\windows\\Read Me.TXT");
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_EQ(write_text(file, "hello "), 6u);
    EXPECT_EQ(write_text(file, "world"), 5u);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(read_host_file(machine.drive('c') / "WINDOWS" / "Read Me.TXT"), "hello world");
    EXPECT_FALSE(CloseHandle(file));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(CreateFile, CreateAlwaysTruncatesAnExistingFileAndSaysItExisted) {
    ScratchMachine machine;
    write_host_file(machine.drive('c') / "old.bin", "previous contents");
    HANDLE file = create_for_writing("C:\\OLD.BIN");
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(write_text(file, "new"), 3u);
    CloseHandle(file);
    EXPECT_EQ(read_host_file(machine.drive('c') / "old.bin"), "new");
}

TEST(CreateFile, FailsTheWayWindowsDoes) {
    ScratchMachine machine;
    const fs::path c = machine.drive('c');
    write_host_file(c / "locked.txt", "x");
    fs::permissions(c / "locked.txt", fs::perms::owner_read | fs::perms::group_read);
    write_host_file(c / "secret.txt", "x");
    fs::permissions(c / "secret.txt", fs::perms::owner_write);
    write_host_file(c / "hidden.txt", "x");
    ASSERT_TRUE(SetFileAttributesA("C:\\hidden.txt", FILE_ATTRIBUTE_HIDDEN));

    struct Case { const char* path; bool write; DWORD error; };
    const Case cases[] = {
        {"C:\\No Such Folder\\file.txt", true, ERROR_PATH_NOT_FOUND},
        {"C:\\locked.txt", true, ERROR_ACCESS_DENIED},     // read-only, though we run as root
        {"C:\\WINDOWS", true, ERROR_ACCESS_DENIED},        // a folder
        {"C:\\hidden.txt", true, ERROR_ACCESS_DENIED},     // replacing it must ask for hidden
        {"Q:\\file.txt", true, ERROR_PATH_NOT_FOUND},
        {"C:\\bad|name.txt", true, ERROR_INVALID_NAME},
        {"C:\\missing.txt", false, ERROR_FILE_NOT_FOUND},
        {"C:\\No Such Folder\\missing.txt", false, ERROR_PATH_NOT_FOUND},
        {"C:\\secret.txt", false, ERROR_ACCESS_DENIED},    // no read permission
    };
    for (const Case& k : cases) {
        SetLastError(0);
        HANDLE file = k.write ? create_for_writing(k.path) : open_for_reading(k.path);
        EXPECT_EQ(file, INVALID_HANDLE_VALUE) << k.path;
        EXPECT_EQ(GetLastError(), k.error) << k.path;
    }
    EXPECT_EQ(read_host_file(c / "locked.txt"), "x");
    HANDLE hidden = CreateFileA("C:\\hidden.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_HIDDEN, nullptr);
    EXPECT_NE(hidden, INVALID_HANDLE_VALUE);
    CloseHandle(hidden);
}

TEST(CreateFile, ReadTestSucceedsOnlyForAFileThatCanBeOpenedAndShared) {
    ScratchMachine machine;
    write_host_file(machine.drive('c') / "data.txt", "x");
    HANDLE reader = open_for_reading("C:\\DATA.TXT");
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    HANDLE second = open_for_reading("C:\\data.txt");   // both share reading
    EXPECT_NE(second, INVALID_HANDLE_VALUE);
    CloseHandle(second);
    CloseHandle(reader);

    // A writer that shares nothing keeps readers out until it is closed.
    HANDLE writer = CreateFileA("C:\\data.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(open_for_reading("C:\\data.txt"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    CloseHandle(writer);
    HANDLE after = open_for_reading("C:\\data.txt");
    EXPECT_NE(after, INVALID_HANDLE_VALUE);

    // A reader sharing only reading keeps a new writer out, and truncation counts as writing.
    EXPECT_EQ(create_for_writing("C:\\data.txt"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    CloseHandle(after);
    EXPECT_EQ(read_host_file(machine.drive('c') / "data.txt"), "x");

    // A reading handle cannot write.
    HANDLE only_read = open_for_reading("C:\\data.txt");
    DWORD stored = 7;
    EXPECT_FALSE(WriteFile(only_read, "y", 1, &stored, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(stored, 0u);
    CloseHandle(only_read);
}

TEST(CreateFile, ADriveWithASizeCapFillsUp) {
    ScratchMachine machine("[drives]\nC = fixed\nD = fixed, 4K\n");
    write_host_file(machine.drive('d') / "already.bin", std::string(2500, 'a'));
    HANDLE file = create_for_writing("D:\\fill.bin");
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::string block(1024, 'b');
    DWORD stored = 0;
    EXPECT_EQ(write_text(file, block), 1024u);
    EXPECT_FALSE(WriteFile(file, block.data(), 1024, &stored, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
    EXPECT_EQ(stored, 4096u - 2500u - 1024u);
    EXPECT_FALSE(WriteFile(file, block.data(), 1024, &stored, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
    EXPECT_EQ(stored, 0u);
    CloseHandle(file);
    EXPECT_EQ(fs::file_size(machine.drive('d') / "fill.bin"), 4096u - 2500u);

    // Replacing a file frees its bytes first, and C: has no cap.
    file = create_for_writing("D:\\already.bin");
    EXPECT_EQ(write_text(file, std::string(2000, 'c')), 2000u);
    CloseHandle(file);
    file = create_for_writing("C:\\big.bin");
    EXPECT_EQ(write_text(file, std::string(8192, 'c')), 8192u);
    CloseHandle(file);
}

TEST(CreateFile, SetFileTimeStampsAllThreeTimes) {
    ScratchMachine machine;
    HANDLE file = create_for_writing("C:\\stamped.txt");
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    write_text(file, "x");
    // 2001-02-03 04:05:06.5 UTC as a file time.
    const std::uint64_t ticks = (981173106ull * 10000000ull + 5000000ull) + 116444736000000000ull;
    FILETIME when{DWORD(ticks), DWORD(ticks >> 32)};
    EXPECT_TRUE(SetFileTime(file, &when, &when, &when));
    CloseHandle(file);

    struct stat st;
    ASSERT_EQ(stat((machine.drive('c') / "stamped.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 981173106);
    EXPECT_EQ(st.st_mtim.tv_nsec, 500000000);
    EXPECT_EQ(st.st_atim.tv_sec, 981173106);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("C:\\stamped.txt", &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    EXPECT_EQ(found.ftCreationTime.dwLowDateTime, when.dwLowDateTime);
    EXPECT_EQ(found.ftCreationTime.dwHighDateTime, when.dwHighDateTime);
    EXPECT_EQ(found.ftLastWriteTime.dwLowDateTime, when.dwLowDateTime);

    HANDLE reader = open_for_reading("C:\\stamped.txt");
    EXPECT_FALSE(SetFileTime(reader, &when, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    CloseHandle(reader);
}

TEST(HostFiles, MemoryOutputAppendsAndHostOutputWritesThrough) {
    std::vector<unsigned char> sink = {'>'};
    HANDLE memory = winsim::kernel::open_memory_output(sink);
    EXPECT_EQ(write_text(memory, "ab"), 2u);
    EXPECT_EQ(write_text(memory, "c"), 1u);
    EXPECT_TRUE(CloseHandle(memory));
    EXPECT_EQ(std::string(sink.begin(), sink.end()), ">abc");

    ScratchMachine machine;
    const fs::path out = machine.root() / "out.bin";
    write_host_file(out, "longer old text");
    HANDLE host = winsim::kernel::open_host_output(out);
    ASSERT_NE(host, INVALID_HANDLE_VALUE);
    EXPECT_EQ(write_text(host, "new"), 3u);
    CloseHandle(host);
    EXPECT_EQ(read_host_file(out), "new");
    EXPECT_EQ(winsim::kernel::open_host_output(machine.root() / "no" / "such" / "dir"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(WriteFile, RejectsHandlesThatAreNoFiles) {
    DWORD stored = 1;
    EXPECT_FALSE(WriteFile(INVALID_HANDLE_VALUE, "x", 1, &stored, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(stored, 0u);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    EXPECT_FALSE(WriteFile(block, "x", 1, &stored, nullptr));
    EXPECT_FALSE(CloseHandle(block));
    GlobalFree(block);
}
