// Throughput of the payload decoder (to memory and to a host file) and of the encoder, on
// the example build's product files and on a large text. Sizes are reported as counters.
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/payload_decoder.h"
#include "kernel/host_files.h"
#include "lzhuf_encoder.h"
#include "reference_decoder.h"
#include "test_inputs.h"

using namespace codec_test;

namespace {

// Google Benchmark's bytes_per_second counts 2^20 bytes to the MB; this one counts 10^6.
void count_decimal_megabytes(benchmark::State& state, std::size_t bytes_per_iteration) {
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes_per_iteration));
    state.counters["MB_per_s"] = benchmark::Counter(double(state.iterations()) * double(bytes_per_iteration) / 1e6,
                                                    benchmark::Counter::kIsRate);
}

struct Sample {
    std::string name;
    Bytes original;
    Bytes stream;
};

std::vector<Sample>& samples() {
    static std::vector<Sample> all;
    return all;
}

void load_samples() {
    std::filesystem::path folder = std::filesystem::path(TARROWIN_SOURCE_DIR) / "resources" / "payload";
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(folder)) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        if (auto bytes = read_file(file)) samples().push_back({file.filename().string(), *bytes, {}});
    }
    samples().push_back({"large-text", english_text(4 << 20, 1), {}});
    for (Sample& s : samples()) s.stream = lzhuf::encode(s.original);
}

void decode_to_memory(benchmark::State& state, const Sample* s) {
    std::vector<unsigned char> out;
    out.reserve(s->original.size());
    for (auto _ : state) {
        out.clear();
        HANDLE handle = winsim::kernel::open_memory_output(out);
        DecodePayload(NULL, s->stream.data(), DWORD(s->stream.size()), DWORD(s->original.size()), handle, NULL);
        CloseHandle(handle);
        benchmark::DoNotOptimize(out.data());
    }
    if (out != s->original) state.SkipWithError("decoded bytes differ from the original");
    count_decimal_megabytes(state, s->original.size());
}

void decode_to_file(benchmark::State& state, const Sample* s) {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("codec-bench-" + std::to_string(getpid()) + ".out");
    for (auto _ : state) {
        HANDLE handle = winsim::kernel::open_host_output(path);
        DecodePayload(NULL, s->stream.data(), DWORD(s->stream.size()), DWORD(s->original.size()), handle, NULL);
        CloseHandle(handle);
    }
    if (std::filesystem::file_size(path) != s->original.size()) state.SkipWithError("wrong file size");
    std::filesystem::remove(path);
    count_decimal_megabytes(state, s->original.size());
}

// The algorithm decoded one bit at a time into a growing vector: the baseline the
// installer's decoder is measured against.
void decode_plainly(benchmark::State& state, const Sample* s) {
    for (auto _ : state) benchmark::DoNotOptimize(reference::decode(s->stream, s->original.size()));
    count_decimal_megabytes(state, s->original.size());
}

void encode(benchmark::State& state, const Sample* s, lzhuf::Parsing parsing) {
    std::size_t size = 0;
    for (auto _ : state) size = lzhuf::encode(s->original, parsing).size();
    count_decimal_megabytes(state, s->original.size());
    state.counters["input"] = double(s->original.size());
    state.counters["compressed"] = double(size);
    state.counters["percent"] = s->original.empty() ? 0.0 : 100.0 * double(size) / double(s->original.size());
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    load_samples();
    for (const Sample& s : samples()) {
        benchmark::RegisterBenchmark(("decode_to_memory/" + s.name).c_str(), decode_to_memory, &s);
    }
    for (const Sample& s : samples()) {
        benchmark::RegisterBenchmark(("decode_to_file/" + s.name).c_str(), decode_to_file, &s);
    }
    for (const Sample& s : samples()) {
        benchmark::RegisterBenchmark(("decode_plainly/" + s.name).c_str(), decode_plainly, &s);
    }
    for (const Sample& s : samples()) {
        benchmark::RegisterBenchmark(("encode/" + s.name).c_str(), encode, &s, lzhuf::Parsing::smallest)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("encode_greedy/" + s.name).c_str(), encode, &s, lzhuf::Parsing::greedy)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
