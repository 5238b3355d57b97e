#pragma once
// frmAbout: the version window, opened from the settings window's Help menu.
#include <string>

#include "platform.h"
#include "ui/controls/link_label.h"
#include "ui/window_model.h"

namespace sw::ui {

// The program's own version, major.minor.revision, from the build.
struct ProgramVersion {
    int major, minor, revision;
};
ProgramVersion programVersion();

class AboutWindow : public WindowModel {
public:
    enum Id : ControlId {
        fraDescription, lblDisclaimer, lblDescription, fraAffiliate, lblAffiliate, cmdOK, llbAmazon,
        lblCopyright, lblTitle, lblVersion,
    };
    static constexpr char16_t linkTarget[] = u"https://www.amazon.co.jp/";

    explicit AboutWindow(Shell& shell);

    // Sets every text; show() then marks the window shown for Windows::showModal.
    void load();
    void show() { visible_ = true; }

    std::u16string title() const override { return caption_; }
    WindowFrame frame() const override;
    void click(ControlId id) override;
    void closeRequested() override { visible_ = false; }

    LinkLabel& amazonLink() { return amazon_; }

private:
    LinkLabel amazon_;
    std::u16string caption_;
};

}  // namespace sw::ui
