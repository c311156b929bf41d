// COM apartments, object creation through the class table and reference counting.
#include <gtest/gtest.h>

#include <thread>

#include <objbase.h>
#include <shlobj.h>

namespace {

// Leaves the thread's apartment closed, whatever the test left open.
void close_apartment() {
    for (int i = 0; i < 16; ++i) CoUninitialize();
}

TEST(ComApartment, FirstInitialisationIsOkLaterOnesAreFalseAndEachNeedsItsUninitialise) {
    close_apartment();
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);

    IShellLinkA* link = nullptr;
    CoUninitialize();
    CoUninitialize();
    // One level is still open.
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                               reinterpret_cast<void**>(&link)), S_OK);
    link->Release();

    CoUninitialize();
    link = reinterpret_cast<IShellLinkA*>(0x1);
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                               reinterpret_cast<void**>(&link)), CO_E_NOTINITIALIZED);
    EXPECT_EQ(link, nullptr);

    // A surplus uninitialise is ignored: the next initialisation opens the apartment again.
    CoUninitialize();
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    close_apartment();
}

TEST(ComApartment, EachThreadHasItsOwnApartment) {
    close_apartment();
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    HRESULT other_first = E_FAIL, other_create = S_OK;
    std::thread other([&] {
        void* object = nullptr;
        other_create = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IShellLinkA, &object);
        other_first = CoInitialize(nullptr);
        CoUninitialize();
    });
    other.join();
    EXPECT_EQ(other_create, CO_E_NOTINITIALIZED);
    EXPECT_EQ(other_first, S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    close_apartment();
}

TEST(ComApartment, ReservedArgumentMustBeNull) {
    close_apartment();
    int reserved = 0;
    EXPECT_EQ(CoInitialize(&reserved), E_INVALIDARG);
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &object),
              CO_E_NOTINITIALIZED);
}

class ComObjects : public ::testing::Test {
protected:
    void SetUp() override {
        close_apartment();
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
    }
    void TearDown() override { close_apartment(); }
};

TEST_F(ComObjects, CreationFailuresLeaveNoObject) {
    const CLSID unknown_class = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    const IID unknown_interface = {0x87654321, 0x4321, 0x4321, {8, 7, 6, 5, 4, 3, 2, 1}};
    struct Case {
        const char* what;
        const CLSID* clsid;
        bool with_outer;
        DWORD context;
        const IID* iid;
        HRESULT expected;
    } cases[] = {
        {"class not in the table", &unknown_class, false, CLSCTX_INPROC_SERVER, &IID_IShellLinkA, REGDB_E_CLASSNOTREG},
        {"no in-process context", &CLSID_ShellLink, false, CLSCTX_LOCAL_SERVER, &IID_IShellLinkA, REGDB_E_CLASSNOTREG},
        {"interface the link lacks", &CLSID_ShellLink, false, CLSCTX_INPROC_SERVER, &unknown_interface, E_NOINTERFACE},
        {"malloc is no link interface", &CLSID_ShellLink, false, CLSCTX_INPROC_SERVER, &IID_IMalloc, E_NOINTERFACE},
        {"aggregation", &CLSID_ShellLink, true, CLSCTX_INPROC_SERVER, &IID_IUnknown, CLASS_E_NOAGGREGATION},
    };
    for (const Case& c : cases) {
        void* object = reinterpret_cast<void*>(0x1);
        IUnknown* outer = nullptr;
        IShellLinkA* owner = nullptr;
        if (c.with_outer) {
            ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_ALL, IID_IUnknown,
                                       reinterpret_cast<void**>(&owner)), S_OK);
            outer = owner;
        }
        EXPECT_EQ(CoCreateInstance(*c.clsid, outer, c.context, *c.iid, &object), c.expected) << c.what;
        EXPECT_EQ(object, nullptr) << c.what;
        if (owner) owner->Release();
    }
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, nullptr),
              E_POINTER);
}

TEST_F(ComObjects, InterfacesShareOneIdentityAndOneReferenceCount) {
    IShellLinkA* link = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                               reinterpret_cast<void**>(&link)), S_OK);
    ASSERT_NE(link, nullptr);

    IPersistFile* file = nullptr;
    ASSERT_EQ(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), S_OK);
    ASSERT_NE(file, nullptr);
    EXPECT_NE(static_cast<void*>(file), static_cast<void*>(link));

    // IUnknown asked through either interface is the same pointer.
    IUnknown* from_link = nullptr;
    IUnknown* from_file = nullptr;
    ASSERT_EQ(link->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&from_link)), S_OK);
    ASSERT_EQ(file->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&from_file)), S_OK);
    EXPECT_EQ(from_link, from_file);
    IShellLinkA* back = nullptr;
    ASSERT_EQ(file->QueryInterface(IID_IShellLinkA, reinterpret_cast<void**>(&back)), S_OK);
    EXPECT_EQ(back, link);

    void* nothing = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(link->QueryInterface(IID_IMalloc, &nothing), E_NOINTERFACE);
    EXPECT_EQ(nothing, nullptr);

    CLSID clsid{};
    EXPECT_EQ(file->GetClassID(&clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_ShellLink));

    // Five references now: creation and the four successful queries.
    EXPECT_EQ(link->AddRef(), 6u);
    EXPECT_EQ(link->Release(), 5u);
    EXPECT_EQ(back->Release(), 4u);
    EXPECT_EQ(from_file->Release(), 3u);
    EXPECT_EQ(from_link->Release(), 2u);
    EXPECT_EQ(file->Release(), 1u);
    EXPECT_EQ(link->Release(), 0u);
}

TEST(TaskAllocator, ShellAllocatorFreesWhatTheTaskAllocatorGave) {
    IMalloc* malloc = nullptr;
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    ASSERT_NE(malloc, nullptr);
    void* block = CoTaskMemAlloc(40);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(malloc->DidAlloc(block), 1);
    EXPECT_EQ(malloc->GetSize(block), 40u);
    block = malloc->Realloc(block, 100);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(malloc->GetSize(block), 100u);
    malloc->Free(block);
    EXPECT_EQ(malloc->DidAlloc(block), 0);
    int not_ours = 0;
    EXPECT_EQ(malloc->DidAlloc(&not_ours), 0);
    malloc->Free(&not_ours);  // ignored, not a crash
    CoTaskMemFree(nullptr);
    malloc->Release();
}

}  // namespace
