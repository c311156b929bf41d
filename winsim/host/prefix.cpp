#include "host/prefix.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "kernel/code_page.h"

namespace fs = std::filesystem;

namespace winsim::host {

namespace {

constexpr std::string_view kDefaultIni =
    "[machine]\n"
    "screen = 1024x768\n"
    "windows = C:\\WINDOWS\n"
    "programs = C:\\Documents and Settings\\Owner\\Start Menu\\Programs\n"
    "computer = My Computer\n"
    "admin = yes              ; no: every write to HKEY_LOCAL_MACHINE is refused, as for a plain user\n"
    "[drives]\n"
    "C = fixed\n"
    "[programs]\n"
    "notepad.exe = winsim-notepad   ; the host command that CreateProcessA runs for this program name\n";

// Folders every machine has, besides the Windows and Start Menu folders of winsim.ini.
constexpr const char* kDefaultFolders[] = {
    "C:\\WINDOWS",
    "C:\\WINDOWS\\SYSTEM32",
    "C:\\Program Files",
    "C:\\Documents and Settings\\Owner\\Start Menu\\Programs",
    "C:\\Documents and Settings\\Owner\\Start Menu\\Programs\\Accessories",
    "C:\\Documents and Settings\\Owner\\Start Menu\\Programs\\Startup",
};

// [machine] keys that fall back to the defaults when winsim.ini leaves them out.
const IniFile& default_ini() {
    static const IniFile ini = IniFile::parse(kDefaultIni);
    return ini;
}

fs::path home_folder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return fs::current_path();
}

std::string read_text(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes through a temporary file and a rename, so a reader never sees half a file.
void write_new_file(const fs::path& file, std::string_view text) {
    fs::path temporary = file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), std::streamsize(text.size()));
        if (!out) return;
    }
    std::error_code ec;
    fs::rename(temporary, file, ec);
}

std::string lower_ascii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

DriveType parse_drive_type(std::string_view text) {
    std::string t = lower_ascii(trim(text));
    if (t == "removable") return DriveType::Removable;
    if (t == "cdrom") return DriveType::Cdrom;
    if (t == "remote") return DriveType::Remote;
    if (t == "ramdisk") return DriveType::Ramdisk;
    return DriveType::Fixed;
}

// "2M", "512K", "1G", "2 MB" or a plain byte count; 0 (no limit) when unreadable.
std::uint64_t parse_size(std::string_view text) {
    text = trim(text);
    std::uint64_t value = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > (UINT64_MAX - 9) / 10) return 0;
        value = value * 10 + std::uint64_t(text[i] - '0');
    }
    if (i == 0) return 0;
    std::string unit = lower_ascii(trim(text.substr(i)));
    if (!unit.empty() && unit.back() == 'b') unit.pop_back();
    std::uint64_t scale = 1;
    if (unit == "k") scale = 1024ull;
    else if (unit == "m") scale = 1024ull * 1024;
    else if (unit == "g") scale = 1024ull * 1024 * 1024;
    else if (!unit.empty()) return 0;
    if (value > UINT64_MAX / scale) return 0;
    return value * scale;
}

bool valid_name_char(unsigned char c) {
    if (c < 0x20) return false;
    switch (c) {
    case '<': case '>': case ':': case '"': case '|': case '?': case '*': return false;
    default: return true;
    }
}

bool is_folder(const fs::path& p) {
    struct stat st;
    return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists_no_follow(const fs::path& p) {
    struct stat st;
    return ::lstat(p.c_str(), &st) == 0;
}

// The host name in `folder` that spells `ansi_name` without regard to case: the exact
// spelling when present, else the first match in name order, so the choice is stable.
std::optional<std::string> find_entry(const fs::path& folder, std::string_view ansi_name) {
    std::string exact = kernel::ansi_to_utf8(ansi_name);
    if (exists_no_follow(folder / exact)) return exact;
    std::error_code ec;
    std::optional<std::string> best;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        std::optional<std::string> ansi = kernel::utf8_to_ansi(name);
        if (!ansi || !kernel::ansi_iequal(*ansi, ansi_name)) continue;
        if (!best || name < *best) best = name;
    }
    return best;
}

}  // namespace

std::string_view default_ini_text() { return kDefaultIni; }

const DriveInfo* Prefix::drive(char letter) const {
    if (letter >= 'a' && letter <= 'z') letter = char(letter - 'a' + 'A');
    for (const DriveInfo& d : drives_)
        if (d.letter == letter) return &d;
    return nullptr;
}

std::string Prefix::setting(const std::string& section, const std::string& key,
                            const std::string& fallback) const {
    if (std::optional<std::string> v = ini_.value(section, key)) return *v;
    if (ascii_iequal(section, "machine"))
        if (std::optional<std::string> v = default_ini().value(section, key)) return *v;
    return fallback;
}

