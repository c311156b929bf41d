// The product as product.ini describes it, before any check: texts in Windows-1252,
// numbers as read, each value with the line it came from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pack {

struct TextValue {
    std::string text;  // Windows-1252
    int line = 0;
};

struct EntryDescription {
    TextValue file_name;
    std::uint32_t flags = 0;
    TextValue resource_name;
    TextValue shortcut_name;
    TextValue source;  // host path, relative to the description's folder
    int line = 0;      // the [entry] heading
};

struct Timestamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
    int line = 0;
};

struct ProductDescription {
    std::string path;  // of product.ini, for messages
    TextValue name;
    TextValue version;
    TextValue tagline;
    TextValue publisher;
    TextValue web_page;
    Timestamp file_timestamp;
    long file_count = 0;
    long shortcut_count = 0;
    int counts_line = 0;
    TextValue support_email;
    TextValue home_page;
    std::vector<EntryDescription> entries;
};

}  // namespace pack
