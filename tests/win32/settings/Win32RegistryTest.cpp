// The registry layer against Wine's real registry: what the layer writes is what the system's
// own API reads, and the 64-bit view flag reaches the system.
#include <windows.h>
#include <gtest/gtest.h>

#include "core/Text.h"
#include "settings/pell_REG.h"

namespace orv {
namespace {

// Reads a value through the system's own API, in the 64-bit view.
bool SystemRead(const std::wstring& key, const wchar_t* name, void* data, DWORD size, DWORD& type) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &h) !=
        ERROR_SUCCESS) {
        return false;
    }
    const LONG r = RegQueryValueExW(h, name, nullptr, &type, static_cast<BYTE*>(data), &size);
    RegCloseKey(h);
    return r == ERROR_SUCCESS;
}

std::u16string TestKey() { return u"SOFTWARE\\OrvellaTest\\Raw" + ToDecimal(GetCurrentProcessId()); }

TEST(Win32Registry, LayerValuesAreTheSystemsValues) {
    Reg_Configure(true, nullptr);  // a 32-bit process on 64-bit Windows would decide this
    const std::u16string key = TestKey();
    ASSERT_TRUE(Reg_WriteString(RegRoot::LocalMachine, key, u"Text", u"Gr\u00fc\u00dfe"));
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, key, u"Number", 1234));

    const std::wstring wkey(key.begin(), key.end());
    wchar_t text[32] = {};
    DWORD type = 0;
    ASSERT_TRUE(SystemRead(wkey, L"Text", text, sizeof text - sizeof(wchar_t), type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, L"Gr\u00fc\u00dfe");
    DWORD number = 0;
    ASSERT_TRUE(SystemRead(wkey, L"Number", &number, sizeof number, type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(number, 1234u);

    // A value written by someone else with a broken string: no terminator, odd length.
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, wkey.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &h),
              ERROR_SUCCESS);
    const BYTE broken[] = {'x', 0, 'y', 0, 'z'};
    ASSERT_EQ(RegSetValueExW(h, L"Broken", 0, REG_SZ, broken, sizeof broken), ERROR_SUCCESS);
    RegCloseKey(h);
    EXPECT_EQ(Reg_ReadString(RegRoot::LocalMachine, key, u"Broken"), u"xy");

    EXPECT_TRUE(Reg_DeleteKey(RegRoot::LocalMachine, u"SOFTWARE\\OrvellaTest"));
    EXPECT_FALSE(Reg_KeyExists(RegRoot::LocalMachine, key));
    Reg_Configure(false, nullptr);
}

}  // namespace
}  // namespace orv