std::optional<HostPath> Prefix::resolve(std::string_view path, PathProblem* problem) const {
    auto fail = [&](PathProblem p) -> std::optional<HostPath> {
        if (problem) *problem = p;
        return std::nullopt;
    };
    if (problem) *problem = PathProblem::None;
    bool absolute = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/') &&
                    ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (!absolute) return fail(PathProblem::NotAbsolute);
    const DriveInfo* d = drive(path[0]);
    if (!d) return fail(PathProblem::NoSuchDrive);

    std::vector<std::string_view> parts;
    std::string_view rest = path.substr(3);
    while (!rest.empty()) {
        std::size_t cut = rest.find_first_of("\\/");
        std::string_view part = rest.substr(0, cut);
        rest.remove_prefix(cut == std::string_view::npos ? rest.size() : cut + 1);
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        for (char c : part)
            if (!valid_name_char(static_cast<unsigned char>(c))) return fail(PathProblem::InvalidName);
        parts.push_back(part);
    }

    HostPath result;
    result.drive = d;
    result.host = d->root;
    result.windows = std::string(1, d->letter) + ":\\";
    result.is_root = parts.empty();
    bool found = is_folder(d->root);
    result.parent_exists = found;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        bool last = i + 1 == parts.size();
        if (last) result.parent_exists = found && is_folder(result.host);
        std::optional<std::string> host_name;
        if (found && is_folder(result.host)) host_name = find_entry(result.host, parts[i]);
        if (host_name) {
            result.host /= *host_name;
            result.windows += kernel::utf8_to_ansi(*host_name).value_or(std::string(parts[i]));
        } else {
            found = false;
            result.host /= kernel::ansi_to_utf8(parts[i]);
            result.windows += parts[i];
        }
        if (!last) result.windows += '\\';
    }
    result.exists = found && exists_no_follow(result.host);
    return result;
}

fs::path Prefix::host_path(std::string_view windows_path) const {
    std::optional<HostPath> p = resolve(windows_path);
    return p ? p->host : fs::path();
}

void Prefix::read_drives() {
    drives_.clear();
    auto add = [&](char letter, DriveType type, std::uint64_t limit) {
        if (letter >= 'a' && letter <= 'z') letter = char(letter - 'a' + 'A');
        if (letter < 'A' || letter > 'Z' || drive(letter)) return;
        drives_.push_back({letter, type, limit, root_ / "drives" / std::string(1, char(letter - 'A' + 'a'))});
    };
    if (const IniFile::Section* listed = ini_.section("drives")) {
        for (const IniFile::Entry& e : listed->entries) {
            if (e.key.size() != 1) continue;
            std::string_view value = e.value;
            std::size_t comma = value.find(',');
            std::uint64_t limit = comma == std::string_view::npos ? 0 : parse_size(value.substr(comma + 1));
            add(e.key[0], parse_drive_type(value.substr(0, comma)), limit);
        }
    }
    std::error_code ec;
    for (fs::directory_iterator it(root_ / "drives", ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z' && is_folder(it->path()))
            add(name[0], DriveType::Fixed, 0);
    }
    std::sort(drives_.begin(), drives_.end(),
              [](const DriveInfo& a, const DriveInfo& b) { return a.letter < b.letter; });
}

void Prefix::create_defaults() {
    std::error_code ec;
    // Disks that are always in place have their root; removable and CD drives may be empty.
    for (const DriveInfo& d : drives_)
        if (d.type == DriveType::Fixed || d.type == DriveType::Ramdisk || d.type == DriveType::Remote)
            fs::create_directories(d.root, ec);

    std::vector<std::string> folders(std::begin(kDefaultFolders), std::end(kDefaultFolders));
    folders.push_back(setting("machine", "windows"));
    folders.push_back(setting("machine", "programs"));
    for (const std::string& folder : folders) {
        std::optional<HostPath> p = resolve(folder);
        if (!p || p->exists || !is_folder(p->drive->root)) continue;
        fs::create_directories(p->host, ec);
    }
}

void Prefix::load() {
    const char* configured = std::getenv("WINSIM_PREFIX");
    root_ = (configured && *configured) ? fs::path(configured) : home_folder() / ".winsim";
    std::error_code ec;
    root_ = fs::absolute(root_, ec).lexically_normal();
    if (!root_.empty() && root_.filename().empty()) root_ = root_.parent_path();

    fs::create_directories(root_ / "drives", ec);
    fs::path ini_file = root_ / "winsim.ini";
    if (!fs::exists(ini_file, ec)) write_new_file(ini_file, kDefaultIni);
    ini_ = IniFile::parse(read_text(ini_file));
    if (!ini_.section("drives") && !fs::exists(root_ / "drives" / "c", ec))
        fs::create_directories(root_ / "drives" / "c", ec);
    read_drives();
    create_defaults();
}

Prefix& prefix() {
    static Prefix machine = [] {
        Prefix p;
        p.load();
        return p;
    }();
    return machine;
}

Prefix& Prefix::reload() {
    Prefix& machine = prefix();
    machine.load();
    return machine;
}

}  // namespace winsim::host
