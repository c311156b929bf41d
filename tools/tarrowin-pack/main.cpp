// tarrowin-pack: turns the product description into the build's generated sources.
//   tarrowin-pack PRODUCT.INI OUT_DIR [-d DEPFILE]
// A broken manifest constraint stops it with a message that names the constraint.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <sys/stat.h>

#include "pack_error.h"
#include "product_pack.h"

namespace {

// Leaves a file alone when its bytes are already right, so that what depends on it is
// not rebuilt for nothing.
bool write_if_changed(const std::string& path, const std::string& bytes) {
    if (std::optional<std::string> old = pack::read_host_file(path); old && *old == bytes) return true;
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << bytes;
        if (!out.flush()) return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

std::string escape_depfile_path(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#' || c == '\\') out.push_back('\\');
        if (c == '$') out.push_back('$');
        out.push_back(c);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    std::string ini, out_dir, depfile;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-d" && i + 1 < argc) depfile = argv[++i];
        else if (ini.empty()) ini = arg;
        else if (out_dir.empty()) out_dir = arg;
        else ini.clear(), i = argc;
    }
    if (ini.empty() || out_dir.empty()) {
        std::cerr << "usage: tarrowin-pack PRODUCT.INI OUT_DIR [-d DEPFILE]\n";
        return 2;
    }
    try {
        pack::PackOutput output = pack::pack_product(ini);
        mkdir(out_dir.c_str(), 0777);
        for (const auto& [name, bytes] : output.files) {
            if (!write_if_changed(out_dir + "/" + name, bytes)) {
                std::cerr << "tarrowin-pack: cannot write " << out_dir << "/" << name << "\n";
                return 1;
            }
        }
        if (!depfile.empty()) {
            std::string text = escape_depfile_path(out_dir + "/" + pack::MANIFEST_SOURCE) + ":";
            for (const std::string& input : output.inputs) text += " \\\n  " + escape_depfile_path(input);
            if (!write_if_changed(depfile, text + "\n")) {
                std::cerr << "tarrowin-pack: cannot write " << depfile << "\n";
                return 1;
            }
        }
    } catch (const pack::PackError& e) {
        std::cerr << "tarrowin-pack: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
