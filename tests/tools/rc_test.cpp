// The resource compiler: templates, bitmaps, icons and data as the program reads them
// back, and faults reported with their file and line.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "script_compiler.h"
#include "template_reader.h"
#include "winsim/resource_table.h"

namespace winsim {
// Stands in for the kernel here: the generated sample table registers itself through it.
ResourceTable registered_table{nullptr, 0};
void register_module_resources(const ResourceTable& table) { registered_table = table; }
}  // namespace winsim

namespace {

const std::string fixtures = TARROWIN_SOURCE_DIR "/tests/tools/fixtures/";

std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const winsim::Resource* find(std::uint16_t type, std::uint16_t id, const char* name = nullptr) {
    const winsim::ResourceTable& t = winsim::registered_table;
    for (std::size_t i = 0; i < t.count; ++i) {
        const winsim::Resource& r = t.items[i];
        if (r.type.text || r.type.id != type) continue;
        if (name ? (r.name.text && std::string(r.name.text) == name) : (!r.name.text && r.name.id == id))
            return &r;
    }
    return nullptr;
}

std::string bytes_of(const winsim::Resource& r) { return std::string(reinterpret_cast<const char*>(r.data), r.size); }

TEST(RcTable, RegistersEveryResourceOfTheScriptBeforeMain) {
    ASSERT_NE(winsim::registered_table.items, nullptr);
    // dialog, bitmap, two icon images, their group, the data
    EXPECT_EQ(winsim::registered_table.count, 6u);
    EXPECT_NE(find(rc::TYPE_DIALOG, 1001), nullptr);
    EXPECT_NE(find(rc::TYPE_BITMAP, 200), nullptr);
    EXPECT_NE(find(rc::TYPE_GROUP_ICON, 100), nullptr);
    EXPECT_NE(find(rc::TYPE_RCDATA, 0, "LICENSE"), nullptr);  // the name is stored in upper case
    EXPECT_EQ(find(rc::TYPE_RCDATA, 0, "license"), nullptr);
}

TEST(RcTable, DialogHeaderHoldsStyleGeometryClassCaptionAndFont) {
    const winsim::Resource* dialog = find(rc::TYPE_DIALOG, 1001);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(dialog->data) % 4, 0u);
    TemplateReader r{dialog->data, dialog->size};
    // WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK
    EXPECT_EQ(r.dword(), 0x90C000C4u);
    EXPECT_EQ(r.dword(), 0u);
    EXPECT_EQ(r.word(), 9);
    EXPECT_EQ(r.shorts(), 20);
    EXPECT_EQ(r.shorts(), 20);
    EXPECT_EQ(r.shorts(), 168);
    EXPECT_EQ(r.shorts(), 105);
    EXPECT_EQ(r.name_or_ordinal(), u"");            // no menu
    EXPECT_EQ(r.name_or_ordinal(), u"InstallDlg");  // class
    EXPECT_EQ(r.wide(), u"Caf\u00e9 %s");           // Windows-1252 0xE9 as UTF-16
    EXPECT_EQ(r.word(), 8);
    EXPECT_EQ(r.wide(), u"MS Sans Serif");
}

struct ExpectedItem {
    std::uint32_t style;
    std::uint16_t id;
    std::int16_t x, y, cx, cy;
    std::u16string window_class;
    std::u16string text;
};

