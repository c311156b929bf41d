#include "file_reader.h"

#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace rc {

std::optional<std::string> read_host_file(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace rc
