#pragma once
// frmDialog: the recipient confirmation window shown on every send, as a model.
// It holds everything the user sees (controls, grids, focus, the window's height)
// and takes every user action as a method; platform views only draw and forward.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "checks/checks.h"
#include "config/config_store.h"
#include "diagnostics/diagnostics.h"
#include "platform.h"
#include "ui/controls/window_model.h"

namespace sw::ui {

// What the dialog needs from the add-in around it.
struct DialogContext {
    Diagnostics& diagnostics;
    const ConfigStore& config;
    Checks& checks;
    Shell& shell;
    // The application the add-in was connected with: objects reached through another
    // Application instance are not trusted by Outlook's object-model guard.
    std::function<std::shared_ptr<host::Application>()> application;
    bool& cancelSend;  // the send's decision, shared with the send handler
};

class ConfirmDialog : public CheckWarnings {
public:
    static constexpr char16_t title[] = u"宛先確認";
    static constexpr int clientWidth = 6030, clientHeight = 5025;  // twips, as designed
    static constexpr char16_t linkTarget[] = u"https://www.amazon.co.jp/";

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
    // Marks the window shown (focus on OK); the view runs its modal loop until
    // visible() turns false.
    void show();

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
    void closeWindow();  // title-bar close, Alt+F4, or anything else that is not a button
    void keyDown(Key key, KeyModifiers mods, char16_t character = 0);
    void setFocus(const std::u16string& control);  // a click into a control that takes the focus
    void chkNotDeferred_Click();                   // toggles the box (only while visible)
    void llbAmazon_Click();

    // --- state ---
    bool visible() const { return visible_; }
    std::int32_t chkNotDeferred() const { return chkNotDeferred_; }
    int outerHeight() const { return outerHeight_; }  // twips
    bool topmost() const { return topmost_; }
    bool iconDrawn() const { return iconDrawn_; }  // the system question icon on picIcon
    const std::u16string& focus() const { return focus_; }
    const std::vector<Control>& controls() const { return controls_; }
    const Control& control(const std::u16string& name) const;
    Grid& fgdRecipients() { return recipients_; }
    Grid& fgdReplyRecipients() { return replyRecipients_; }
    const Grid& fgdRecipients() const { return recipients_; }
    const Grid& fgdReplyRecipients() const { return replyRecipients_; }
    // The controls that take the focus, in tab order.
    std::vector<std::u16string> tabStops() const;

private:
    Control& mutableControl(const std::u16string& name);
    void close();

    DialogContext context_;
    std::vector<Control> controls_;
    Grid recipients_, replyRecipients_;
    bool loaded_ = false;
    bool visible_ = false;
    bool topmost_ = false;
    bool iconDrawn_ = false;
    std::int32_t chkNotDeferred_ = 0;
    int outerHeight_ = 0;
    std::u16string focus_;
};

}  // namespace sw::ui
