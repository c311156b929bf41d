// The linked resource table of a program: what the resource compiler emits and the
// kernel's FindResourceA searches. One table per program, registered before main runs.
#pragma once

#include <cstddef>
#include <cstdint>

namespace winsim {

// A resource type or name: an integer identifier, or a text (upper case, as the
// resource compiler stores names) when `text` is not null.
struct ResourceKey {
    std::uint16_t id;
    const char* text;
};

struct Resource {
    ResourceKey type;
    ResourceKey name;
    const unsigned char* data;
    std::uint32_t size;
};

struct ResourceTable {
    const Resource* items;
    std::size_t count;
};

// Makes `table` the resources of the program's own module. Generated code calls it
// from a static initialiser; a later call replaces the table (tests use that).
void register_module_resources(const ResourceTable& table);

}  // namespace winsim
