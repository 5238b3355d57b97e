#pragma once
// dsrOutlook2003: the object Outlook creates and connects. It loads the
// configuration, hooks ItemSend, adds the Tools menu entry, and stops every mail
// at the confirmation dialog.
#include <cstdint>
#include <memory>

#include "host/host.h"
#include "checks/checks.h"
#include "config/config_store.h"
#include "diagnostics/diagnostics.h"
#include "ui/dialog/confirm_dialog.h"
#include "ui/settings/settings_window.h"

namespace sw {

class AddIn {
public:
    static constexpr char16_t buttonTag[] = u"Sendvigil";
    static constexpr char16_t buttonCaption[] = u"宛先確認";

    explicit AddIn(Platform platform);
    // The dialog holds on to this object's application.
    AddIn(const AddIn&) = delete;
    AddIn& operator=(const AddIn&) = delete;

    // The connection handlers. The first three trap and report everything; the last
    // two let a failure go back to the host, which the platform's COM edge catches.
    void OnConnection(std::shared_ptr<host::Application> application, std::int32_t connectMode,
                      host::AddInInstance& addInInstance);
    void OnDisconnection(std::int32_t removeMode);
    void OnStartupComplete();
    void OnBeginShutdown();
    void OnAddInsUpdate();

    // The ItemSend handler: decides through `cancel`; never throws.
    void objApp_ItemSend(host::Item& item, bool& cancel);
    // The Tools button: shows the settings window modally and returns when it closes.
    // Not trapped; what fails goes back to the host.
    void objButton_Click();

    Diagnostics& diagnostics() { return diagnostics_; }
    ConfigStore& config() { return config_; }
    Checks& checks() { return checks_; }
    ui::ConfirmDialog& dialog() { return dialog_; }
    bool cancelSend() const { return cancelSend_; }
    bool sendHooked() const { return itemSend_ != nullptr; }
    host::Button* button() const { return objButton_.get(); }

private:
    void checkMailItem(host::Item& item);
    ui::SettingsContext settingsContext();

    Platform platform_;
    Diagnostics diagnostics_;
    ConfigStore config_;
    Checks checks_;
    bool cancelSend_ = false;
    std::shared_ptr<host::Application> objApp_;
    std::unique_ptr<host::EventConnection> itemSend_;
    std::unique_ptr<host::Button> objButton_;
    std::unique_ptr<host::EventConnection> buttonClick_;
    ui::ConfirmDialog dialog_;
};

}  // namespace sw
