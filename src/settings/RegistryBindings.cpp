#include "settings/RegistryBindings.h"

namespace orv {

void CheckBoxFromRegistry(RegRoot root, std::u16string_view key, ICheckBoxValue& box) {
    if (!Reg_ValueExists(root, key, box.ControlName())) return;
    const int32_t v = Reg_ReadInteger(root, key, box.ControlName());
    if (v == 0) box.SetChecked(false);
    if (v == 1) box.SetChecked(true);
}

bool CheckBoxToRegistry(RegRoot root, std::u16string_view key, const ICheckBoxValue& box) {
    return Reg_WriteInteger(root, key, box.ControlName(), box.IsChecked() ? 1 : 0);
}

void EditFromRegistry(RegRoot root, std::u16string_view key, IEditValue& edit) {
    if (!Reg_ValueExists(root, key, edit.ControlName())) return;
    edit.SetEditText(Reg_ReadString(root, key, edit.ControlName()));
}

bool EditToRegistry(RegRoot root, std::u16string_view key, const IEditValue& edit) {
    return Reg_WriteString(root, key, edit.ControlName(), edit.EditText());
}

}  // namespace orv
