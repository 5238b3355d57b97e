#pragma once
// frmDialog: the recipient confirmation window shown on every send, as a model.
// It holds everything the user sees (controls, grids, focus, the window's height)
// and takes every user action as a method; platform views only draw and forward.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "checks/checks.h"
#include "config/config_store.h"
#include "diagnostics/diagnostics.h"
#include "host/host.h"
#include "platform.h"
#include "ui/controls/link_label.h"
#include "ui/window_model.h"

namespace sw::ui {

// The dialog's controls, by the names the window has always used; the design table
// is indexed by this enumeration. In a namespace of their own: the accessors of the
// dialog carry the same names.
namespace dialog {
enum DialogControl : ControlId {
    picIcon, lblMessage, lblCheckAttachment, lblRecipients, lblCheckSubject,
    fraRecipients, fgdRecipients, fraReplyRecipients, lblReplyRecipients, fgdReplyRecipients,
    fraButtons, lblCheckBody, chkNotDeferred, cmdOK, cmdCancel, llbAmazon,
    mnuAddSafeDomain,  // the recipients grid's context menu item
};
}  // namespace dialog

// What the dialog needs from the add-in around it.
struct DialogContext {
    Diagnostics& diagnostics;
    const ConfigStore& config;
    Checks& checks;
    Shell& shell;
    // The application the add-in was connected with: objects reached through another
    // Application instance are not trusted by Outlook's object-model guard.
    std::function<std::shared_ptr<host::Application>()> application;
};

class ConfirmDialog : public WindowModel, public CheckWarnings {
public:
    static constexpr char16_t caption[] = u"宛先確認";
    static constexpr int clientWidth = 6030, clientHeight = 5025;  // twips, as designed
    static constexpr char16_t linkTarget[] = u"https://www.amazon.co.jp/";
    static constexpr char16_t addSafeDomainCaption[] = u"宛先セーフリストに追加";

    explicit ConfirmDialog(DialogContext context);

    // --- what the send handler calls, in this order ---
    void load();  // creates the window (Form_Load) unless it is loaded
    bool loaded() const { return loaded_; }
    void initDialog();
    void setRecipients(host::Item& item);
    void setReplyRecipients(host::Item& item);
    void showCheckAttachment() override;
    void showCheckBody() override;
    void showCheckSubject() override;
    // Marks the window shown (focus on OK, nothing decided yet); the view runs its
    // modal loop until visible() turns false.
    void show();
    // The decision, read after the modal show: true unless the user pressed OK.
    bool cancelled() const { return cancelled_; }

    // --- the dialog's own procedures (public for tests) ---
    void Form_Load();
    void initLabels();
    void initChkDeferredTime();
    void setRecipientsData(host::Recipients& recipients, Grid& grid, bool isReplyTo);
    void initGrid(Grid& grid, std::int32_t rowCount);
    void setGridRow(Grid& grid, std::int32_t row, const std::u16string& typeLabel, const std::u16string& name,
                    const std::u16string& address, std::uint32_t colour);

    // --- user actions ---
    void cmdOK_Click();
    void cmdCancel_Click();
    void chkNotDeferred_Click();  // toggles the box (only while visible)
    void fgdRecipients_MouseDown(MouseButton button, int row);
    void mnuAddSafeDomain_Click();
    // What choosing "宛先セーフリストに追加" does; the dialog stays open either way.
    void setSafeListAddition(std::function<void(ConfirmDialog&)> addition) { addSafeDomain_ = std::move(addition); }

    // --- the window model ---
    std::u16string title() const override { return caption; }
    WindowFrame frame() const override;
    void click(ControlId id) override;
    void mouseDown(ControlId id, MouseButton button, int row) override;
    void menuChosen(ControlId item) override;
    void closeRequested() override;  // title-bar close, Alt+F4: the send stays cancelled

    // --- state ---
    std::int32_t chkNotDeferred() const { return control(dialog::chkNotDeferred).value; }
    Grid& fgdRecipients() { return mutableControl(dialog::fgdRecipients).grid; }
    Grid& fgdReplyRecipients() { return mutableControl(dialog::fgdReplyRecipients).grid; }
    const Grid& fgdRecipients() const { return control(dialog::fgdRecipients).grid; }
    const Grid& fgdReplyRecipients() const { return control(dialog::fgdReplyRecipients).grid; }

private:
    void close();

    DialogContext context_;
    LinkLabel amazon_;
    std::function<void(ConfirmDialog&)> addSafeDomain_;
    bool loaded_ = false;
    bool topmost_ = false;
    bool cancelled_ = true;
    int outerHeight_ = 0;
};

}  // namespace sw::ui
