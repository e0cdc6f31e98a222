#pragma once
// The registry layer: every read and write of the registry goes through these functions.
// Failures are silent: reads give the empty text or 0, writes and deletions return false.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/RegistryBackend.h"

namespace orv {

using platform::RegRoot;

// Takes the layer's decisions once, at start, before any window exists: whether every access
// selects the 64-bit view (a 32-bit process on 64-bit Windows), and whether the system offers
// the view-aware key deletion.
void Reg_Startup();
// Tests inject the decision and the backend (nullptr: the build's own backend).
void Reg_Configure(bool use64BitView, platform::RegistryBackend* backend);
bool Reg_Uses64BitView();

bool Reg_KeyExists(RegRoot root, std::u16string_view key);
bool Reg_ValueExists(RegRoot root, std::u16string_view key, std::u16string_view name);
std::u16string Reg_ReadString(RegRoot root, std::u16string_view key, std::u16string_view name);
int32_t Reg_ReadInteger(RegRoot root, std::u16string_view key, std::u16string_view name);
bool Reg_WriteString(RegRoot root, std::u16string_view key, std::u16string_view name,
                     std::u16string_view text);
bool Reg_WriteInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                      int32_t number);
bool Reg_DeleteValue(RegRoot root, std::u16string_view key, std::u16string_view name);
bool Reg_DeleteKey(RegRoot root, std::u16string_view key);

}  // namespace orv
