#include "shell/shell_item.h"

#include "host/prefix.h"
#include "shell/system_icons.h"
#include "shell/volume.h"
#include "shell/windows_path.h"
#include "win/kernel.h"

namespace winsim::shell {

namespace {

std::string lower_extension(const std::string& name) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return {};
    std::string extension = name.substr(dot + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return extension;
}

int file_icon(const std::string& name) {
    std::string extension = lower_extension(name);
    if (extension == "exe" || extension == "com" || extension == "bat") return IconExecutable;
    if (extension == "txt" || extension == "ini" || extension == "log") return IconTextDocument;
    return IconGenericFile;
}

int item_icon(const std::string& name, DWORD attributes, bool open) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return open ? IconOpenFolder : IconClosedFolder;
    return file_icon(name);
}

// "Local Disk (C:)" and its kin; a labelled volume shows its label instead of the kind.
ItemLook drive_look(char letter, const LinkVolume& volume) {
    const bool floppy_letter = letter == 'A' || letter == 'B';
    std::string kind;
    int icon = IconFixedDrive;
    switch (volume.drive_type) {
    case DRIVE_REMOVABLE:
        kind = floppy_letter ? "3\xBD Floppy" : "Removable Disk";
        icon = floppy_letter ? IconFloppyDrive : IconRemovableDrive;
        break;
    case DRIVE_CDROM:
        kind = "CD Drive";
        icon = IconCdromDrive;
        break;
    case DRIVE_REMOTE:
        kind = "Network Drive";
        icon = IconNetworkDrive;
        break;
    case DRIVE_RAMDISK:
        kind = "RAM Disk";
        icon = IconRamDisk;
        break;
    default:
        kind = "Local Disk";
        break;
    }
    if (!volume.label.empty()) kind = volume.label;
    return {kind + " (" + letter + ":)", icon};
}

}  // namespace

std::optional<ItemLook> look_of(const ShellLocation& location, bool open) {
    switch (location.kind) {
    case ShellLocation::Kind::Computer:
        return ItemLook{host::prefix().setting("machine", "computer", "My Computer"), IconComputer};
    case ShellLocation::Kind::Desktop:
        return std::nullopt;
    case ShellLocation::Kind::Path:
        break;
    }
    const std::string path = without_trailing_backslash(location.path);
    if (is_drive_root(path)) {
        std::optional<char> letter = drive_letter(path);
        std::optional<LinkVolume> volume = volume_of(*letter);
        if (!volume) return std::nullopt;
        return drive_look(*letter, *volume);
    }
    // A wildcard would make the look-up an enumeration; no name holds one.
    if (path.find_first_of("*?") != std::string::npos) return std::nullopt;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(path.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(find);
    // The name as the disk spells it.
    return ItemLook{found.cFileName, item_icon(found.cFileName, found.dwFileAttributes, open)};
}

ItemLook look_from_attributes(const std::string& path, DWORD attributes, bool open) {
    std::string name = last_component(path);
    return {name, item_icon(name, attributes, open)};
}

}  // namespace winsim::shell
