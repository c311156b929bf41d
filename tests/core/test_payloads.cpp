#include "test_payloads.h"

#include <cstring>
#include <deque>
#include <span>

#include "lzhuf_encoder.h"
#include "winsim/resource_table.h"

namespace {

std::deque<TestPayload>& payloads() {
    static std::deque<TestPayload> all;
    return all;
}

}  // namespace

const TestPayload& AddTestPayload(const char* resource_name, std::uint32_t size, std::uint32_t seed) {
    TestPayload payload{resource_name, MakeFileContents(size, seed), {}};
    payload.packed = lzhuf::encode(std::span<const std::uint8_t>(payload.plain));
    payloads().push_back(std::move(payload));
    return payloads().back();
}

ManifestEntry TestEntry(const char* file_name, DWORD flags, const TestPayload& payload) {
    ManifestEntry entry = {};
    std::strncpy(entry.FileName, file_name, sizeof entry.FileName - 1);
    entry.Flags = flags;
    std::strncpy(entry.ResourceName, payload.resource_name, sizeof entry.ResourceName - 1);
    std::strcpy(entry.ShortcutName, "-");
    entry.UncompressedSize = static_cast<DWORD>(payload.plain.size());
    entry.CompressedSize = static_cast<DWORD>(payload.packed.size());
    return entry;
}

void RegisterTestPayloads() {
    static std::vector<winsim::Resource> items;
    items.clear();
    for (const TestPayload& payload : payloads())
        items.push_back(winsim::Resource{{10, nullptr},
                                         {0, payload.resource_name},
                                         payload.packed.data(),
                                         static_cast<std::uint32_t>(payload.packed.size())});
    winsim::register_module_resources(winsim::ResourceTable{items.data(), items.size()});
}
