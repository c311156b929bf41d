// lzhuf c IN OUT        compresses IN into the raw payload stream OUT (no length header)
// lzhuf d IN OUT SIZE   decodes SIZE bytes of the stream IN into OUT with the installer's decoder
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/payload_decoder.h"
#include "kernel/host_files.h"
#include "lzhuf_encoder.h"

namespace {

constexpr int exit_usage = 2;

int usage() {
    std::fputs("usage: lzhuf c IN OUT\n       lzhuf d IN OUT SIZE\n", stderr);
    return exit_usage;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "lzhuf: %s\n", message.c_str());
    return EXIT_FAILURE;
}

std::optional<std::vector<std::uint8_t>> read_all(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool write_all(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    return bool(out);
}

// A decimal byte count that fits a DWORD.
std::optional<DWORD> parse_size(const char* text) {
    if (*text < '0' || *text > '9') return std::nullopt;
    errno = 0;
    char* end = nullptr;
    unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || value > 0xFFFFFFFFull) return std::nullopt;
    return DWORD(value);
}

std::string describe(const char* what, const std::string& path) {
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}

int compress(const std::string& in_path, const std::string& out_path) {
    auto input = read_all(in_path);
    if (!input) return fail(describe("cannot read", in_path));
    if (input->size() > 0xFFFFFFFFull) return fail(in_path + " is larger than a payload can be");
    if (!write_all(out_path, lzhuf::encode(*input))) return fail(describe("cannot write", out_path));
    return EXIT_SUCCESS;
}

int decompress(const std::string& in_path, const std::string& out_path, const char* size_text) {
    std::optional<DWORD> size = parse_size(size_text);
    if (!size) return fail(std::string("SIZE must be a byte count below 2^32, not ") + size_text);
    auto stream = read_all(in_path);
    if (!stream) return fail(describe("cannot read", in_path));
    if (stream->size() > 0xFFFFFFFFull) return fail(in_path + " is larger than a payload can be");
    HANDLE file = winsim::kernel::open_host_output(out_path);
    if (file == INVALID_HANDLE_VALUE) return fail("cannot create " + out_path);
    DecodePayload(NULL, stream->data(), DWORD(stream->size()), *size, file, NULL);
    CloseHandle(file);

    PayloadCheck check;
    GetPayloadCheck(&check);
    int result = EXIT_SUCCESS;
    if (check.OutputStored != *size) {
        result = fail("wrote only " + std::to_string(check.OutputStored) + " of " +
                      std::to_string(*size) + " bytes to " + out_path);
    }
    if (check.InputMissing > 0) {
        result = fail(in_path + ": the stream ran out " + std::to_string(check.InputMissing) +
                      " bytes before the output was complete; missing bits decoded as zeros");
    }
    if (check.InputLeftOver > 0) {
        result = fail(in_path + ": " + std::to_string(check.InputLeftOver) +
                      " bytes left over after the last code");
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "c") == 0) return compress(argv[2], argv[3]);
    if (argc == 5 && std::strcmp(argv[1], "d") == 0) return decompress(argv[2], argv[3], argv[4]);
    return usage();
}
