#include "manifest_checks.h"

#include <cctype>
#include <set>

#include "core/manifest.h"
#include "pack_error.h"

namespace pack {

namespace {

[[noreturn]] void broken(const ProductDescription& product, int line, const std::string& constraint,
                         const std::string& detail) {
    throw PackError(product.path + ":" + std::to_string(line) + ": " + constraint + ": " + detail);
}

std::string entry_label(std::size_t index, const EntryDescription& entry) {
    return "entry " + std::to_string(index) + " (" + entry.file_name.text + ")";
}

void check_fits(const ProductDescription& product, const TextValue& value, const std::string& field, int width) {
    if (value.text.size() + 1 > static_cast<std::size_t>(width))
        broken(product, value.line, "text too long for its field",
               field + " \"" + value.text + "\" has " + std::to_string(value.text.size()) +
                   " characters; the field holds " + std::to_string(width - 1) + " and its NUL");
    if (value.text.find('\0') != std::string::npos)
        broken(product, value.line, "text too long for its field", field + " holds a NUL of its own");
}

void check_text_fields(const ProductDescription& product) {
    check_fits(product, product.name, "ProductName", PRODUCT_NAME_SIZE);
    check_fits(product, product.version, "ProductVersion", PRODUCT_VERSION_SIZE);
    check_fits(product, product.tagline, "Tagline", TAGLINE_SIZE);
    check_fits(product, product.publisher, "PublisherName", PUBLISHER_NAME_SIZE);
    check_fits(product, product.web_page, "WebPage", WEB_PAGE_SIZE);
    for (std::size_t i = 0; i < product.entries.size(); ++i) {
        const EntryDescription& e = product.entries[i];
        const std::string prefix = "entry " + std::to_string(i) + " ";
        check_fits(product, e.file_name, prefix + "FileName", ENTRY_FILE_NAME_SIZE);
        check_fits(product, e.resource_name, prefix + "ResourceName", ENTRY_RESOURCE_NAME_SIZE);
        check_fits(product, e.shortcut_name, prefix + "ShortcutName", ENTRY_SHORTCUT_NAME_SIZE);
    }
}

void check_counts(const ProductDescription& product) {
    const long entries = static_cast<long>(product.entries.size());
    if (entries > MANIFEST_ENTRY_ROOM)
        broken(product, product.entries[MANIFEST_ENTRY_ROOM].line, "too many entries",
               std::to_string(entries) + " entries; the record has room for " + std::to_string(MANIFEST_ENTRY_ROOM));
    if (product.shortcut_count > product.file_count)
        broken(product, product.counts_line, "shortcut count above file count",
               "ShortcutCount " + std::to_string(product.shortcut_count) + " exceeds FileCount " +
                   std::to_string(product.file_count));
    if (product.file_count > entries)
        broken(product, product.counts_line, "file count above entries",
               "FileCount " + std::to_string(product.file_count) + " exceeds the " + std::to_string(entries) +
                   " entries");
    if (product.file_count < 5)
        broken(product, product.counts_line, "read-me entry not installed",
               "FileCount " + std::to_string(product.file_count) +
                   " leaves out entry 4, the read-me file; it must be at least 5");
}

void check_fixed_roles(const ProductDescription& product) {
    const EntryDescription& uninstaller = product.entries[0];
    if (!(uninstaller.flags & ENTRY_TO_WINDOWS_DIR))
        broken(product, uninstaller.line, "uninstaller not in the Windows folder",
               entry_label(0, uninstaller) + " is the uninstaller and must carry ENTRY_TO_WINDOWS_DIR");
    const EntryDescription& readme = product.entries[4];
    if (readme.flags & ENTRY_TO_WINDOWS_DIR)
        broken(product, readme.line, "read-me not in the program folder",
               entry_label(4, readme) + " is the read-me file and must not carry ENTRY_TO_WINDOWS_DIR");
}

void check_destinations(const ProductDescription& product) {
    for (std::size_t i = 0; i < product.entries.size(); ++i) {
        const EntryDescription& e = product.entries[i];
        const bool program = e.flags & ENTRY_IN_PROGRAM_DIR;
        const bool windows = e.flags & ENTRY_TO_WINDOWS_DIR;
        if (program == windows)
            broken(product, e.line, "destination not exactly one folder",
                   entry_label(i, e) + " must carry exactly one of ENTRY_IN_PROGRAM_DIR and ENTRY_TO_WINDOWS_DIR");
    }
}

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Resource names are compared without regard to case. Each also names its stream's file
// in the build folder, so it keeps to characters any file system takes.
void check_resource_names(const ProductDescription& product) {
    std::set<std::string> seen;
    for (std::size_t i = 0; i < product.entries.size(); ++i) {
        const EntryDescription& e = product.entries[i];
        const std::string& name = e.resource_name.text;
        bool plain = !name.empty() && name[0] != '.';
        for (char c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-' && c != '.') plain = false;
        if (!plain)
            broken(product, e.resource_name.line, "resource name not usable",
                   entry_label(i, e) + " names resource \"" + name +
                       "\"; a name is letters, digits, '_', '-' and '.', not led by '.'");
        if (!seen.insert(upper(name)).second)
            broken(product, e.resource_name.line, "resource name used twice",
                   entry_label(i, e) + " names resource \"" + name + "\" that an earlier entry names");
    }
}

void check_names_as_paths(const ProductDescription& product) {
    std::string why;
    if (!is_file_name_component(product.name.text, why))
        broken(product, product.name.line, "product name not a file name",
               "ProductName \"" + product.name.text + "\" " + why +
                   "; it names a folder, a program group and registry keys");
    for (std::size_t i = 0; i < product.entries.size(); ++i) {
        const EntryDescription& e = product.entries[i];
        if (!is_file_name_component(e.file_name.text, why))
            broken(product, e.file_name.line, "file name not a bare file name",
                   "entry " + std::to_string(i) + " FileName \"" + e.file_name.text + "\" " + why);
        if (static_cast<long>(i) < product.shortcut_count && !is_file_name_component(e.shortcut_name.text, why))
            broken(product, e.shortcut_name.line, "shortcut name not a file name",
                   entry_label(i, e) + " ShortcutName \"" + e.shortcut_name.text + "\" " + why +
                       "; it names the link file");
    }
}

void check_timestamp(const ProductDescription& product) {
    const Timestamp& t = product.file_timestamp;
    static const int month_days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
    bool valid = t.year >= 1601 && t.year <= 30827 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
                 t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 &&
                 t.second <= 59 && t.milliseconds >= 0 && t.milliseconds <= 999;
    if (valid) valid = t.day <= month_days[t.month - 1] + (t.month == 2 && leap ? 1 : 0);
    if (!valid) broken(product, t.line, "timestamp not a valid time", "file_timestamp names no real date and time");
}

}  // namespace

bool is_file_name_component(const std::string& name, std::string& why) {
    if (name.empty()) {
        why = "is empty";
        return false;
    }
    static const std::string forbidden = "\\/:*?\"<>|";
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) {
            why = "holds a control character";
            return false;
        }
        if (forbidden.find(c) != std::string::npos) {
            why = std::string("holds the character '") + c + "'";
            return false;
        }
    }
    if (name.back() == ' ' || name.back() == '.') {
        why = "ends with a space or a dot";
        return false;
    }
    std::string base = upper(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    static const std::set<std::string> devices = {"CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4",
                                                  "COM5", "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2", "LPT3",
                                                  "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    if (devices.count(base)) {
        why = "is the name of a device";
        return false;
    }
    return true;
}

int day_of_week(int year, int month, int day) {
    // Sakamoto's method.
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

void check_description(const ProductDescription& product) {
    check_counts(product);
    check_text_fields(product);
    check_fixed_roles(product);
    check_destinations(product);
    check_resource_names(product);
    check_names_as_paths(product);
    check_timestamp(product);
}

}  // namespace pack
