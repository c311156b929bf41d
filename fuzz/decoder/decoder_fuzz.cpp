// Any bytes as a payload stream, decoded for any output size up to 1 MiB: the decoder must
// write exactly that many bytes, the same ones the plain algorithm gives, and say how much
// of the stream it used without claiming more than there was.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/payload_decoder.h"
#include "kernel/host_files.h"
#include "reference_decoder.h"

namespace {

constexpr std::uint32_t max_output = 1u << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    // The first three bytes give the output size, small ones more often (a 16-bit count
    // scaled by 1 to 16), the rest is the stream.
    std::uint32_t output_length = (std::uint32_t(data[1]) | (std::uint32_t(data[2]) << 8))
                                  << (data[0] % 5);
    if (output_length > max_output) std::abort();
    // A copy of exactly the stream's length, so that reading past it is caught.
    std::vector<std::uint8_t> stream(data + 3, data + size);

    std::vector<unsigned char> out;
    HANDLE handle = winsim::kernel::open_memory_output(out);
    DecodePayload(NULL, stream.data(), DWORD(stream.size()), output_length, handle, NULL);
    CloseHandle(handle);
    if (out.size() != output_length) std::abort();

    PayloadCheck check;
    GetPayloadCheck(&check);
    if (check.OutputStored != output_length) std::abort();
    if (check.InputUsed + check.InputLeftOver != stream.size()) std::abort();
    if (check.InputMissing > 0 && check.InputUsed != stream.size()) std::abort();

    std::vector<std::uint8_t> expected = reference::decode(stream, output_length);
    if (std::memcmp(out.data(), expected.data(), output_length) != 0) std::abort();
    return 0;
}
