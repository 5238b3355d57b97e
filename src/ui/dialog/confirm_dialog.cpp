#include "ui/dialog/confirm_dialog.h"

#include <algorithm>

#include "config/node_access.h"
#include "diagnostics/trap.h"
#include "text.h"

namespace sw::ui {
namespace {

const std::u16string moduleName = u"frmDialog";

// The window as designed: name, kind, container, caption, geometry, tab place, colour,
// weight, font; the warning labels red, the grids and the body warning in 9-point Gothic.
using K = ControlKind;
using namespace dialog;
constexpr ControlSpec design[] = {
    {picIcon, u"picIcon", K::pictureBox, noControl, u"", {240, 120, 495, 495}, 4},
    {lblMessage, u"lblMessage", K::label, noControl, u"", {960, 120, 4215, 375}, 3},
    {lblCheckAttachment, u"lblCheckAttachment", K::label, noControl, u"lblCheckAttachment", {960, 600, 4215, 255}, 5,
     red},
    {lblRecipients, u"lblRecipients", K::label, noControl, u"受信者", {120, 840, 735, 255}, 15},
    {lblCheckSubject, u"lblCheckSubject", K::label, noControl, u"lblCheckSubject", {960, 840, 4215, 255}, 6, red},
    {fraRecipients, u"fraRecipients", K::frame, noControl, u"", {0, 1080, 6015, 2000}, 12},
    {fgdRecipients, u"fgdRecipients", K::grid, fraRecipients, u"", {120, 0, 5775, 1935}, 13, black, false,
     u"ＭＳ Ｐゴシック", 9},
    {fraReplyRecipients, u"fraReplyRecipients", K::frame, noControl, u"", {0, 3120, 6015, 1000}, 10},
    {lblReplyRecipients, u"lblReplyRecipients", K::label, fraReplyRecipients, u"返信先の指定", {120, 0, 1215, 255},
     14},
    {fgdReplyRecipients, u"fgdReplyRecipients", K::grid, fraReplyRecipients, u"", {120, 240, 5775, 735}, 11, black,
     false, u"ＭＳ Ｐゴシック", 9},
    {fraButtons, u"fraButtons", K::frame, noControl, u"", {0, 4200, 6015, 735}, 7},
    {lblCheckBody, u"lblCheckBody", K::label, fraButtons, u"lblCheckBody", {120, 0, 5655, 255}, 9, red, true,
     u"ＭＳ Ｐゴシック", 9},
    {chkNotDeferred, u"chkNotDeferred", K::checkBox, fraButtons, u"即時送信", {240, 300, 1215, 255}, 2},
    {cmdOK, u"cmdOK", K::pushButton, fraButtons, u"&OK", {1560, 240, 1095, 375}, 0},
    {cmdCancel, u"cmdCancel", K::pushButton, fraButtons, u"&Cancel", {3120, 240, 1095, 375}, 1, black, false, u"", 0,
     /*isDefault*/ true},
    {llbAmazon, u"llbAmazon", K::linkLabel, fraButtons, u"Amazonで買い物", {4440, 360, 1335, 375}, 8},
};

std::u16string typeLabel(std::int32_t type) {
    switch (type) {
        case 1: return u"TO";
        case 2: return u"CC";
        case 3: return u"BCC";
        default: return u"other";
    }
}

}  // namespace

ConfirmDialog::ConfirmDialog(DialogContext context) : context_(std::move(context)), amazon_(context_.shell) {}

void ConfirmDialog::load() {
    if (loaded_) return;
    controls_ = controlsFrom(design);
    // The link's design-time values, as the form stores them for its control.
    MemoryPropertyBag bag;
    bag.values = {{u"Text", std::u16string(control(llbAmazon).caption)}, {u"Links", std::u16string(linkTarget)}};
    amazon_.readProperties(bag, Font{});
    amazon_.applyTo(mutableControl(llbAmazon));
    outerHeight_ = 5400;
    focus_ = noControl;
    popup_.reset();
    loaded_ = true;
    Form_Load();
}

void ConfirmDialog::Form_Load() {
    // The picture keeps what is drawn on it; the system question icon goes to its
    // top-left corner.
    mutableControl(picIcon).icon = SystemIcon::question;
    topmost_ = true;
}

WindowFrame ConfirmDialog::frame() const {
    return {.clientWidth = clientWidth, .clientHeight = clientHeight, .outerHeight = outerHeight_,
            .topmost = topmost_, .centred = true, .closeBox = true, .inTaskbar = false};
}

void ConfirmDialog::initDialog() {
    initLabels();
    initChkDeferredTime();
}

void ConfirmDialog::initLabels() {
    mutableControl(lblMessage).caption = u"以下の宛先に送信します。\r\nよろしいですか？";
    mutableControl(lblCheckBody).caption.clear();
    mutableControl(lblCheckAttachment).caption.clear();
    mutableControl(lblCheckSubject).caption.clear();
}

void ConfirmDialog::initChkDeferredTime() {
    const bool deferred = context_.config.useDeferredDelivery();
    if (context_.config.debugMode())
        context_.diagnostics.writeDebugLog(moduleName, u"initChkDeferredTime", {},
                                           u"useDeferredDelivery = " + boolText(deferred));
    Control& box = mutableControl(dialog::chkNotDeferred);
    box.value = deferred ? 0 : 1;
    box.visible = deferred;
}

void ConfirmDialog::showCheckAttachment() {
    mutableControl(lblCheckAttachment).caption = u"※ファイルの添付漏れの可能性があります。";
}
void ConfirmDialog::showCheckBody() {
    mutableControl(lblCheckBody).caption = u"※本文に取扱注意の語句が含まれています。";
}
void ConfirmDialog::showCheckSubject() { mutableControl(lblCheckSubject).caption = u"※件名が空です。"; }

void ConfirmDialog::setRecipients(host::Item& item) {
    setRecipientsData(need(item.recipients()), fgdRecipients(), false);
}

void ConfirmDialog::setReplyRecipients(host::Item& item) {
    if (need(item.replyRecipients()).count() >= 1) {
        setRecipientsData(need(item.replyRecipients()), fgdReplyRecipients(), true);
        mutableControl(dialog::fraReplyRecipients).visible = true;
        mutableControl(fraButtons).rect.top = 4200;
        outerHeight_ = 5400;
    } else {
        mutableControl(dialog::fraReplyRecipients).visible = false;
        mutableControl(fraButtons).rect.top = 3120;
        outerHeight_ = 4320;
    }
}

void ConfirmDialog::setRecipientsData(host::Recipients& recipients, Grid& grid, bool isReplyTo) {
    Diagnostics& d = context_.diagnostics;
    trap(d, moduleName, u"setRecipientsData", [&] {
        std::shared_ptr<host::Application> app = context_.application();
        std::unique_ptr<host::Namespace> mapi = need(app).getNamespace(u"MAPI");
        host::Namespace& ns = need(mapi);
        const std::int32_t n = recipients.count();
        d.currentStep = u"フレキシブルグリッド初期化前";
        if (context_.config.debugMode()) d.writeDebugLog(moduleName, u"setRecipientsData", {}, u"宛先件数 = " + decimal(n));
        initGrid(grid, n + 1);
        for (std::int32_t i = 1; i <= n; ++i) {
            std::unique_ptr<host::Recipient> recipient = recipients.item(i);
            const std::u16string name = need(recipient).name();
            const std::u16string address = recipient->address();
            if (isReplyTo) {
                setGridRow(grid, i, u"Reply-TO", name, address, black);
            } else {
                const std::u16string label = typeLabel(recipient->type());
                const bool safe = context_.checks.checkSafeDomain(address, ns);
                setGridRow(grid, i, label, name, address, safe ? black : red);
            }
        }
    });
}

void ConfirmDialog::initGrid(Grid& grid, std::int32_t rowCount) {
    grid.resize(rowCount, 3, 1);
    grid.setRow(0);
    grid.setColumnWidth(0, 750);
    grid.setColumnWidth(1, 1500);
    grid.setColumnWidth(2, 3000);
    const std::u16string headers[] = {u"種類", u"名前", u"アドレス"};
    for (std::int32_t c = 0; c < 3; ++c) {
        grid.setCol(c);
        grid.setText(headers[c]);
        grid.setCellAlignment(4);
    }
}

void ConfirmDialog::setGridRow(Grid& grid, std::int32_t row, const std::u16string& typeLabel,
                               const std::u16string& name, const std::u16string& address, std::uint32_t colour) {
    grid.setRow(row);
    const std::u16string* texts[] = {&typeLabel, &name, &address};
    for (std::int32_t c = 0; c < 3; ++c) {
        grid.setCol(c);
        grid.setText(*texts[c]);
        grid.setCellForeColor(colour);
    }
}

}  // namespace sw::ui
