// The registry against Wine's real one: round trips, strict types, values written by others
// in odd shapes, and key trees.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/Registry.h"

namespace orv::platform {
namespace {

std::u16string U16(const std::wstring& s) {
    return std::u16string(s.begin(), s.end());
}

class Win32RegistryTest : public ::testing::TestWithParam<RegRoot> {
  protected:
    void SetUp() override {
        base_ = L"Software\\OrvellaRegistryTest" + std::to_wstring(GetCurrentProcessId());
        RegDeleteTreeW(Root(), base_.c_str());
    }
    void TearDown() override { RegDeleteTreeW(Root(), base_.c_str()); }

    HKEY Root() const {
        return GetParam() == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    }
    std::u16string Key(const std::wstring& sub = L"") const {
        return U16(sub.empty() ? base_ : base_ + L"\\" + sub);
    }
    // Stores bytes the way another program might have left them.
    void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY k = nullptr;
        ASSERT_EQ(RegCreateKeyExW(Root(), base_.c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(k, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(k);
    }
    // Size and type as the system sees them.
    bool RawQuery(const std::wstring& sub, const wchar_t* name, DWORD& type, DWORD& size) {
        HKEY k = nullptr;
        const std::wstring path = sub.empty() ? base_ : base_ + L"\\" + sub;
        if (RegOpenKeyExW(Root(), path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &k) !=
            ERROR_SUCCESS) {
            return false;
        }
        const bool ok = RegQueryValueExW(k, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
        RegCloseKey(k);
        return ok;
    }

    Registry& reg = DefaultRegistry();
    std::wstring base_;
};

TEST_P(Win32RegistryTest, StringsAndNumbersRoundTrip) {
    const RegRoot root = GetParam();
    const std::u16string text = u"Gr\u00F6\u00DFe \u20AC \U0001D11E";
    const std::u16string big(5000, u'x');
    ASSERT_TRUE(reg.WriteString(root, Key(L"Options"), u"Text", text));
    ASSERT_TRUE(reg.WriteString(root, Key(L"Options"), u"Big", big));
    ASSERT_TRUE(reg.WriteInteger(root, Key(L"Options"), u"Number", 0xFFFFFFFF));
    EXPECT_TRUE(reg.KeyExists(root, Key()));
    EXPECT_TRUE(reg.KeyExists(root, Key(L"Options")));
    EXPECT_FALSE(reg.KeyExists(root, Key(L"Missing")));

    std::u16string s;
    uint32_t n = 0;
    EXPECT_TRUE(reg.ReadString(root, Key(L"OPTIONS"), u"text", s));
    EXPECT_EQ(s, text);
    EXPECT_TRUE(reg.ReadString(root, Key(L"Options"), u"Big", s));
    EXPECT_EQ(s, big);
    EXPECT_TRUE(reg.ReadInteger(root, Key(L"Options"), u"Number", n));
    EXPECT_EQ(n, 0xFFFFFFFFu);

    // The string is stored with its terminator.
    DWORD type = 0, size = 0;
    ASSERT_TRUE(RawQuery(L"Options", L"Text", type, size));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, (text.size() + 1) * 2);

    EXPECT_TRUE(reg.DeleteValue(root, Key(L"Options"), u"Text"));
    EXPECT_FALSE(reg.DeleteValue(root, Key(L"Options"), u"Text"));
    EXPECT_FALSE(reg.ValueExists(root, Key(L"Options"), u"Text"));
    EXPECT_FALSE(reg.ReadString(root, Key(L"Options"), u"Text", s));
    EXPECT_FALSE(reg.DeleteValue(root, Key(L"Missing"), u"Text"));
}

TEST_P(Win32RegistryTest, EmptyStringIsAValueOfZeroBytes) {
    const RegRoot root = GetParam();
    ASSERT_TRUE(reg.WriteString(root, Key(), u"Empty", u""));
    DWORD type = 0, size = 99;
    ASSERT_TRUE(RawQuery(L"", L"Empty", type, size));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 0u);
    EXPECT_TRUE(reg.ValueExists(root, Key(), u"Empty"));
    std::u16string s = u"stale";
    EXPECT_TRUE(reg.ReadString(root, Key(), u"Empty", s));
    EXPECT_EQ(s, u"");
}

TEST_P(Win32RegistryTest, OddlyStoredStringsAreReadWithinTheirBytes) {
    const RegRoot root = GetParam();
    const struct {
        const wchar_t* name;
        DWORD type;
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {L"NoTerminator", REG_SZ, std::string("a\0b\0c\0", 6), u"abc"},
        {L"OddLength", REG_SZ, std::string("a\0b\0c\0d", 7), u"abc"},
        {L"OneByte", REG_SZ, std::string("a", 1), u""},
        {L"EmbeddedZero", REG_SZ, std::string("a\0\0\0b\0\0\0", 8), u"a"},
        {L"Expand", REG_EXPAND_SZ, std::string("%\0W\0%\0\0\0", 8), u"%W%"},
        {L"ExpandNoTerminator", REG_EXPAND_SZ, std::string("x\0y\0", 4), u"xy"},
    };
    for (const auto& c : cases) {
        PutRaw(c.name, c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size()));
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
        std::u16string s = u"stale";
        EXPECT_TRUE(reg.ReadString(root, Key(), U16(c.name), s));
        EXPECT_EQ(s, c.text);
    }
}

TEST_P(Win32RegistryTest, TypesDoNotConvert) {
    const RegRoot root = GetParam();
    const DWORD dword = 5;
    const uint64_t qword = 7;
    const wchar_t sz[] = L"5";
    PutRaw(L"Dword", REG_DWORD, &dword, 4);
    PutRaw(L"Qword", REG_QWORD, &qword, 8);
    PutRaw(L"Binary4", REG_BINARY, &dword, 4);
    PutRaw(L"Sz", REG_SZ, sz, sizeof sz);
    PutRaw(L"Multi", REG_MULTI_SZ, L"a\0b\0", 10);
    std::u16string s;
    uint32_t n = 0;
    EXPECT_FALSE(reg.ReadString(root, Key(), u"Dword", s));
    EXPECT_FALSE(reg.ReadString(root, Key(), u"Multi", s));
    EXPECT_FALSE(reg.ReadInteger(root, Key(), u"Qword", n));
    EXPECT_FALSE(reg.ReadInteger(root, Key(), u"Binary4", n));
    EXPECT_FALSE(reg.ReadInteger(root, Key(), u"Sz", n));
    EXPECT_TRUE(reg.ReadInteger(root, Key(), u"Dword", n));
    EXPECT_EQ(n, 5u);
    for (auto name : {u"Dword", u"Qword", u"Binary4", u"Sz", u"Multi"}) {
        EXPECT_TRUE(reg.ValueExists(root, Key(), name));
    }
}

TEST_P(Win32RegistryTest, DeleteKeyRemovesTheWholeTreeAndNothingBeside) {
    const RegRoot root = GetParam();
    ASSERT_TRUE(reg.WriteInteger(root, Key(L"A"), u"v", 1));
    ASSERT_TRUE(reg.WriteInteger(root, Key(L"A\\B\\C"), u"v", 1));
    ASSERT_TRUE(reg.WriteString(root, Key(L"A\\D"), u"v", u"x"));
    ASSERT_TRUE(reg.WriteInteger(root, Key(L"A B"), u"v", 1));
    EXPECT_TRUE(reg.DeleteKey(root, Key(L"a")));
    EXPECT_FALSE(reg.KeyExists(root, Key(L"A")));
    EXPECT_FALSE(reg.KeyExists(root, Key(L"A\\B\\C")));
    EXPECT_TRUE(reg.ValueExists(root, Key(L"A B"), u"v"));
    EXPECT_FALSE(reg.DeleteKey(root, Key(L"A")));
    EXPECT_TRUE(reg.KeyExists(root, Key()));
    // Trailing backslashes name the same key; the bare root is refused.
    ASSERT_TRUE(reg.WriteInteger(root, Key(L"E\\F"), u"v", 1));
    EXPECT_TRUE(reg.DeleteKey(root, Key(L"E\\")));
    EXPECT_FALSE(reg.KeyExists(root, Key(L"E")));
    EXPECT_FALSE(reg.DeleteKey(root, u""));
    EXPECT_FALSE(reg.DeleteKey(root, u"\\"));
    EXPECT_TRUE(reg.KeyExists(root, u"Software"));
}

INSTANTIATE_TEST_SUITE_P(Roots, Win32RegistryTest,
                         ::testing::Values(RegRoot::LocalMachine, RegRoot::CurrentUser),
                         [](const auto& info) {
                             return info.param == RegRoot::LocalMachine ? "HKLM" : "HKCU";
                         });

TEST(Win32Registry, ProgramValuesLandInThe64BitViewOfLocalMachine) {
    Registry& reg = DefaultRegistry();
    const std::wstring key = L"SOFTWARE\\OrvellaViewTest" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(reg.WriteInteger(RegRoot::LocalMachine, U16(key), u"v", 1));
    HKEY k = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &k),
              ERROR_SUCCESS);
    if (k != nullptr) RegCloseKey(k);
    k = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &k),
              ERROR_SUCCESS)
        << "the value must not be in the redirected 32-bit branch";
    if (k != nullptr) RegCloseKey(k);
    EXPECT_TRUE(reg.DeleteKey(RegRoot::LocalMachine, U16(key)));
}

}  // namespace
}  // namespace orv::platform
