// DecodePayload: the bytes it writes, the blocks it writes them in, what it reports, and how
// it ends damaged streams.
#include <stdlib.h>

#include <gtest/gtest.h>

#include <fstream>

#include "core/payload_decoder.h"
#include "host/prefix.h"
#include "kernel/host_files.h"
#include "lzhuf_encoder.h"
#include "reference_decoder.h"
#include "stream_writer.h"
#include "test_inputs.h"

using namespace codec_test;

namespace {

HWND const kPage = reinterpret_cast<HWND>(0x4321);
std::vector<DWORD> reports;
bool report_saw_other_page = false;

void RecordProgress(HWND page, DWORD storedBytes) {
    if (page != kPage) report_saw_other_page = true;
    reports.push_back(storedBytes);
}

// Decodes into memory; `reports` then holds every progress report of the call.
Bytes decode(const Bytes& stream, DWORD output_length) {
    reports.clear();
    report_saw_other_page = false;
    Bytes out;
    HANDLE handle = winsim::kernel::open_memory_output(out);
    DecodePayload(kPage, stream.data(), DWORD(stream.size()), output_length, handle, RecordProgress);
    CloseHandle(handle);
    EXPECT_FALSE(report_saw_other_page);
    return out;
}

PayloadCheck last_check() {
    PayloadCheck check;
    GetPayloadCheck(&check);
    return check;
}

// A stream written symbol by symbol, for inputs that an encoder would not choose.
struct Symbol {
    unsigned length;    // 1 for a literal
    unsigned value;     // the literal byte, or the match's distance
};

Bytes stream_of(std::initializer_list<Symbol> symbols) {
    lzhuf::StreamWriter writer;
    for (const Symbol& s : symbols) {
        if (s.length == 1) {
            writer.put_literal(std::uint8_t(s.value));
        } else {
            writer.put_match(s.length, s.value);
        }
    }
    return writer.finish();
}

Bytes text_of(const std::string& text) { return Bytes(text.begin(), text.end()); }

}  // namespace

TEST(DecodePayload, SharedVectorsDecodeExactlyAndUseTheWholeStream) {
    auto folder = vector_folder();
    if (!folder) GTEST_SKIP() << "no shared vectors beside this checkout";
    for (const char* name : {"leading-spaces", "long-run", "three-blocks", "records"}) {
        SCOPED_TRACE(name);
        auto original = read_file(*folder / (std::string(name) + ".bin"));
        auto stream = read_file(*folder / (std::string(name) + ".lzh"));
        ASSERT_TRUE(original && stream);
        EXPECT_EQ(decode(*stream, DWORD(original->size())), *original);
        PayloadCheck check = last_check();
        EXPECT_EQ(check.InputUsed, stream->size());
        EXPECT_EQ(check.InputMissing, 0u);
        EXPECT_EQ(check.InputLeftOver, 0u);
        EXPECT_EQ(check.OutputStored, original->size());
    }
}

