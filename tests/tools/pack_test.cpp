// tarrowin-pack: every broken manifest constraint stops it with a message naming the
// constraint; a sound description gives streams that decode to the files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "pack_error.h"
#include "product_pack.h"
#include "reference_decoder.h"

namespace {

struct EntryText {
    std::string file, flags, resource, shortcut, source;
};

std::vector<EntryText> sound_entries() {
    return {
        {"Remove.exe", "ENTRY_TO_WINDOWS_DIR | ENTRY_ALWAYS_WRITE", "UINSTALL", "Uninstall", "a.bin"},
        {"Update.exe", "0x11", "UPDATER", "Update", "b.bin"},
        {"Prog.exe", "0x11", "PROGRAM", "Prog", "a.bin"},
        {"Prog.hlp", "0x11", "HELPFILE", "Help", "b.bin"},
        {"ReadMe.txt", "ENTRY_IN_PROGRAM_DIR", "README", "Read Me", "a.bin"},
        {"Extra.dat", "0x11", "EXTRA", "-", "b.bin"},
    };
}

struct Description {
    std::map<std::string, std::string> product = {
        {"name", "Gadget"},
        {"version", "1.0"},
        {"tagline", "Small and handy"},
        {"publisher", "Example Works"},
        {"web_page", "http://www.example.example/"},
        {"file_timestamp", "2005-11-28 03:06:00.000"},
        {"file_count", "6"},
        {"shortcut_count", "5"},
        {"support_email", "help@example.example"},
        {"home_page", "http://www.example.example"},
    };
    std::vector<EntryText> entries = sound_entries();

