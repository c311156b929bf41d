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

}  // namespace

std::optional<LinkVolume> volume_of(char letter) {
    const char root[] = {letter, ':', '\\', '\0'};
    UINT type = GetDriveTypeA(root);
    if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) return std::nullopt;
    LinkVolume volume;
    volume.drive_type = type;
    volume.serial = serial_of(letter);
    return volume;
}

}  // namespace winsim::shell
