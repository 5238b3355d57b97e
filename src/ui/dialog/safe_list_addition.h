#pragma once
// "宛先セーフリストに追加" in the confirmation dialog: the address of the recipients
// grid's current row goes onto the safe list through a settings window that is never
// shown, is saved and loaded again at once, and the row turns black.
#include "ui/dialog/confirm_dialog.h"
#include "ui/settings/settings_window.h"

namespace sw::ui {

inline constexpr char16_t safeListAddedMessage[] = u"選択されたアドレスを宛先セーフリストに登録しました。";

// Adds `address` to the safe list and saves; false when it was there already (the
// user has been warned and nothing was written).
bool addToSafeList(const SettingsContext& context, const std::u16string& address);

// The dialog's menu choice. The dialog stays open and its decision is untouched; a
// failure is reported and costs only the addition.
void addSelectedRecipientToSafeList(ConfirmDialog& dialog, const SettingsContext& context);

}  // namespace sw::ui
