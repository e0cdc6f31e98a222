#include "app/CommandLine.h"

#include "core/Text.h"

namespace orv::app {
namespace {

struct SwitchName {
    std::u16string_view text;
    TStartSwitch value;
};

constexpr SwitchName kSwitches[] = {
    {u"-NOVERSION", TStartSwitch::NoVersion},
    {u"-SHOWALLPROBLEMS", TStartSwitch::ShowAllProblems},
    {u"-SAVE", TStartSwitch::Save},
    {u"-SETUPLT2", TStartSwitch::SetupLT2},
    {u"-REMOVEPLANNEDTASKS", TStartSwitch::RemovePlannedTasks},
    {u"-ADDOCOTASK", TStartSwitch::AddOcoTask},
    {u"-REMOVECONTEXT", TStartSwitch::RemoveContext},
    {u"-SETUPCONTEXT", TStartSwitch::SetupContext},
    {u"-CONTEXTDL", TStartSwitch::ContextDL},
};

}  // namespace

TStartSwitch ParseStartSwitch(std::u16string_view firstArgument) {
    if (firstArgument.empty()) return TStartSwitch::None;
    const std::u16string upper = UpperAscii(firstArgument);
    for (const auto& s : kSwitches) {
        if (upper == s.text) return s.value;
    }
    return TStartSwitch::Unrecognised;
}

bool CreatesMainWindow(TStartSwitch s) {
    switch (s) {
        case TStartSwitch::Save:
        case TStartSwitch::SetupLT2:
        case TStartSwitch::RemovePlannedTasks:
        case TStartSwitch::AddOcoTask:
        case TStartSwitch::RemoveContext:
        case TStartSwitch::SetupContext:
            return false;
        default:
            return true;
    }
}

bool ShowsStartPage(TStartSwitch s) {
    return s == TStartSwitch::None || s == TStartSwitch::NoVersion ||
           s == TStartSwitch::ShowAllProblems || s == TStartSwitch::ContextDL;
}

}  // namespace orv::app
