#include "shell/volume.h"

#include "host/prefix.h"
#include "win/kernel.h"

namespace winsim::shell {

namespace {

// A serial number that stays the same for a drive of one machine from run to run:
// FNV-1a over the machine's folder and the letter.
std::uint32_t serial_of(char letter) {
    std::uint32_t hash = 2166136261u;
    auto mix = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 16777619u;
    };
    for (char c : host::prefix().root().string()) mix(static_cast<unsigned char>(c));
    mix(static_cast<unsigned char>(letter));
    return hash;
}

std::uint32_t drive_type_of(host::DriveType type) {
    switch (type) {
    case host::DriveType::Removable: return DRIVE_REMOVABLE;
    case host::DriveType::Cdrom: return DRIVE_CDROM;
    case host::DriveType::Remote: return DRIVE_REMOTE;
    case host::DriveType::Ramdisk: return DRIVE_RAMDISK;
    case host::DriveType::Fixed: break;
    }
    return DRIVE_FIXED;
}

}  // namespace

std::optional<LinkVolume> volume_of(char letter) {
    const host::DriveInfo* drive = host::prefix().drive(letter);
    if (!drive) return std::nullopt;
    LinkVolume volume;
    volume.drive_type = drive_type_of(drive->type);
    volume.serial = serial_of(letter);
    return volume;
}

}  // namespace winsim::shell