TEST(RcTable, DialogItemsAreAlignedAndCarryTheirStylesClassesAndTexts) {
    const ExpectedItem expected[] = {
        // ICON: SS_ICON with the disabled style given, text an ordinal, id -1 as 0xFFFF
        {0x58000003, 0xFFFF, 5, 5, 20, 20, u"#130", u"#100"},
        // CTEXT: SS_CENTER | WS_GROUP
        {0x50020001, 0xFFFF, 33, 6, 122, 20, u"#130", u"Line one\r\nLine two"},
        // a bitmap static names its picture by number
        {0x5000120E, 0xFFFF, 4, 4, 83, 105, u"#130", u"#200"},
        // EDITTEXT: NOT removes the default border, the tab stop stays
        {0x50010080, 300, 93, 21, 134, 12, u"#129", u""},
        // LISTBOX: LBS_NOTIFY | WS_BORDER by default; NOT of a bit never set is harmless
        {0x50A00003, 301, 93, 34, 134, 75, u"#131", u""},
        // COMBOBOX: the given type replaces the default simple type
        {0x50010002, 500, 93, 22, 134, 87, u"#133", u""},
        {0x50800000, 601, 5, 30, 190, 9, u"msctls_progress32", u""},
        {0x50010000, 1, 31, 85, 50, 14, u"#128", u"Continue"},
        {0x50010001, 2, 86, 85, 50, 14, u"#128", u"Cancel"},
    };
    const winsim::Resource* dialog = find(rc::TYPE_DIALOG, 1001);
    ASSERT_NE(dialog, nullptr);
    TemplateReader r{dialog->data, dialog->size};
    r.pos = 18;
    r.name_or_ordinal();
    r.name_or_ordinal();
    r.wide();
    r.word();
    r.wide();
    for (const ExpectedItem& e : expected) {
        SCOPED_TRACE(std::string(e.text.begin(), e.text.end()));
        r.align(4);
        EXPECT_EQ(r.dword(), e.style);
        EXPECT_EQ(r.dword(), 0u);
        EXPECT_EQ(r.shorts(), e.x);
        EXPECT_EQ(r.shorts(), e.y);
        EXPECT_EQ(r.shorts(), e.cx);
        EXPECT_EQ(r.shorts(), e.cy);
        EXPECT_EQ(r.word(), e.id);
        EXPECT_EQ(r.name_or_ordinal(), e.window_class);
        EXPECT_EQ(r.name_or_ordinal(), e.text);
        EXPECT_EQ(r.word(), 0);  // no creation data
    }
    EXPECT_EQ(r.pos, dialog->size);
}

TEST(RcTable, BitmapKeepsTheDibWithoutItsFileHeader) {
    const winsim::Resource* bitmap = find(rc::TYPE_BITMAP, 200);
    ASSERT_NE(bitmap, nullptr);
    const std::string file = file_bytes(fixtures + "tiny.bmp");
    EXPECT_EQ(bytes_of(*bitmap), file.substr(14));
    TemplateReader r{bitmap->data, bitmap->size};
    EXPECT_EQ(r.dword(), 40u);  // biSize comes first
}

TEST(RcTable, IconBecomesAGroupDirectoryOverItsImages) {
    const winsim::Resource* group = find(rc::TYPE_GROUP_ICON, 100);
    ASSERT_NE(group, nullptr);
    const std::string file = file_bytes(fixtures + "tiny.ico");
    TemplateReader r{group->data, group->size};
    EXPECT_EQ(r.word(), 0);
    EXPECT_EQ(r.word(), 1);
    ASSERT_EQ(r.word(), 2);
    const int sides[] = {4, 2};
    std::size_t file_offset = 6 + 2 * 16;
    for (int side : sides) {
        SCOPED_TRACE(side);
        EXPECT_EQ(r.data[r.pos], side);
        EXPECT_EQ(r.data[r.pos + 1], side);
        EXPECT_EQ(r.data[r.pos + 2], 16);
        r.pos += 4;
        EXPECT_EQ(r.word(), 1);  // planes and depth come from the image when the file has 0
        EXPECT_EQ(r.word(), 4);
        const std::uint32_t size = r.dword();
        const std::uint16_t id = r.word();
        const winsim::Resource* image = find(rc::TYPE_ICON, id);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->size, size);
        EXPECT_EQ(bytes_of(*image), file.substr(file_offset, size));
        file_offset += size;
    }
    EXPECT_EQ(r.pos, group->size);
}

TEST(RcTable, DataIsTheFileUnchanged) {
    const winsim::Resource* data = find(rc::TYPE_RCDATA, 0, "LICENSE");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(bytes_of(*data), file_bytes(fixtures + "fixture.h"));
}

// Scripts held in memory, so that each case shows its fault in a few lines.
rc::FileReader memory_files(std::map<std::string, std::string> files) {
    return [files](const std::string& path) -> std::optional<std::string> {
        auto found = files.find(path);
        if (found == files.end()) return std::nullopt;
        return found->second;
    };
}

std::string compile_error(const std::map<std::string, std::string>& files) {
    try {
        rc::compile_script("main.rc", {}, memory_files(files));
    } catch (const rc::CompileError& e) {
        return e.what();
    }
    return "(compiled without error)";
}

