#include "ui/dialog/safe_list_addition.h"

#include "diagnostics/trap.h"
#include "ui/settings/entry_editor.h"

namespace sw::ui {

bool addToSafeList(const SettingsContext& context, const std::u16string& address) {
    SettingsWindow settings(context);
    settings.load();
    const bool added = settings.editor().addItem(settings.lstWord(listIndex(ConfigList::safeDomains)), address);
    if (added) settings.cmdApply_Click();
    settings.unload();
    return added;
}

void addSelectedRecipientToSafeList(ConfirmDialog& dialog, const SettingsContext& context) {
    trap(context.diagnostics, u"frmDialog", u"mnuAddSafeDomain_Click", [&] {
        Grid& grid = dialog.fgdRecipients();
        const std::int32_t row = grid.row();
        constexpr std::int32_t addressColumn = 2;
        if (!addToSafeList(context, grid.cell(row, addressColumn).text)) return;
        // Only this row: other rows with the same address keep their colour.
        for (std::int32_t c = 0; c <= addressColumn; ++c) {
            grid.setCol(c);
            grid.setCellForeColor(black);
        }
        grid.setCol(0);
        grid.setColSel(addressColumn);
        context.diagnostics.message(safeListAddedMessage, mb::information);
    });
}

}  // namespace sw::ui
