// The encoder's streams decode back to their input, and they are no larger than the
// published greedy encoder's.
#include <gtest/gtest.h>

#include "lzhuf_encoder.h"
#include "reference_decoder.h"
#include "test_inputs.h"

using namespace codec_test;

namespace {

struct NamedInput {
    const char* name;
    Bytes bytes;
};

std::vector<NamedInput> round_trip_inputs() {
    Bytes sixty_runs;
    for (std::uint8_t b : {'a', 'b', 'c', 'a', 'z'}) {
        Bytes run = run_of(b, 60);
        sixty_runs.insert(sixty_runs.end(), run.begin(), run.end());
    }
    Bytes far_repeats = random_bytes(3000, 7);
    Bytes gap = random_bytes(1090, 8);
    far_repeats.insert(far_repeats.end(), gap.begin(), gap.end());
    far_repeats.insert(far_repeats.end(), far_repeats.begin(), far_repeats.begin() + 3000);
    Bytes spaces_then_text = run_of(' ', 300);
    Bytes text = english_text(2000, 3);
    spaces_then_text.insert(spaces_then_text.end(), text.begin(), text.end());
    return {
        {"empty", {}},
        {"one byte", {0x41}},
        {"two bytes", {0x20, 0x20}},
        {"run of one byte", run_of(0x00, 10000)},
        {"exact runs of 60", sixty_runs},
        {"random", random_bytes(20000, 1)},
        {"text", english_text(30000, 2)},
        {"leading spaces", spaces_then_text},
        {"far repeats across the ring's size", far_repeats},
        {"records rebuilding the tree", binary_records(12000, 4)},
    };
}

}  // namespace

TEST(Encoder, StreamsDecodeToTheirInput) {
    for (const NamedInput& input : round_trip_inputs()) {
        for (lzhuf::Parsing parsing :
             {lzhuf::Parsing::greedy, lzhuf::Parsing::cost_guided, lzhuf::Parsing::smallest}) {
            SCOPED_TRACE(testing::Message() << input.name << ", parsing " << int(parsing));
            Bytes stream = lzhuf::encode(input.bytes, parsing);
            EXPECT_EQ(reference::decode(stream, input.bytes.size()), input.bytes);
        }
    }
}

TEST(Encoder, CostGuidedParsingBeatsGreedyOnTextAndRecords) {
    for (const Bytes& input : {english_text(30000, 2), binary_records(12000, 4)}) {
        EXPECT_LT(lzhuf::encode(input, lzhuf::Parsing::cost_guided).size(),
                  lzhuf::encode(input, lzhuf::Parsing::greedy).size());
    }
}

TEST(Encoder, NoLargerThanThePublishedEncoderOnTheSharedVectors) {
    auto folder = vector_folder();
    if (!folder) GTEST_SKIP() << "no shared vectors beside this checkout";
    for (const char* name : {"leading-spaces", "long-run", "three-blocks", "records"}) {
        SCOPED_TRACE(name);
        auto original = read_file(*folder / (std::string(name) + ".bin"));
        auto published = read_file(*folder / (std::string(name) + ".lzh"));
        ASSERT_TRUE(original && published);
        ASSERT_EQ(reference::decode(*published, original->size()), *original);
        Bytes ours = lzhuf::encode(*original);
        EXPECT_LE(ours.size(), published->size());
        EXPECT_EQ(reference::decode(ours, original->size()), *original);
    }
}
