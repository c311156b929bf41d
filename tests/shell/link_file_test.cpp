// The link file's binary form, checked against an independent reader of the format.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include <unistd.h>

#include "lnkinfo_reader.h"
#include "shell/link_file.h"

namespace fs = std::filesystem;
using winsim::shell::decode_link;
using winsim::shell::encode_link;
using winsim::shell::LinkRecord;
using winsim::shell::LinkVolume;

namespace {

LinkRecord full_record() {
    LinkRecord r;
    r.file_attributes = 0x20;
    r.creation_time = 126950490000000000ull;  // Apr 17, 2003 10:30:00 UTC
    r.access_time = r.creation_time + 600000000ull;
    r.write_time = r.creation_time + 1200000000ull;
    r.file_size = 73728;
    r.icon_index = 2;
    r.show_command = 7;
    r.hotkey = 0x0653;
    r.volume = LinkVolume{3, 0x1234ABCD, "SYSTEM"};
    r.local_base_path = "C:\\Orvane Tinkerware\\Sweeplux\\Sweeplux.exe";
    r.description = "Sweeplux";
    r.relative_path = "..\\..\\..\\..\\..\\Orvane Tinkerware\\Sweeplux\\Sweeplux.exe";
    r.working_directory = "C:\\Orvane Tinkerware\\Sweeplux";
    r.arguments = "/quiet";
    r.icon_location = "C:\\WINDOWS\\icons.dll";
    return r;
}

fs::path write_bytes(const std::vector<std::uint8_t>& bytes, const std::string& name) {
    // The process number keeps concurrent runs of the suite apart.
    fs::path file = fs::temp_directory_path() / (std::to_string(getpid()) + "-" + name);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return file;
}

TEST(LinkFile, IndependentReaderReadsEveryField) {
    fs::path file = write_bytes(encode_link(full_record()), "tarrowin-full.lnk");
    LnkInfo info = run_lnkinfo(file);
    fs::remove(file);
    ASSERT_TRUE(info.ok) << info.output;
    const std::map<std::string, std::string> expected = {
        {"Creation time", "Apr 17, 2003 10:30:00"},
        {"Access time", "Apr 17, 2003 10:31:00"},
        {"Modification time", "Apr 17, 2003 10:32:00"},
        {"File size", "73728 bytes"},
        {"Icon index", "2"},
        {"File attribute flags", "0x00000020"},
        {"Drive type", "Fixed (3)"},
        {"Drive serial number", "0x1234abcd"},
        {"Volume label", "SYSTEM"},
        {"Local path", "C:\\Orvane Tinkerware\\Sweeplux\\Sweeplux.exe"},
        {"Description", "Sweeplux"},
        {"Relative path", "..\\..\\..\\..\\..\\Orvane Tinkerware\\Sweeplux\\Sweeplux.exe"},
        {"Working directory", "C:\\Orvane Tinkerware\\Sweeplux"},
        {"Command line arguments", "/quiet"},
        {"Icon location", "C:\\WINDOWS\\icons.dll"},
    };
    for (const auto& [field, value] : expected)
        EXPECT_EQ(info.field(field).substr(0, value.size()), value) << field << "\n" << info.output;
}

TEST(LinkFile, HeaderFieldsSitAtTheirOffsets) {
    std::vector<std::uint8_t> bytes = encode_link(full_record());
    auto u32 = [&](std::size_t at) {
        return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (std::uint32_t(bytes[at + 3]) << 24);
    };
    ASSERT_GT(bytes.size(), 0x4Cu);
    EXPECT_EQ(u32(0), 0x4Cu);
    const std::array<std::uint8_t, 16> clsid = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    EXPECT_TRUE(std::equal(clsid.begin(), clsid.end(), bytes.begin() + 4));
    // HasLinkInfo, HasName, HasRelativePath, HasWorkingDir, HasArguments, HasIconLocation, IsUnicode.
    EXPECT_EQ(u32(0x14), 0xFEu);
    EXPECT_EQ(u32(0x3C), 7u);           // ShowCommand
    EXPECT_EQ(bytes[0x40], 0x53);       // HotKey
    EXPECT_EQ(bytes[0x41], 0x06);
    EXPECT_EQ(u32(bytes.size() - 4), 0u);  // the ExtraData ends with a terminal block
}

TEST(LinkFile, OnlyPresentStringsAreFlaggedAndWritten) {
    LinkRecord r;
    r.description = "Help";
    std::vector<std::uint8_t> bytes = encode_link(r);
    EXPECT_EQ(bytes[0x14], 0x84);  // HasName and IsUnicode only
    // Header, a count of 4, four UTF-16 characters, the terminal block.
    EXPECT_EQ(bytes.size(), 0x4Cu + 2 + 8 + 4);
    fs::path file = write_bytes(bytes, "tarrowin-bare.lnk");
    LnkInfo info = run_lnkinfo(file);
    fs::remove(file);
    ASSERT_TRUE(info.ok) << info.output;
    EXPECT_EQ(info.field("Description"), "Help");
    EXPECT_FALSE(info.has("Local path"));
    EXPECT_FALSE(info.has("Working directory"));
}

TEST(LinkFile, WindowsCharactersSurviveInTheUnicodeStringsAndBasePath) {
    LinkRecord r = full_record();
    r.local_base_path = "C:\\Soci\xE9t\xE9\\Cr\xE8me br\xFBl\xE9\x65.exe";
    r.description = "Zo\xEB's \xBD guide \x80";
    fs::path file = write_bytes(encode_link(r), "tarrowin-1252.lnk");
    LnkInfo info = run_lnkinfo(file);
    fs::remove(file);
    ASSERT_TRUE(info.ok) << info.output;
    EXPECT_EQ(info.field("Local path"), "C:\\Soci\u00E9t\u00E9\\Cr\u00E8me br\u00FBl\u00E9e.exe");
    EXPECT_EQ(info.field("Description"), "Zo\u00EB's \u00BD guide \u20AC");
}

TEST(LinkFile, DecodingGivesBackWhatWasEncoded) {
    LinkRecord r = full_record();
    r.description = "Read \x93Me\x94";
    std::optional<LinkRecord> back = decode_link(encode_link(r));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->creation_time, r.creation_time);
    EXPECT_EQ(back->write_time, r.write_time);
    EXPECT_EQ(back->file_size, r.file_size);
    EXPECT_EQ(back->show_command, 7u);
    EXPECT_EQ(back->hotkey, 0x0653);
    ASSERT_TRUE(back->volume);
    EXPECT_EQ(back->volume->serial, 0x1234ABCDu);
    EXPECT_EQ(back->volume->label, "SYSTEM");
    EXPECT_EQ(back->local_base_path, r.local_base_path);
    EXPECT_EQ(back->description, r.description);
    EXPECT_EQ(back->relative_path, r.relative_path);
    EXPECT_EQ(back->working_directory, r.working_directory);
    EXPECT_EQ(back->arguments, r.arguments);
    EXPECT_EQ(back->icon_location, r.icon_location);
}

TEST(LinkFile, DecodingRefusesBrokenFiles) {
    std::vector<std::uint8_t> good = encode_link(full_record());
    std::vector<std::uint8_t> wrong_size = good;
    wrong_size[0] = 0x4D;
    std::vector<std::uint8_t> wrong_clsid = good;
    wrong_clsid[4] = 0x02;
    std::vector<std::uint8_t> link_info_too_long = good;
    link_info_too_long[0x4C + 1] = 0x7F;  // LinkInfoSize far past the end
    std::vector<std::uint8_t> cut(good.begin(), good.begin() + good.size() / 2);
    for (const auto& bytes : {std::vector<std::uint8_t>{}, wrong_size, wrong_clsid, link_info_too_long, cut})
        EXPECT_FALSE(decode_link(bytes));
}

}  // namespace
