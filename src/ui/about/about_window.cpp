#include "ui/about/about_window.h"

#include "text.h"

namespace sw::ui {
namespace {

using A = AboutWindow;
using K = ControlKind;

// Captions are placeholders: load() writes every visible text.
constexpr ControlSpec design[] = {
    {A::fraDescription, u"fraDescription", K::frame, noControl, u"", {120, 1320, 5160, 1575}, 2},
    {A::lblDisclaimer, u"lblDisclaimer", K::label, A::fraDescription, u"lblDisclaimer", {120, 780, 4920, 735}, 3},
    {A::lblDescription, u"lblDescription", K::label, A::fraDescription, u"lblDescription", {120, 240, 4920, 495}, 4},
    {A::fraAffiliate, u"fraAffiliate", K::frame, noControl, u"", {120, 2985, 5160, 735}, 5},
    {A::lblAffiliate, u"lblAffiliate", K::label, A::fraAffiliate, u"lblAffiliate", {120, 240, 4920, 435}, 6},
    // OK closes the window by Enter and by Escape alike.
    {A::cmdOK, u"cmdOK", K::pushButton, noControl, u"OK", {4185, 3825, 1095, 375}, 0, black, false, u"", 0, true, true},
    {A::llbAmazon, u"llbAmazon", K::linkLabel, noControl, u"Amazon", {240, 3885, 1335, 255}, 1},
    {A::lblCopyright, u"lblCopyright", K::label, noControl, u"lblCopyright", {240, 780, 4935, 495}, 7},
    {A::lblTitle, u"lblTitle", K::label, noControl, u"lblTitle", {240, 120, 4935, 375}, 8, black, true, u"", 14},
    {A::lblVersion, u"lblVersion", K::label, noControl, u"lblVersion", {240, 480, 4935, 255}, 9},
};

}  // namespace

ProgramVersion programVersion() {
    return {SENDWARDEN_VERSION_MAJOR, SENDWARDEN_VERSION_MINOR, SENDWARDEN_VERSION_REVISION};
}

AboutWindow::AboutWindow(Shell& shell) : amazon_(shell) { controls_ = controlsFrom(design); }

WindowFrame AboutWindow::frame() const { return WindowFrame{.clientWidth = 5400, .clientHeight = 4320}; }

void AboutWindow::load() {
    caption_ = u"バージョン情報";
    const ProgramVersion v = programVersion();
    mutableControl(lblVersion).caption =
        u"Version " + decimal(v.major) + u"." + decimal(v.minor) + u"." + decimal(v.revision);
    mutableControl(lblTitle).caption = u"Sendwarden";
    mutableControl(lblDescription).caption =
        u"Outlookでメールを送信する際、宛先を確認するダイアログを表示するためのアドインです。";
    mutableControl(lblCopyright).caption = u"Copyright (C) 2026\r\nSendwarden developers All Rights Reserved.";
    mutableControl(lblDisclaimer).caption =
        u"【免責事項】\r\n\u3000利用する方の責任でお使いください。\r\n\u3000利用上発生した\uFF64いかなる損害も作者は責任を負いません。";
    mutableControl(lblAffiliate).caption =
        u"下のリンクからamazon.co.jpでお買い物をしていただくと、開発の支援になります。";
    // The link's design-time values, as the form stores them for its control.
    MemoryPropertyBag bag;
    bag.values = {{u"Text", std::u16string(control(llbAmazon).caption)}, {u"Links", std::u16string(linkTarget)}};
    amazon_.readProperties(bag, Font{});
    amazon_.applyTo(mutableControl(llbAmazon));
    focus_ = cmdOK;
}

void AboutWindow::click(ControlId id) {
    if (id == cmdOK) {
        visible_ = false;
    } else if (id == llbAmazon) {
        amazon_.click();
    }
}

}  // namespace sw::ui
