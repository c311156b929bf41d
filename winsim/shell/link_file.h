// The shell link file: what a shortcut records, and its binary form (ShellLinkHeader,
// LinkInfo with a VolumeID and the local base path, StringData in UTF-16, ExtraData end).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace winsim::shell {

// The volume the target lies on.
struct LinkVolume {
    std::uint32_t drive_type = 0;  // DRIVE_ value
    std::uint32_t serial = 0;
    std::string label;             // ANSI
};

// Everything a link file holds; texts are ANSI. An empty optional text is left out.
struct LinkRecord {
    std::uint32_t file_attributes = 0;
    std::uint64_t creation_time = 0;  // FILETIME values of the target
    std::uint64_t access_time = 0;
    std::uint64_t write_time = 0;
    std::uint32_t file_size = 0;      // low 32 bits of the target's size
    std::int32_t icon_index = 0;
    std::uint32_t show_command = 1;   // SW_SHOWNORMAL
    std::uint16_t hotkey = 0;

    // LinkInfo: present when the target is a local path with a drive letter.
    std::optional<LinkVolume> volume;
    std::string local_base_path;

    std::optional<std::string> description;
    std::optional<std::string> relative_path;
    std::optional<std::string> working_directory;
    std::optional<std::string> arguments;
    std::optional<std::string> icon_location;
};

// Link flags (the header's LinkFlags).
enum LinkFlag : std::uint32_t {
    HasLinkTargetIDList = 0x00000001,
    HasLinkInfo = 0x00000002,
    HasName = 0x00000004,
    HasRelativePath = 0x00000008,
    HasWorkingDir = 0x00000010,
    HasArguments = 0x00000020,
    HasIconLocation = 0x00000040,
    IsUnicode = 0x00000080,
};

std::vector<std::uint8_t> encode_link(const LinkRecord& record);

// Reads a link file back; nothing when the bytes are not a well-formed link.
std::optional<LinkRecord> decode_link(const std::vector<std::uint8_t>& bytes);

}  // namespace winsim::shell
