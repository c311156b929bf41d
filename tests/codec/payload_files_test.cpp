// The example build's product files go through the encoder and the installer's decoder
// unchanged, each to its exact size.
#include <gtest/gtest.h>

#include "core/payload_decoder.h"
#include "kernel/host_files.h"
#include "lzhuf_encoder.h"
#include "test_inputs.h"

using namespace codec_test;

TEST(PayloadFiles, EveryExampleFileCompressesAndDecodesBackExactly) {
    std::filesystem::path folder = std::filesystem::path(TARROWIN_SOURCE_DIR) / "resources" / "payload";
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no example payload files in this tree";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        ++files;
        std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        auto original = read_file(entry.path());
        ASSERT_TRUE(original);
        Bytes stream = lzhuf::encode(*original);

        Bytes decoded;
        HANDLE handle = winsim::kernel::open_memory_output(decoded);
        DecodePayload(NULL, stream.data(), DWORD(stream.size()), DWORD(original->size()), handle, NULL);
        CloseHandle(handle);
        EXPECT_EQ(decoded.size(), original->size());
        EXPECT_TRUE(decoded == *original);
        PayloadCheck check;
        GetPayloadCheck(&check);
        EXPECT_EQ(check.InputUsed, stream.size());
        EXPECT_EQ(check.InputLeftOver, 0u);
        EXPECT_EQ(check.InputMissing, 0u);

        if (entry.path().extension() == ".exe") {
            ASSERT_GE(decoded.size(), 2u);
            EXPECT_EQ(decoded[0], 'M');
            EXPECT_EQ(decoded[1], 'Z');
        }
    }
    EXPECT_EQ(files, 8);
}
