#pragma once
// The checks both shell implementations make before a path reaches the shell, and the debug
// line of a refusal.
#include <string>
#include <string_view>

namespace orv::platform {

// Why the shell must not be given path, or null when it may. Wildcards matter to the file
// operation only: it expands them, so "C:\x\*" would delete the whole folder's content.
inline const char16_t* ShellPathProblem(std::u16string_view path, bool refuseWildcards) {
    if (path.empty()) return u"empty path";
    if (path.find(u'\0') != std::u16string_view::npos) return u"NUL character in path";
    if (refuseWildcards && path.find_first_of(u"*?") != std::u16string_view::npos)
        return u"wildcard in path";
    return nullptr;
}

// "Shell: <action> refused (<problem>): <path>", NUL characters shown as "\0".
inline std::u16string ShellRefusalLine(std::u16string_view action, std::u16string_view problem,
                                       std::u16string_view path) {
    std::u16string line = u"Shell: ";
    line += action;
    line += u" refused (";
    line += problem;
    line += u"): ";
    for (const char16_t c : path) {
        if (c == u'\0')
            line += u"\\0";
        else
            line += c;
    }
    return line;
}

}  // namespace orv::platform
