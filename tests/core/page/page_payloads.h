// The product files of the installing-page test: resource name, size and content seed of
// each, shared by the build step that compresses them and by the test that checks them.
#pragma once

#include <cstdint>

struct PagePayload {
    const char* resource_name;
    std::uint32_t size;
    std::uint32_t seed;
};

inline constexpr PagePayload kPagePayloads[] = {
    {"UINSTALL", 20000, 11},
    {"UPDATER", 9000, 12},
    {"PROGRAM", 240000, 13},
    {"PLUGINS", 30000, 14},
    {"SETTINGS", 2000, 15},
    {"SERIAL", 1500, 16},
};
