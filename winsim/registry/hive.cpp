#include "registry/hive.h"

#include <fstream>
#include <sstream>

#include "registry/atomic_file.h"
#include "registry/regedit_format.h"

namespace winsim::registry {

HiveLoad Hive::load(const std::vector<std::string>& default_keys) {
    HiveLoad result;
    bool existed = std::filesystem::exists(file_);
    if (existed) {
        std::ifstream in(file_, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (!in && !in.eof()) {
            result.error = file_.string() + ": the file cannot be read";
            return result;
        }
        RegeditParse parse = parse_regedit(text.str(), root_name_);
        if (!parse.root) {
            result.error = file_.string() + ", line " + std::to_string(parse.error_line) + ": " +
                           parse.error;
            return result;
        }
        root_ = std::move(parse.root);
    } else {
        root_ = std::make_unique<RegistryKey>(root_name_);
    }
    bool added = false;
    for (const auto& path : default_keys) {
        RegistryKey* key = root_.get();
        std::string_view rest = path;
        while (!rest.empty()) {
            std::size_t slash = rest.find('\\');
            bool created = false;
            key = &key->child(rest.substr(0, slash), &created);
            added = added || created;
            rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        }
    }
    // A prefix that cannot be written still has a usable hive; later changes report it.
    if (added || !existed) save();
    result.ok = true;
    return result;
}

bool Hive::save() const { return write_file_atomically(file_, format_regedit(*root_)); }

}  // namespace winsim::registry
