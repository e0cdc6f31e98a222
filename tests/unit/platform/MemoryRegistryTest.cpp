// The in-memory registry of native runs behaves like the real one where the program relies
// on it: names without case, keys with their sub-keys, strict types, safe string decoding.
#include <gtest/gtest.h>

#include "platform/RegistryText.h"
#include "platform/posix/MemoryRegistry.h"

namespace orv::platform {
namespace {

using posix::MemoryRegistry;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

std::vector<uint8_t> Bytes(std::initializer_list<int> b) {
    std::vector<uint8_t> v;
    for (int x : b) v.push_back(static_cast<uint8_t>(x));
    return v;
}

TEST(RegistryText, StringBytesAreDecodedWithinTheirSize) {
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        std::u16string text;
    } cases[] = {
        {"terminated", Bytes({'a', 0, 'b', 0, 'c', 0, 0, 0}), u"abc"},
        {"no terminator", Bytes({'a', 0, 'b', 0, 'c', 0}), u"abc"},
        {"odd size", Bytes({'a', 0, 'b', 0, 'c', 0, 'd'}), u"abc"},
        {"one byte", Bytes({'a'}), u""},
        {"empty", {}, u""},
        {"stops at the first zero", Bytes({'a', 0, 0, 0, 'b', 0}), u"a"},
        {"non-ASCII unit", Bytes({0xE4, 0x00, 0xAC, 0x20}), u"\u00E4\u20AC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RegStringFromBytes(c.bytes.data(), c.bytes.size()), c.text);
    }
    EXPECT_EQ(RegBytesFromString(u"ab"), Bytes({'a', 0, 'b', 0, 0, 0}));
    EXPECT_TRUE(RegBytesFromString(u"").empty());
}

TEST(MemoryRegistry, ValuesRoundTripWithStrictTypes) {
    MemoryRegistry r;
    ASSERT_TRUE(r.WriteString(HKLM, u"Software\\T", u"Text", u"hello"));
    ASSERT_TRUE(r.WriteInteger(HKLM, u"Software\\T", u"Number", 0xDEADBEEF));
    ASSERT_TRUE(r.WriteString(HKLM, u"Software\\T", u"Empty", u""));
    std::u16string s;
    uint32_t n = 0;
    EXPECT_TRUE(r.ReadString(HKLM, u"SOFTWARE\\t", u"TEXT", s));
    EXPECT_EQ(s, u"hello");
    EXPECT_TRUE(r.ReadInteger(HKLM, u"software\\T", u"number", n));
    EXPECT_EQ(n, 0xDEADBEEFu);
    s.assign(3, u'x');  // must be overwritten
    EXPECT_TRUE(r.ReadString(HKLM, u"Software\\T", u"Empty", s));
    EXPECT_EQ(s, u"");
    EXPECT_TRUE(r.ValueExists(HKLM, u"Software\\T", u"Empty"));
    // Types do not convert into one another.
    EXPECT_FALSE(r.ReadString(HKLM, u"Software\\T", u"Number", s));
    EXPECT_FALSE(r.ReadInteger(HKLM, u"Software\\T", u"Text", n));
    r.Put(HKLM, u"Software\\T", u"Bin", {kRegBinary, Bytes({1, 0, 0, 0})});
    r.Put(HKLM, u"Software\\T", u"Short", {kRegDword, Bytes({1, 0, 0})});
    r.Put(HKLM, u"Software\\T", u"Expand", {kRegExpandSz, Bytes({'%', 0, 'X', 0, '%', 0})});
    EXPECT_FALSE(r.ReadInteger(HKLM, u"Software\\T", u"Bin", n));
    EXPECT_FALSE(r.ReadInteger(HKLM, u"Software\\T", u"Short", n));
    EXPECT_TRUE(r.ReadString(HKLM, u"Software\\T", u"Expand", s));
    EXPECT_EQ(s, u"%X%");
    // Roots are separate.
    EXPECT_FALSE(r.ValueExists(RegRoot::CurrentUser, u"Software\\T", u"Text"));
    EXPECT_TRUE(r.DeleteValue(HKLM, u"Software\\T", u"text"));
    EXPECT_FALSE(r.DeleteValue(HKLM, u"Software\\T", u"text"));
    EXPECT_FALSE(r.ValueExists(HKLM, u"Software\\T", u"Text"));
}

TEST(MemoryRegistry, KeysExistWithTheirSubKeysAndAreDeletedAsATree) {
    MemoryRegistry r;
    r.WriteInteger(HKLM, u"Software\\A\\B\\C", u"v", 1);
    r.WriteInteger(HKLM, u"Software\\A B", u"v", 1);
    r.WriteInteger(HKLM, u"Software\\AB", u"v", 1);
    const struct {
        std::u16string_view key;
        bool exists;
    } before[] = {
        {u"Software", true},           {u"Software\\A", true},     {u"software\\a\\b", true},
        {u"\\Software\\A\\B\\", true}, {u"Software\\\\A", true},   {u"Software\\A\\B\\C\\D", false},
        {u"Software\\B", false},       {u"Software\\A\\C", false},
    };
    for (const auto& c : before) {
        SCOPED_TRACE(std::string(c.key.begin(), c.key.end()));
        EXPECT_EQ(r.KeyExists(HKLM, c.key), c.exists);
    }
    EXPECT_TRUE(r.DeleteKey(HKLM, u"SOFTWARE\\a"));
    EXPECT_FALSE(r.KeyExists(HKLM, u"Software\\A"));
    EXPECT_FALSE(r.KeyExists(HKLM, u"Software\\A\\B\\C"));
    // Neighbours whose names begin alike stay.
    EXPECT_TRUE(r.ValueExists(HKLM, u"Software\\A B", u"v"));
    EXPECT_TRUE(r.ValueExists(HKLM, u"Software\\AB", u"v"));
    EXPECT_FALSE(r.DeleteKey(HKLM, u"Software\\A"));
}

TEST(MemoryRegistry, DeletingTheRootIsRefused) {
    MemoryRegistry r;
    r.WriteInteger(HKLM, u"Software\\Keep", u"v", 1);
    for (std::u16string_view key : {u"", u"\\", u"\\\\"}) {
        EXPECT_FALSE(r.DeleteKey(HKLM, key));
    }
    EXPECT_TRUE(r.ValueExists(HKLM, u"Software\\Keep", u"v"));
}

}  // namespace
}  // namespace orv::platform
