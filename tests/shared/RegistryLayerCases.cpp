#include "RegistryLayerCases.h"

#include "core/Text.h"

namespace orv::testing {
namespace {

using platform::kRegBinary;
using platform::kRegDword;
using platform::kRegExpandSz;
using platform::kRegMultiSz;
using platform::kRegNone;
using platform::kRegQword;
using platform::kRegSz;

std::vector<uint8_t> Utf16Bytes(std::u16string_view s, bool terminator) {
    std::vector<uint8_t> b;
    for (char16_t c : s) {
        b.push_back(static_cast<uint8_t>(c));
        b.push_back(static_cast<uint8_t>(c >> 8));
    }
    if (terminator) b.insert(b.end(), {0, 0});
    return b;
}

struct ReadCase {
    const char* what;
    uint32_t type;
    std::vector<uint8_t> bytes;
    std::u16string asString;
    int32_t asInteger;
};

TEST_F(RegistryLayer, ReadConversionsPerTypeAndSize) {
    const std::u16string hundredBytes(50, u'x');
    const ReadCase cases[] = {
        {"sz", kRegSz, Utf16Bytes(u"Hello", true), u"Hello", 0},
        {"sz number", kRegSz, Utf16Bytes(u"42", true), u"42", 42},
        {"sz negative", kRegSz, Utf16Bytes(u"-7", true), u"-7", -7},
        {"sz not a number", kRegSz, Utf16Bytes(u"12a", true), u"12a", 0},
        {"sz too big for 32 bits", kRegSz, Utf16Bytes(u"4294967296", true), u"4294967296", 0},
        {"sz without terminator", kRegSz, Utf16Bytes(u"abc", false), u"abc", 0},
        {"sz odd byte length", kRegSz, {'a', 0, 'b', 0, 'c'}, u"ab", 0},
        {"sz single byte", kRegSz, {'1'}, u"", 0},
        {"sz empty", kRegSz, {}, u"", 0},
        {"expand sz", kRegExpandSz, Utf16Bytes(u"%TEMP%", true), u"%TEMP%", 0},
        {"multi sz as stored", kRegMultiSz, Utf16Bytes(std::u16string(u"a\0bc\0", 5), true),
         std::u16string(u"a\0bc\0", 5), 0},
        {"dword", kRegDword, {5, 0, 0, 0}, u"5", 5},
        {"dword all bits", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, u"4294967295", -1},
        {"dword of two bytes", kRegDword, {0x34, 0x12}, u"4660", 0x1234},
        {"dword of eight bytes", kRegDword, {1, 0, 0, 0, 0, 0, 0, 0}, u"", 0},
        {"qword", kRegQword, {1, 0, 0, 0, 1, 0, 0, 0}, u"4294967297", 1},
        {"qword all bits", kRegQword, std::vector<uint8_t>(8, 0xFF), u"18446744073709551615", -1},
        {"binary of four bytes", kRegBinary, {0x78, 0x56, 0x34, 0x12}, u"", 0x12345678},
        {"binary of 100 bytes", kRegBinary, Utf16Bytes(hundredBytes, false), u"", 0},
        {"none of one byte", kRegNone, {9}, u"", 9},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        Put(u"V", c.type, c.bytes);
        EXPECT_TRUE(Reg_ValueExists(RegRoot::LocalMachine, key_, u"V"));
        EXPECT_EQ(Reg_ReadString(RegRoot::LocalMachine, key_, u"V"), c.asString);
        EXPECT_EQ(Reg_ReadInteger(RegRoot::LocalMachine, key_, u"V"), c.asInteger);
    }
}

TEST_F(RegistryLayer, MissingKeyOrValueReadsAsEmptyAndZero) {
    EXPECT_FALSE(Reg_KeyExists(RegRoot::LocalMachine, key_));
    EXPECT_EQ(Reg_ReadString(RegRoot::LocalMachine, key_, u"V"), u"");
    EXPECT_EQ(Reg_ReadInteger(RegRoot::LocalMachine, key_, u"V"), 0);
    EXPECT_FALSE(Reg_ValueExists(RegRoot::LocalMachine, key_, u"V"));
    EXPECT_FALSE(Reg_DeleteValue(RegRoot::LocalMachine, key_, u"V"));
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, key_, u"Other", 1));
    EXPECT_TRUE(Reg_KeyExists(RegRoot::LocalMachine, key_));
    EXPECT_FALSE(Reg_ValueExists(RegRoot::LocalMachine, key_, u"V"));
}

