// What the user can do in the confirmation dialog.
#include "ui/dialog/confirm_dialog.h"

namespace sw::ui {

using namespace dialog;

void ConfirmDialog::show() {
    visible_ = true;
    cancelled_ = true;  // only OK confirms; every other way out cancels
    focus_ = cmdOK;
    popup_.reset();
}

void ConfirmDialog::close() {
    visible_ = false;
    loaded_ = false;  // unloaded; the send-immediately value stays readable
    popup_.reset();
}

void ConfirmDialog::cmdOK_Click() {
    cancelled_ = false;
    initLabels();
    close();
}

void ConfirmDialog::cmdCancel_Click() {
    cancelled_ = true;
    initLabels();
    close();
}

void ConfirmDialog::closeRequested() { close(); }

void ConfirmDialog::chkNotDeferred_Click() {
    if (!available(dialog::chkNotDeferred)) return;
    Control& box = mutableControl(dialog::chkNotDeferred);
    box.value = box.value == 1 ? 0 : 1;
    focus_ = dialog::chkNotDeferred;
}

void ConfirmDialog::click(ControlId id) {
    switch (id) {
        case cmdOK: return cmdOK_Click();
        case cmdCancel: return cmdCancel_Click();
        case dialog::chkNotDeferred: return chkNotDeferred_Click();
        case llbAmazon: return amazon_.click();
        default: return;
    }
}

void ConfirmDialog::fgdRecipients_MouseDown(MouseButton button, int row) {
    focusChanged(dialog::fgdRecipients);
    Grid& grid = fgdRecipients();
    // The header row and the space below the last row offer nothing to add.
    if (button != MouseButton::right || row < grid.fixedRows() || row >= grid.rows()) return;
    grid.setRow(row);
    grid.setCol(0);
    grid.setColSel(grid.cols() - 1);
    popup_ = PopupRequest{{MenuItem{.id = mnuAddSafeDomain, .caption = addSafeDomainCaption}}, dialog::fgdRecipients};
}

void ConfirmDialog::mouseDown(ControlId id, MouseButton button, int row) {
    if (id == dialog::fgdRecipients) return fgdRecipients_MouseDown(button, row);
    WindowModel::mouseDown(id, button, row);
}

void ConfirmDialog::mnuAddSafeDomain_Click() {
    if (addSafeDomain_) addSafeDomain_(*this);
}

void ConfirmDialog::menuChosen(ControlId item) {
    WindowModel::menuChosen(item);
    if (item == mnuAddSafeDomain) mnuAddSafeDomain_Click();
}

}  // namespace sw::ui