    std::string text() const {
        std::string out = "; test product\n[product]\n";
        for (const auto& [key, value] : product) out += key + " = " + value + "\n";
        for (const EntryText& e : entries)
            out += "\n[entry]\nfile = " + e.file + "\nflags = " + e.flags + "\nresource = " + e.resource +
                   "\nshortcut = " + e.shortcut + "\nsource = " + e.source + "\n";
        return out;
    }
};

const std::string sources_a = "Hello, hello, hello: a small file that repeats itself, itself, itself.";
const std::string sources_b(3000, 'x');

pack::FileReader memory_reader(const std::string& ini) {
    return [ini](const std::string& path) -> std::optional<std::string> {
        if (path == "dir/product.ini") return ini;
        if (path == "dir/a.bin") return sources_a;
        if (path == "dir/b.bin") return sources_b;
        return std::nullopt;
    };
}

std::string pack_error(const Description& d) {
    try {
        pack::pack_product("dir/product.ini", memory_reader(d.text()));
    } catch (const pack::PackError& e) {
        return e.what();
    }
    return "(packed without error)";
}

TEST(PackConstraints, EachBrokenConstraintStopsThePackWithItsName) {
    struct Case {
        const char* what;
        std::function<void(Description&)> breaks;
        std::string message;  // a regular expression the whole message matches
    } cases[] = {
        {"product name of 20 characters", [](Description& d) { d.product["name"] = std::string(20, 'N'); },
         "dir/product.ini:\\d+: text too long for its field: ProductName .* has 20 characters; the field holds 19 .*"},
        {"version of 10 characters", [](Description& d) { d.product["version"] = "1.0.0.0.99"; },
         ".*: text too long for its field: ProductVersion .*"},
        {"tagline of 60 characters", [](Description& d) { d.product["tagline"] = std::string(60, 't'); },
         ".*: text too long for its field: Tagline .*"},
        {"publisher of 20 characters", [](Description& d) { d.product["publisher"] = std::string(20, 'p'); },
         ".*: text too long for its field: PublisherName .*"},
        {"web page of 60 characters", [](Description& d) { d.product["web_page"] = std::string(60, 'w'); },
         ".*: text too long for its field: WebPage .*"},
        {"file name of 24 characters", [](Description& d) { d.entries[1].file = std::string(20, 'f') + ".exe"; },
         ".*: text too long for its field: entry 1 FileName .*"},
        {"resource name of 16 characters", [](Description& d) { d.entries[2].resource = std::string(16, 'R'); },
         ".*: text too long for its field: entry 2 ResourceName .*"},
        {"shortcut name of 20 characters", [](Description& d) { d.entries[3].shortcut = std::string(20, 's'); },
         ".*: text too long for its field: entry 3 ShortcutName .*"},
        {"more shortcuts than files", [](Description& d) { d.product["shortcut_count"] = "6"; d.product["file_count"] = "5"; },
         ".*: shortcut count above file count: ShortcutCount 6 exceeds FileCount 5"},
        {"more files than entries", [](Description& d) { d.product["file_count"] = "7"; },
         ".*: file count above entries: FileCount 7 exceeds the 6 entries"},
        {"read-me left out", [](Description& d) { d.product["file_count"] = "4"; d.product["shortcut_count"] = "4"; },
         ".*: read-me entry not installed: FileCount 4 .*"},
        {"uninstaller in the program folder", [](Description& d) { d.entries[0].flags = "0x11"; },
         ".*: uninstaller not in the Windows folder: entry 0 \\(Remove.exe\\) .*"},
        {"read-me in the Windows folder", [](Description& d) { d.entries[4].flags = "ENTRY_TO_WINDOWS_DIR"; },
         ".*: read-me not in the program folder: entry 4 \\(ReadMe.txt\\) .*"},
        {"both folders", [](Description& d) { d.entries[2].flags = "0x13"; },
         ".*: destination not exactly one folder: entry 2 \\(Prog.exe\\) .*"},
        {"neither folder", [](Description& d) { d.entries[5].flags = "ENTRY_ALWAYS_WRITE"; },
         ".*: destination not exactly one folder: entry 5 \\(Extra.dat\\) .*"},
        {"resource named twice", [](Description& d) { d.entries[5].resource = "program"; },
         ".*: resource name used twice: entry 5 .*"},
        {"resource name with a space", [](Description& d) { d.entries[1].resource = "UP DATER"; },
         ".*: resource name not usable: entry 1 .*"},
        {"product name with a colon", [](Description& d) { d.product["name"] = "Gad:get"; },
         ".*: product name not a file name: ProductName \"Gad:get\" holds the character ':'.*"},
        {"product name of a device", [](Description& d) { d.product["name"] = "Aux"; },
         ".*: product name not a file name: .* is the name of a device.*"},
        {"product name ending in a dot", [](Description& d) { d.product["name"] = "Gadget."; },
         ".*: product name not a file name: .* ends with a space or a dot.*"},
        {"file name with a folder", [](Description& d) { d.entries[3].file = "help\\Prog.hlp"; },
         ".*: file name not a bare file name: entry 3 .*"},
        {"shortcut name with a slash", [](Description& d) { d.entries[4].shortcut = "Read/Me"; },
         ".*: shortcut name not a file name: entry 4 .*"},
        {"33 entries", [](Description& d) {
             for (int i = 0; i < 27; ++i) d.entries.push_back({"F" + std::to_string(i), "1", "R" + std::to_string(i), "-", "a.bin"});
         },
         ".*: too many entries: 33 entries; the record has room for 32"},
        {"a date that does not exist", [](Description& d) { d.product["file_timestamp"] = "2005-02-29 03:06:00"; },
         ".*: timestamp not a valid time: .*"},
        {"missing source", [](Description& d) { d.entries[2].source = "none.bin"; },
         ".*: payload source unreadable: entry 2 \\(Prog.exe\\) reads 'dir/none.bin'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Description d;
        c.breaks(d);
        const std::string message = pack_error(d);
        EXPECT_TRUE(std::regex_match(message, std::regex(c.message))) << message;
    }
}

TEST(PackConstraints, ShortcutNamesPastTheShortcutCountAreNeverChecked) {
    Description d;
    d.entries[5].shortcut = "a/b:c";  // entry 5 gets no shortcut
    EXPECT_EQ(pack_error(d), "(packed without error)");
}

TEST(PackDescription, MalformedLinesNameTheirLine) {
    const struct {
        std::string ini;
        std::string message;
    } cases[] = {
        {"[product]\nname = A\ncolour = red\n", "dir/product.ini:3: unknown key 'colour' in [product]"},
        {"[product]\nname = A\nname = B\n", "dir/product.ini:3: 'name' is given twice"},
        {"name = A\n", "dir/product.ini:1: 'name' stands before any section"},
        {"[product]\n[extra]\n", "dir/product.ini:2: unknown section [extra]"},
        {"[product]\nname = A\n\n[entry]\nfile = x\n", "dir/product.ini:4: [entry] lacks 'flags'"},
        {"[product]\nname = A\n", "dir/product.ini:2: [product] lacks 'version'"},
        {"[product]\nfile_count = six\n", "dir/product.ini:2: file_count is not a number: 'six'"},
        {"[entry]\nflags = ENTRY_SOMEWHERE\n", "dir/product.ini:2: flags is not a number: 'ENTRY_SOMEWHERE'"},
        {"[product]\nname = \xe2\x82\xac\xe2\x98\x83\n", "dir/product.ini:2: the text holds a character that Windows-1252 cannot represent"},
    };
    for (const auto& c : cases) {
        try {
            pack::pack_product("dir/product.ini", memory_reader(c.ini));
            ADD_FAILURE() << "packed: " << c.ini;
        } catch (const pack::PackError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
}

TEST(PackOutput, StreamsDecodeToTheirSourcesAndTheScriptNamesThem) {
    Description d;
    d.product["name"] = "Caf\xc3\xa9";  // UTF-8 in the description, Windows-1252 in the record
    pack::PackOutput out = pack::pack_product("dir/product.ini", memory_reader(d.text()));
    const std::string& manifest = out.files.at(pack::MANIFEST_SOURCE);
    EXPECT_NE(manifest.find("    \"Caf\\351\",\n"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("{2005, 11, 1, 28, 3, 6, 0, 0}"), std::string::npos);  // 28 Nov 2005 is a Monday
    std::string script = out.files.at(pack::PAYLOADS_SCRIPT);
    for (std::size_t i = 0; i < d.entries.size(); ++i) {
        const EntryText& e = d.entries[i];
        SCOPED_TRACE(e.resource);
        EXPECT_NE(script.find("\"" + e.resource + "\" RCDATA \"" + e.resource + ".lzh\"\n"), std::string::npos);
        const std::string& stream = out.files.at(e.resource + ".lzh");
        const std::string& source = e.source == "a.bin" ? sources_a : sources_b;
        std::vector<std::uint8_t> decoded = reference::decode(
            std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(stream.data()), stream.size()),
            source.size());
        EXPECT_EQ(std::string(decoded.begin(), decoded.end()), source);
        const std::string row = "{\"" + e.file + "\", ";
        const std::string sizes = ", " + std::to_string(source.size()) + ", " + std::to_string(stream.size()) + "},";
        const std::size_t at = manifest.find(row);
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(manifest.substr(manifest.find('\n', at) - sizes.size(), sizes.size()), sizes);
    }
    EXPECT_NE(out.files.at(pack::PRODUCT_TEXTS_HEADER).find("#define PUBLISHER_SUPPORT_EMAIL \"help@example.example\""),
              std::string::npos);
}

TEST(PackCommand, ABrokenConstraintFailsTheCommand) {
    const std::string dir = TARROWIN_BINARY_DIR "/tests/pack_command";
    ASSERT_EQ(std::system(("rm -rf " + dir + " && mkdir -p " + dir).c_str()), 0);
    Description d;
    d.entries[0].flags = "ENTRY_IN_PROGRAM_DIR";
    for (const char* name : {"a.bin", "b.bin"}) std::ofstream(dir + "/" + name) << "data";
    std::ofstream(dir + "/product.ini") << d.text();
    const std::string command = TARROWIN_BINARY_DIR "/bin/tarrowin-pack " + dir + "/product.ini " + dir +
                                "/out 2>" + dir + "/err.txt";
    EXPECT_NE(std::system(command.c_str()), 0);
    std::ifstream err(dir + "/err.txt");
    std::stringstream text;
    text << err.rdbuf();
    EXPECT_NE(text.str().find("uninstaller not in the Windows folder"), std::string::npos) << text.str();
    EXPECT_FALSE(std::ifstream(dir + "/out/manifest.cpp").good());
}

}  // namespace