TEST(RcErrors, NameTheFileAndLineOfTheFault) {
    const std::string dialog_head = "1 DIALOG 0, 0, 10, 10\nBEGIN\n";
    struct Case {
        std::map<std::string, std::string> files;
        std::string message;
    } cases[] = {
        {{{"main.rc", dialog_head + "  LTEXT \"a\", 1, 0, 0, 5, 5, WS_CHILD | SS_NOSUCH\nEND\n"}},
         "main.rc:3: unknown name 'SS_NOSUCH'"},
        {{{"main.rc", dialog_head + "  PUSHBUTTON \"a\", 1 0, 0, 5, 5\nEND\n"}},
         "main.rc:3: expected ',' after the control's id, found '0'"},
        {{{"main.rc", "\n1 DIALOG 0, 0, 10, 10\nCAPTION \"open\n"}}, "main.rc:3: text without its closing quote"},
        {{{"main.rc", "// ids\n#include \"missing.h\"\n"}}, "main.rc:2: cannot find include file 'missing.h'"},
        {{{"main.rc", "#include \"ids.h\"\n"}, {"ids.h", "#define A 1\n#if A\n"}}, "ids.h:2: #if without #endif"},
        {{{"main.rc", "1 BITMAP \"none.bmp\"\n"}}, "main.rc:1: cannot find file 'none.bmp'"},
        {{{"main.rc", "\n\n5 BITMAP \"bad.bmp\"\n"}, {"bad.bmp", "not a bitmap at all, just text"}},
         "main.rc:3: bad.bmp: not a bitmap file"},
        {{{"main.rc", "2 ICON \"bad.ico\"\n"}, {"bad.ico", std::string("\0\0\1\0\2\0", 6)}},
         "main.rc:1: bad.ico: icon directory is cut short"},
        {{{"main.rc", "A RCDATA BEGIN 1 END\n\na rcdata begin 2 end\n"}},
         "main.rc:3: resource A of this type is already defined at main.rc:1"},
        {{{"main.rc", "1 MENU BEGIN END\n"}}, "main.rc:1: unsupported resource type 'MENU'"},
        {{{"main.rc", "\nSTRINGTABLE BEGIN 1, \"a\" END\n"}}, "main.rc:2: unsupported resource statement 'STRINGTABLE'"},
        {{{"main.rc", dialog_head + "  SLIDER 1, 0, 0, 5, 5\nEND\n"}}, "main.rc:3: unknown control statement 'SLIDER'"},
        {{{"main.rc", "1 DIALOG 0, 0, 40000, 10\n"}}, "main.rc:1: width 40000 is out of range"},
        {{{"main.rc", dialog_head + "  LTEXT \"a\", 70000, 0, 0, 5, 5\nEND\n"}},
         "main.rc:3: control id 70000 does not fit a dialog template"},
        {{{"main.rc", dialog_head + "  LTEXT \"a\", 1, 0, 0, 5, 5\n"}}, "main.rc:3: dialog without END"},
        {{{"main.rc", "1 DIALOG 0, 0, 1, 1\nSTYLE DS_SETFONT\nBEGIN\nEND\n"}},
         "main.rc:3: DS_SETFONT needs a FONT statement"},
        {{{"main.rc", "#define X\n#endif\n"}}, "main.rc:2: #endif without #if"},
        {{{"main.rc", "1 RCDATA BEGIN 1 \x01 END\n"}}, "main.rc:1: unexpected character '\\x01'"},
    };
    for (const Case& c : cases) EXPECT_EQ(compile_error(c.files), c.message);
}

TEST(RcPreprocessor, FollowsDefinesAndConditions) {
    const std::map<std::string, std::string> files = {
        {"main.rc",
         "#include \"ids.h\"\n"
         "#if defined(WIDE) && LEVEL > 2\n"
         "NAME RCDATA BEGIN \"yes\" END\n"
         "#else\n"
         "NAME RCDATA BEGIN \"no\" END\n"
         "#endif\n"
         "#ifndef UNDEFINED\n"
         "ID RCDATA { 0x4142, 7L, -1 }\n"
         "#endif\n"},
        {"ids.h", "#pragma once\n#define WIDE\n#define LEVEL (1 + 2)\n#define ID LEVEL * 2\nint ignored(void);\n"},
    };
    rc::CompiledScript script = rc::compile_script("main.rc", {}, memory_files(files));
    ASSERT_EQ(script.resources.size(), 2u);
    EXPECT_EQ(script.resources[0].name.text, "NAME");
    EXPECT_EQ(std::string(script.resources[0].data.begin(), script.resources[0].data.end()), "yes");
    EXPECT_EQ(script.resources[1].name.number, 6);
    const std::vector<std::uint8_t> data = {0x42, 0x41, 7, 0, 0, 0, 0xFF, 0xFF};
    EXPECT_EQ(script.resources[1].data, data);
    EXPECT_EQ(script.dependencies, (std::vector<std::string>{"main.rc", "ids.h"}));
}

