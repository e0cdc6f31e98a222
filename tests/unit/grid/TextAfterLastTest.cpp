#include <gtest/gtest.h>

#include "core/Text.h"
#include "core/TextAfterLast.h"

namespace orv {
namespace {

TEST(TextAfterLastTest, TextAfterTheLastDelimiterNotCountingTheLastCharacter) {
    struct Case {
        const char* text;
        char16_t delimiter;
        const char* after;
    };
    const Case cases[] = {
        {"C:\\Windows\\notepad.exe", u'\\', "notepad.exe"},
        {"C:\\Windows", u'\\', "Windows"},
        {"C:\\", u'\\', ""},        // the only backslash is the last character
        {"C:\\A\\", u'\\', "A\\"},  // a trailing backslash does not count
        {"a.b.", u'.', "b."},
        {"archive.tar.gz", u'.', "gz"},
        {".bashrc", u'.', "bashrc"},  // a name starting with its only dot
        {"README", u'.', ""},
        {"", u'.', ""},
        {".", u'.', ""},
        {"..", u'.', "."},
        {"x.", u'.', ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Utf16ToUtf8(TextAfterLast(Utf8ToUtf16(c.text), c.delimiter)), c.after);
    }
}

}  // namespace
}  // namespace orv
