#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "kernel/resources.h"
#include "winsim/resource_table.h"

namespace {

const unsigned char kPayload[] = {1, 2, 3, 4, 5};
const unsigned char kBitmap[] = {'B', 'M'};
const unsigned char kDialog[] = {9};
const unsigned char kGroup[] = {7, 7};

const winsim::Resource kItems[] = {
    {{10, nullptr}, {0, "SWEEP_EXE"}, kPayload, sizeof kPayload},
    {{2, nullptr}, {200, nullptr}, kBitmap, sizeof kBitmap},
    {{5, nullptr}, {1001, nullptr}, kDialog, sizeof kDialog},
    {{14, nullptr}, {100, nullptr}, kGroup, sizeof kGroup},
    {{3, nullptr}, {1, nullptr}, nullptr, 0},
    {{0, "LICENSE"}, {0, "TEXT"}, kDialog, sizeof kDialog},
};

class ModuleResources : public ::testing::Test {
protected:
    void SetUp() override { winsim::register_module_resources({kItems, std::size(kItems)}); }
    void TearDown() override { winsim::register_module_resources({nullptr, 0}); }
};

}  // namespace

TEST_F(ModuleResources, FindsByIdAndByNameWithoutCase) {
    HMODULE self = GetModuleHandleA(nullptr);
    ASSERT_NE(self, nullptr);
    struct Case { LPCSTR name; LPCSTR type; const unsigned char* data; DWORD size; };
    const Case cases[] = {
        {"sweep_exe", RT_RCDATA, kPayload, sizeof kPayload},
        {"Sweep_Exe", RT_RCDATA, kPayload, sizeof kPayload},
        {MAKEINTRESOURCE(200), RT_BITMAP, kBitmap, sizeof kBitmap},
        {"#1001", RT_DIALOG, kDialog, sizeof kDialog},
        {MAKEINTRESOURCE(100), RT_GROUP_ICON, kGroup, sizeof kGroup},
        {"text", "license", kDialog, sizeof kDialog},
    };
    for (const Case& k : cases) {
        HRSRC found = FindResourceA(self, k.name, k.type);
        ASSERT_NE(found, nullptr);
        HGLOBAL loaded = LoadResource(self, found);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(LockResource(loaded), k.data);
        EXPECT_EQ(SizeofResource(nullptr, found), k.size);
    }
    // An empty resource still loads, to no bytes.
    HRSRC empty = FindResourceA(nullptr, MAKEINTRESOURCE(1), RT_ICON);
    ASSERT_NE(empty, nullptr);
    EXPECT_NE(LoadResource(nullptr, empty), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, empty), 0u);

    auto bytes = winsim::kernel::find_resource(RT_BITMAP, MAKEINTRESOURCE(200));
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 2u);
    EXPECT_EQ((*bytes)[0], 'B');
}

TEST_F(ModuleResources, TellsAMissingTypeFromAMissingName) {
    struct Case { LPCSTR name; LPCSTR type; DWORD error; };
    const Case cases[] = {
        {"SWEEP_EX", RT_RCDATA, ERROR_RESOURCE_NAME_NOT_FOUND},
        {MAKEINTRESOURCE(201), RT_BITMAP, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"#200", RT_RCDATA, ERROR_RESOURCE_NAME_NOT_FOUND},       // the id exists only as a bitmap
        {"SWEEP_EXE", MAKEINTRESOURCE(6), ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"TEXT", "LICENCE", ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"200", RT_BITMAP, ERROR_RESOURCE_NAME_NOT_FOUND},         // a name, not the id
    };
    for (const Case& k : cases) {
        SetLastError(0);
        EXPECT_EQ(FindResourceA(nullptr, k.name, k.type), nullptr);
        EXPECT_EQ(GetLastError(), k.error);
    }
    EXPECT_FALSE(winsim::kernel::find_resource(RT_RCDATA, "nothing"));
    EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(const_cast<unsigned char*>(kPayload))), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(GetModuleHandleA("other.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}
