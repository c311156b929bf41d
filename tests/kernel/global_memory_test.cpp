#include <gtest/gtest.h>

#include <windows.h>

TEST(GlobalMemory, MoveableBlocksCountTheirLocks) {
    HGLOBAL block = GlobalAlloc(GHND, 64);
    ASSERT_NE(block, nullptr);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_NE(static_cast<void*>(bytes), block);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(bytes[i], 0) << i;
    bytes[63] = 0xAB;
    EXPECT_EQ(GlobalLock(block), bytes);
    EXPECT_TRUE(GlobalUnlock(block));    // still locked once
    SetLastError(12345);
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), NO_ERROR);
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);
    EXPECT_EQ(static_cast<unsigned char*>(GlobalLock(block))[63], 0xAB);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(GlobalFree(block), block);
}

TEST(GlobalMemory, AFixedBlockIsItsOwnAddress) {
    HGLOBAL block = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, 16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_EQ(static_cast<unsigned char*>(block)[15], 0);
    EXPECT_TRUE(GlobalUnlock(block));
    EXPECT_EQ(GlobalFree(block), nullptr);
    HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GlobalLock(empty), nullptr);
    EXPECT_EQ(GlobalFree(empty), nullptr);
    EXPECT_EQ(GlobalAlloc(0x8000, 4), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}