TEST(DecodePayload, WritesFullBlocksAndOneShortLastBlock) {
    struct Case {
        std::size_t size;
        std::vector<DWORD> writes;
    };
    const Case cases[] = {
        {49152, std::vector<DWORD>(48, 1024)},
        {3668, {1024, 1024, 1024, 596}},
        {1, {1}},
        {1025, {1024, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        Bytes original = english_text(c.size, std::uint32_t(c.size));
        EXPECT_EQ(decode(lzhuf::encode(original), DWORD(c.size)), original);
        EXPECT_EQ(reports, c.writes);
    }
}

TEST(DecodePayload, FirstMatchesCopyThePrefilledSpaces) {
    // 10 spaces from 100 back, then 5 from ring position 0, 4047 back from position 4047.
    Bytes stream = stream_of({{10, 100}, {1, 'x'}, {5, 4047}, {1, 'y'}});
    EXPECT_EQ(decode(stream, 17), text_of("          x     y"));
}

TEST(DecodePayload, OverlappingMatchesRepeatWhatTheyProduce) {
    Bytes stream = stream_of({{1, 'a'}, {1, 'b'}, {60, 1}, {1, 'c'}, {60, 2}, {1, 'x'}, {1, 'y'},
                              {1, 'z'}, {7, 3}});
    std::string expected = "ab" + std::string(60, 'b') + "c";
    for (int i = 0; i < 30; ++i) expected += "bc";
    expected += "xyzxyzxyzx";
    EXPECT_EQ(decode(stream, DWORD(expected.size())), text_of(expected));
}

TEST(DecodePayload, MatchesReachTheWholeRingAcrossWindowMoves) {
    // Far matches at the ring's full 4096 bytes, across many window moves and block edges.
    Bytes original = random_bytes(4096, 11);
    for (int copy = 0; copy < 40; ++copy) {
        original.insert(original.end(), original.begin(), original.begin() + 4096);
    }
    Bytes stream = lzhuf::encode(original);
    EXPECT_LT(stream.size(), 16000u);  // the copies cost far less than the random block
    EXPECT_EQ(decode(stream, DWORD(original.size())), original);
}

TEST(DecodePayload, TruncatedStreamEndsAtTheOutputCountWithZeroBits) {
    Bytes original = english_text(20000, 5);
    Bytes stream = lzhuf::encode(original);
    for (std::size_t keep : {stream.size() / 2, std::size_t{1}, std::size_t{0}}) {
        SCOPED_TRACE(keep);
        Bytes cut(stream.begin(), stream.begin() + keep);
        Bytes out = decode(cut, DWORD(original.size()));
        ASSERT_EQ(out.size(), original.size());
        EXPECT_EQ(out, reference::decode(cut, original.size()));
        if (keep > 1) {
            EXPECT_TRUE(std::equal(out.begin(), out.begin() + 1000, original.begin()));
        }
        PayloadCheck check = last_check();
        EXPECT_EQ(check.InputUsed, keep);
        EXPECT_GT(check.InputMissing, 0u);
        EXPECT_EQ(check.InputLeftOver, 0u);
    }
}

TEST(DecodePayload, ReportsBytesLeftOverAfterTheLastCode) {
    Bytes original = english_text(5000, 6);
    Bytes stream = lzhuf::encode(original);
    std::size_t exact = stream.size();
    stream.insert(stream.end(), {0x12, 0x34, 0x56});
    EXPECT_EQ(decode(stream, DWORD(original.size())), original);
    PayloadCheck check = last_check();
    EXPECT_EQ(check.InputUsed, exact);
    EXPECT_EQ(check.InputLeftOver, 3u);
    EXPECT_EQ(check.InputMissing, 0u);
}

TEST(DecodePayload, OverrunningLastMatchIsCutAtTheOutputCount) {
    Bytes stream = stream_of({{1, 'q'}, {60, 1}});
    EXPECT_EQ(decode(stream, 10), text_of("qqqqqqqqqq"));
    EXPECT_EQ(reports, std::vector<DWORD>{10});
    // Cut exactly at a block's end: one full write and nothing more.
    Bytes long_stream = stream_of({{1, 'r'}, {60, 1}, {60, 1}, {60, 1}, {60, 1}, {60, 1},
                                   {60, 1}, {60, 1}, {60, 1}, {60, 1}, {60, 1}, {60, 1},
                                   {60, 1}, {60, 1}, {60, 1}, {60, 1}, {60, 1}, {60, 1},
                                   {60, 1}});
    EXPECT_EQ(decode(long_stream, 1024), Bytes(1024, 'r'));
    EXPECT_EQ(reports, std::vector<DWORD>{1024});
}

TEST(DecodePayload, SizeZeroWritesNothing) {
    Bytes out = decode(lzhuf::encode(text_of("not decoded")), 0);
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(last_check().InputUsed, 0u);
}

TEST(DecodePayload, DecodingAgainGivesTheSameBytes) {
    Bytes first = english_text(9000, 7);
    Bytes other = random_bytes(7000, 8);
    Bytes stream = lzhuf::encode(first);
    EXPECT_EQ(decode(stream, DWORD(first.size())), first);
    EXPECT_EQ(decode(lzhuf::encode(other), DWORD(other.size())), other);
    EXPECT_EQ(decode(stream, DWORD(first.size())), first);
    // A damaged stream that reads the ring's last 60 positions before writing them.
    Bytes unwritten = stream_of({{60, 4096}, {1, 'e'}});
    Bytes once = decode(unwritten, 61);
    decode(lzhuf::encode(other), DWORD(other.size()));
    EXPECT_EQ(decode(unwritten, 61), once);
}

TEST(DecodePayload, DataThatChangesKindMidStreamDecodesExactly) {
    // Text moves the decoded leaf rarely, random bytes at most symbols: the decoder changes
    // how it exchanges the leaf as the sections follow one another.
    Bytes mixed;
    for (std::uint32_t section = 0; section < 8; ++section) {
        Bytes part = section % 2 == 0 ? english_text(30000, section) : random_bytes(12000, section);
        mixed.insert(mixed.end(), part.begin(), part.end());
    }
    EXPECT_EQ(decode(lzhuf::encode(mixed), DWORD(mixed.size())), mixed);
}

TEST(DecodePayload, AgreesWithThePlainAlgorithmOnArbitraryStreams) {
    // Random bits exercise every symbol, long codes, tree rebuilds and odd positions.
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        Bytes stream = random_bytes(seed * 1500, seed);
        DWORD length = seed * 9000 + seed % 7;
        EXPECT_EQ(decode(stream, length), reference::decode(stream, length));
    }
}

namespace {

// A simulated machine whose drive D: holds only `capacity` bytes.
class SmallDisk : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "codec-disk-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        std::filesystem::create_directories(root_ / "drives" / "d");
        std::ofstream(root_ / "winsim.ini") << "[drives]\nC = fixed\nD = fixed, 3000\n";
        setenv("WINSIM_PREFIX", root_.c_str(), 1);
        winsim::host::Prefix::reload();
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    std::filesystem::path root_;
};

}  // namespace

TEST_F(SmallDisk, ShortWritesReportOnlyTheStoredCount) {
    Bytes original = english_text(5000, 9);
    Bytes stream = lzhuf::encode(original);
    HANDLE file = CreateFileA("D:\\out.bin", GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    reports.clear();
    DecodePayload(kPage, stream.data(), DWORD(stream.size()), DWORD(original.size()), file, RecordProgress);
    CloseHandle(file);
    EXPECT_EQ(reports, (std::vector<DWORD>{1024, 1024, 952, 0, 0}));
    EXPECT_EQ(last_check().OutputStored, 3000u);
    auto stored = read_file(root_ / "drives" / "d" / "out.bin");
    ASSERT_TRUE(stored);
    EXPECT_EQ(*stored, Bytes(original.begin(), original.begin() + 3000));
}