TEST_F(RegistryLayer, WritesRoundTripAndCreateTheKey) {
    ASSERT_TRUE(Reg_WriteString(RegRoot::LocalMachine, key_ + u"\\Sub", u"Name",
                                u"Gr\u00f6\u00dfe \u6587\u4ef6"));
    EXPECT_EQ(Reg_ReadString(RegRoot::LocalMachine, key_ + u"\\Sub", u"Name"),
              u"Gr\u00f6\u00dfe \u6587\u4ef6");
    // Value names ignore case, as the system's do.
    EXPECT_EQ(Reg_ReadString(RegRoot::LocalMachine, key_ + u"\\SUB", u"name"),
              u"Gr\u00f6\u00dfe \u6587\u4ef6");
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, key_, u"N", -2));
    EXPECT_EQ(Reg_ReadInteger(RegRoot::LocalMachine, key_, u"N"), -2);
    EXPECT_EQ(Reg_ReadString(RegRoot::LocalMachine, key_, u"N"), u"4294967294");
    EXPECT_TRUE(Reg_DeleteValue(RegRoot::LocalMachine, key_, u"N"));
    EXPECT_FALSE(Reg_ValueExists(RegRoot::LocalMachine, key_, u"N"));
}

TEST_F(RegistryLayer, EmptyTextIsAPresentValueOfZeroBytes) {
    ASSERT_TRUE(Reg_WriteString(RegRoot::LocalMachine, key_, u"E", u"something"));
    ASSERT_TRUE(Reg_WriteString(RegRoot::LocalMachine, key_, u"E", u""));
    platform::RegValue raw;
    ASSERT_TRUE(RegistryTestBackend().QueryValue(RegRoot::LocalMachine, key_, u"E", 0, raw));
    EXPECT_EQ(raw.type, kRegSz);
    EXPECT_TRUE(raw.data.empty());
    EXPECT_TRUE(Reg_ValueExists(RegRoot::LocalMachine, key_, u"E"));
    EXPECT_EQ(Reg_ReadString(RegRoot::LocalMachine, key_, u"E"), u"");
}

TEST_F(RegistryLayer, WrittenStringCarriesItsTerminator) {
    ASSERT_TRUE(Reg_WriteString(RegRoot::LocalMachine, key_, u"S", u"ab"));
    platform::RegValue raw;
    ASSERT_TRUE(RegistryTestBackend().QueryValue(RegRoot::LocalMachine, key_, u"S", 0, raw));
    EXPECT_EQ(raw.type, kRegSz);
    EXPECT_EQ(raw.data, (std::vector<uint8_t>{'a', 0, 'b', 0, 0, 0}));
}

TEST_F(RegistryLayer, DeleteKeyRemovesTheWholeTree) {
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, key_, u"A", 1));
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, key_ + u"\\One", u"B", 1));
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, key_ + u"\\One\\Two\\Three", u"C", 1));
    ASSERT_TRUE(Reg_WriteString(RegRoot::LocalMachine, key_ + u"\\Other", u"D", u"x"));
    EXPECT_TRUE(Reg_DeleteKey(RegRoot::LocalMachine, key_));
    EXPECT_FALSE(Reg_KeyExists(RegRoot::LocalMachine, key_));
    EXPECT_FALSE(Reg_KeyExists(RegRoot::LocalMachine, key_ + u"\\One\\Two"));
    EXPECT_FALSE(Reg_KeyExists(RegRoot::LocalMachine, key_ + u"\\Other"));
    // A key that is not there counts as gone.
    EXPECT_TRUE(Reg_DeleteKey(RegRoot::LocalMachine, key_ + u"\\Missing"));
}

TEST_F(RegistryLayer, DeleteKeyLeavesSiblingsAndRefusesTheRoot) {
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, key_ + u"\\Key", u"A", 1));
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, key_ + u"\\Key\\Sub", u"A", 1));
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, key_ + u"\\KeyOther", u"B", 2));
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, key_ + u"\\Key Other", u"C", 3));
    EXPECT_TRUE(Reg_DeleteKey(RegRoot::LocalMachine, key_ + u"\\Key"));
    EXPECT_FALSE(Reg_KeyExists(RegRoot::LocalMachine, key_ + u"\\Key"));
    EXPECT_EQ(Reg_ReadInteger(RegRoot::LocalMachine, key_ + u"\\KeyOther", u"B"), 2);
    EXPECT_EQ(Reg_ReadInteger(RegRoot::LocalMachine, key_ + u"\\Key Other", u"C"), 3);

    EXPECT_FALSE(Reg_DeleteKey(RegRoot::LocalMachine, u""));
    EXPECT_FALSE(Reg_DeleteKey(RegRoot::LocalMachine, u"\\"));
    EXPECT_TRUE(Reg_KeyExists(RegRoot::LocalMachine, key_ + u"\\KeyOther"));
}

}  // namespace
}  // namespace orv::testing
