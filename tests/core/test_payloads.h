// Product files for tests: deterministic contents, compressed with the payload encoder and
// offered as the program's RT_RCDATA resources under their names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

#include "core/manifest.h"

struct TestPayload {
    const char* resource_name;  // upper case, as the resource compiler stores names
    std::vector<std::uint8_t> plain;
    std::vector<std::uint8_t> packed;
};

// Text and noise mixed, so that the stream has both matches and literals.
std::vector<std::uint8_t> MakeFileContents(std::uint32_t size, std::uint32_t seed);

// Compresses each file and keeps it for the life of the process.
const TestPayload& AddTestPayload(const char* resource_name, std::uint32_t size, std::uint32_t seed);

// A manifest entry for a payload made with AddTestPayload.
ManifestEntry TestEntry(const char* file_name, DWORD flags, const TestPayload& payload);

// Makes every payload added so far the resources of the program's own module.
void RegisterTestPayloads();
