// The lzhuf command: round trip through files, and the exit codes and messages of its errors.
#include <stdlib.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <fstream>

#include "lzhuf_encoder.h"
#include "test_inputs.h"

using namespace codec_test;

namespace {

struct CommandResult {
    int exit_code;
    std::string errors;
};

class LzhufCommand : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "lzhuf-XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    std::string path(const char* name) const { return (dir_ / name).string(); }

    void write(const char* name, const Bytes& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    CommandResult run(const std::string& arguments) const {
        std::string errors = path("stderr.txt");
        std::string command = std::string(TARROWIN_BINARY_DIR) + "/bin/lzhuf " + arguments + " 2>" + errors;
        int status = std::system(command.c_str());
        auto text = read_file(errors);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text ? std::string(text->begin(), text->end()) : ""};
    }

    std::filesystem::path dir_;
};

}  // namespace

TEST_F(LzhufCommand, CompressesAndDecodesBack) {
    Bytes original = english_text(30000, 12);
    write("in.txt", original);
    CommandResult c = run("c " + path("in.txt") + " " + path("in.lzh"));
    ASSERT_EQ(c.exit_code, 0) << c.errors;
    EXPECT_EQ(read_file(path("in.lzh")), lzhuf::encode(original));
    CommandResult d = run("d " + path("in.lzh") + " " + path("out.txt") + " 30000");
    ASSERT_EQ(d.exit_code, 0) << d.errors;
    EXPECT_EQ(d.errors, "");
    EXPECT_EQ(read_file(path("out.txt")), original);
}

TEST_F(LzhufCommand, ReportsStreamsThatRunOutOrLeaveBytesOver) {
    Bytes original = english_text(30000, 13);
    Bytes stream = lzhuf::encode(original);
    write("short.lzh", Bytes(stream.begin(), stream.begin() + stream.size() / 2));
    Bytes longer = stream;
    longer.push_back(0);
    write("long.lzh", longer);

    CommandResult shorter = run("d " + path("short.lzh") + " " + path("short.txt") + " 30000");
    EXPECT_NE(shorter.exit_code, 0);
    EXPECT_NE(shorter.errors.find("ran out"), std::string::npos) << shorter.errors;
    auto written = read_file(path("short.txt"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->size(), 30000u);

    CommandResult left = run("d " + path("long.lzh") + " " + path("long.txt") + " 30000");
    EXPECT_NE(left.exit_code, 0);
    EXPECT_NE(left.errors.find("1 bytes left over"), std::string::npos) << left.errors;
    EXPECT_EQ(read_file(path("long.txt")), original);
}

TEST_F(LzhufCommand, RejectsBadArgumentsAndMissingFiles) {
    write("x.lzh", {1, 2, 3});
    for (const std::string& arguments :
         {std::string(""), std::string("x"), std::string("c onlyone"),
          "d " + path("x.lzh") + " " + path("o") + " -5",
          "d " + path("x.lzh") + " " + path("o") + " 4294967296",
          "d " + path("x.lzh") + " " + path("o") + " 12abc",
          "c " + path("absent") + " " + path("o"),
          "d " + path("absent") + " " + path("o") + " 10",
          "c " + path("x.lzh") + " " + path("no/such/folder/o")}) {
        SCOPED_TRACE(arguments);
        CommandResult r = run(arguments);
        EXPECT_NE(r.exit_code, 0);
        EXPECT_FALSE(r.errors.empty());
    }
}