TEST(RcDialogEx, UsesTheExtendedLayoutWithHelpIdsAndWideIds) {
    const std::map<std::string, std::string> files = {
        {"main.rc",
         "1 DIALOGEX 1, 2, 30, 40, 77\n"
         "STYLE DS_SETFONT | WS_POPUP\n"
         "EXSTYLE WS_EX_TOPMOST\n"
         "CAPTION \"X\"\n"
         "FONT 9, \"Arial\", 700, 1, 0\n"
         "BEGIN\n"
         "  CONTROL \"a\", 70000, \"Button\", BS_PUSHBUTTON, 1, 2, 3, 4, WS_EX_CLIENTEDGE, 55\n"
         "END\n"},
    };
    rc::CompiledScript script = rc::compile_script("main.rc", {}, memory_files(files));
    ASSERT_EQ(script.resources.size(), 1u);
    const std::vector<std::uint8_t>& bytes = script.resources[0].data;
    TemplateReader r{bytes.data(), bytes.size()};
    EXPECT_EQ(r.word(), 1);       // dlgVer
    EXPECT_EQ(r.word(), 0xFFFF);  // signature
    EXPECT_EQ(r.dword(), 77u);    // help id
    EXPECT_EQ(r.dword(), 0x8u);   // WS_EX_TOPMOST
    EXPECT_EQ(r.dword(), 0x80000040u);
    EXPECT_EQ(r.word(), 1);
    EXPECT_EQ(r.shorts(), 1);
    EXPECT_EQ(r.shorts(), 2);
    EXPECT_EQ(r.shorts(), 30);
    EXPECT_EQ(r.shorts(), 40);
    EXPECT_EQ(r.name_or_ordinal(), u"");
    EXPECT_EQ(r.name_or_ordinal(), u"");
    EXPECT_EQ(r.wide(), u"X");
    EXPECT_EQ(r.word(), 9);
    EXPECT_EQ(r.word(), 700);
    EXPECT_EQ(r.data[r.pos], 1);  // italic
    EXPECT_EQ(r.data[r.pos + 1], 0);  // character set
    r.pos += 2;
    EXPECT_EQ(r.wide(), u"Arial");
    r.align(4);
    EXPECT_EQ(r.dword(), 55u);     // the item's help id
    EXPECT_EQ(r.dword(), 0x200u);  // WS_EX_CLIENTEDGE
    EXPECT_EQ(r.dword(), 0x50000000u);
    r.pos += 8;
    EXPECT_EQ(r.dword(), 70000u);  // a 32-bit id
    EXPECT_EQ(r.name_or_ordinal(), u"#128");
    EXPECT_EQ(r.name_or_ordinal(), u"a");
    EXPECT_EQ(r.word(), 0);
    EXPECT_EQ(r.pos, bytes.size());
}

TEST(RcCommand, ExitsNonZeroWithTheFaultOnStandardError) {
    const std::string dir = TARROWIN_BINARY_DIR "/tests/rc_command";
    std::string make = "mkdir -p " + dir;
    ASSERT_EQ(std::system(make.c_str()), 0);
    std::ofstream(dir + "/broken.rc") << "1 DIALOG 0, 0, 10, 10\nSTYLE WS_NOPE\nBEGIN\nEND\n";
    const std::string command = TARROWIN_BINARY_DIR "/bin/rc -o " + dir + "/out.cpp " + dir + "/broken.rc 2>" + dir +
                                "/err.txt";
    const int status = std::system(command.c_str());
    EXPECT_NE(status, 0);
    EXPECT_EQ(file_bytes(dir + "/err.txt"), dir + "/broken.rc:2: unknown name 'WS_NOPE'\n");
    EXPECT_FALSE(std::ifstream(dir + "/out.cpp").good());
}

}  // namespace
