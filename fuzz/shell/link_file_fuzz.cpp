// Any bytes are read safely; whatever reads as a link writes back to the same link.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "shell/link_file.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool same(const winsim::shell::LinkRecord& a, const winsim::shell::LinkRecord& b) {
    bool volumes = a.volume.has_value() == b.volume.has_value();
    if (volumes && a.volume)
        volumes = a.volume->drive_type == b.volume->drive_type && a.volume->serial == b.volume->serial &&
                  a.volume->label == b.volume->label && a.local_base_path == b.local_base_path;
    return volumes && a.file_attributes == b.file_attributes && a.creation_time == b.creation_time &&
           a.access_time == b.access_time && a.write_time == b.write_time && a.file_size == b.file_size &&
           a.icon_index == b.icon_index && a.show_command == b.show_command && a.hotkey == b.hotkey &&
           a.description == b.description && a.relative_path == b.relative_path &&
           a.working_directory == b.working_directory && a.arguments == b.arguments &&
           a.icon_location == b.icon_location;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    std::optional<winsim::shell::LinkRecord> record = winsim::shell::decode_link(bytes);
    if (!record) return 0;
    std::optional<winsim::shell::LinkRecord> again = winsim::shell::decode_link(winsim::shell::encode_link(*record));
    require(again.has_value());
    require(same(*record, *again));
    return 0;
}
