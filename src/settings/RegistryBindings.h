#pragma once
// A control bound to the registry value named exactly like the control.
#include <string>
#include <string_view>

#include "settings/pell_REG.h"

namespace orv {

// What the bindings need of a check box and an edit; the real controls implement these.
class ICheckBoxValue {
public:
    virtual ~ICheckBoxValue() = default;
    virtual std::u16string_view ControlName() const = 0;
    virtual bool IsChecked() const = 0;
    virtual void SetChecked(bool checked) = 0;
};

class IEditValue {
public:
    virtual ~IEditValue() = default;
    virtual std::u16string_view ControlName() const = 0;
    virtual std::u16string EditText() const = 0;
    virtual void SetEditText(std::u16string_view text) = 0;
};

// If the value exists: 0 clears the box, 1 checks it, any other number leaves it unchanged.
void CheckBoxFromRegistry(RegRoot root, std::u16string_view key, ICheckBoxValue& box);
// Writes 1 for a checked box, 0 otherwise (REG_DWORD).
bool CheckBoxToRegistry(RegRoot root, std::u16string_view key, const ICheckBoxValue& box);
// If the value exists, the edit shows it read as text.
void EditFromRegistry(RegRoot root, std::u16string_view key, IEditValue& edit);
// Writes the edit's text as REG_SZ.
bool EditToRegistry(RegRoot root, std::u16string_view key, const IEditValue& edit);

}  // namespace orv
