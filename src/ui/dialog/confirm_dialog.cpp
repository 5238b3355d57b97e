#include "ui/dialog/confirm_dialog.h"

#include <algorithm>
#include <stdexcept>

#include "config/node_access.h"
#include "diagnostics/trap.h"
#include "text.h"

namespace sw::ui {
namespace {

const std::u16string moduleName = u"frmDialog";

// The window as designed: name, kind, container, caption, geometry, tab place.
std::vector<Control> designedControls() {
    using K = ControlKind;
    auto make = [](std::u16string name, K kind, std::u16string container, std::u16string caption, Rect rect,
                   int tab) {
        Control c;
        c.name = std::move(name);
        c.kind = kind;
        c.container = std::move(container);
        c.caption = std::move(caption);
        c.rect = rect;
        c.tabIndex = tab;
        c.canFocus = kind == K::grid || kind == K::checkBox || kind == K::pushButton;
        return c;
    };
    std::vector<Control> controls = {
        make(u"picIcon", K::pictureBox, u"", u"", {240, 120, 495, 495}, 4),
        make(u"lblMessage", K::label, u"", u"", {960, 120, 4215, 375}, 3),
        make(u"lblCheckAttachment", K::label, u"", u"lblCheckAttachment", {960, 600, 4215, 255}, 5),
        make(u"lblRecipients", K::label, u"", u"受信者", {120, 840, 735, 255}, 15),
        make(u"lblCheckSubject", K::label, u"", u"lblCheckSubject", {960, 840, 4215, 255}, 6),
        make(u"fraRecipients", K::frame, u"", u"", {0, 1080, 6015, 2000}, 12),
        make(u"fgdRecipients", K::grid, u"fraRecipients", u"", {120, 0, 5775, 1935}, 13),
        make(u"fraReplyRecipients", K::frame, u"", u"", {0, 3120, 6015, 1000}, 10),
        make(u"lblReplyRecipients", K::label, u"fraReplyRecipients", u"返信先の指定", {120, 0, 1215, 255}, 14),
        make(u"fgdReplyRecipients", K::grid, u"fraReplyRecipients", u"", {120, 240, 5775, 735}, 11),
        make(u"fraButtons", K::frame, u"", u"", {0, 4200, 6015, 735}, 7),
        make(u"lblCheckBody", K::label, u"fraButtons", u"lblCheckBody", {120, 0, 5655, 255}, 9),
        make(u"chkNotDeferred", K::checkBox, u"fraButtons", u"即時送信", {240, 300, 1215, 255}, 2),
        make(u"cmdOK", K::pushButton, u"fraButtons", u"&OK", {1560, 240, 1095, 375}, 0),
        make(u"cmdCancel", K::pushButton, u"fraButtons", u"&Cancel", {3120, 240, 1095, 375}, 1),
        make(u"llbAmazon", K::linkLabel, u"fraButtons", u"Amazonで買い物", {4440, 360, 1335, 375}, 8),
    };
    for (auto& c : controls) {
        if (c.name.starts_with(u"lblCheck")) c.foreColor = red;
        if (c.name == u"lblCheckBody") c.bold = true;
    }
    return controls;
}

std::u16string typeLabel(std::int32_t type) {
    switch (type) {
        case 1: return u"TO";
        case 2: return u"CC";
        case 3: return u"BCC";
        default: return u"other";
    }
}

}  // namespace

ConfirmDialog::ConfirmDialog(DialogContext context) : context_(std::move(context)) {}

const Control& ConfirmDialog::control(const std::u16string& name) const {
    for (const auto& c : controls_)
        if (c.name == name) return c;
    throw std::out_of_range("no control " + toUtf8(name));
}

Control& ConfirmDialog::mutableControl(const std::u16string& name) {
    return const_cast<Control&>(static_cast<const ConfirmDialog*>(this)->control(name));
}

void ConfirmDialog::load() {
    if (loaded_) return;
    controls_ = designedControls();
    recipients_ = Grid();
    replyRecipients_ = Grid();
    outerHeight_ = 5400;
    focus_.clear();
    loaded_ = true;
    Form_Load();
}

void ConfirmDialog::Form_Load() {
    // The picture keeps what is drawn on it; the system question icon (id 32514)
    // goes to its top-left corner.
    iconDrawn_ = true;
    topmost_ = true;
}

void ConfirmDialog::initDialog() {
    initLabels();
    initChkDeferredTime();
}

void ConfirmDialog::initLabels() {
    mutableControl(u"lblMessage").caption = u"以下の宛先に送信します。\r\nよろしいですか？";
    mutableControl(u"lblCheckBody").caption.clear();
    mutableControl(u"lblCheckAttachment").caption.clear();
    mutableControl(u"lblCheckSubject").caption.clear();
}

void ConfirmDialog::initChkDeferredTime() {
    const bool deferred = context_.config.useDeferredDelivery();
    if (context_.config.debugMode())
        context_.diagnostics.writeDebugLog(moduleName, u"initChkDeferredTime", {},
                                           u"useDeferredDelivery = " + boolText(deferred));
    chkNotDeferred_ = deferred ? 0 : 1;
    mutableControl(u"chkNotDeferred").visible = deferred;
}

void ConfirmDialog::showCheckAttachment() {
    mutableControl(u"lblCheckAttachment").caption = u"※ファイルの添付漏れの可能性があります。";
}
void ConfirmDialog::showCheckBody() {
    mutableControl(u"lblCheckBody").caption = u"※本文に取扱注意の語句が含まれています。";
}
void ConfirmDialog::showCheckSubject() { mutableControl(u"lblCheckSubject").caption = u"※件名が空です。"; }

void ConfirmDialog::setRecipients(host::Item& item) {
    setRecipientsData(need(item.recipients()), recipients_, false);
}

void ConfirmDialog::setReplyRecipients(host::Item& item) {
    if (need(item.replyRecipients()).count() >= 1) {
        setRecipientsData(need(item.replyRecipients()), replyRecipients_, true);
        mutableControl(u"fraReplyRecipients").visible = true;
        mutableControl(u"fraButtons").rect.top = 4200;
        outerHeight_ = 5400;
    } else {
        mutableControl(u"fraReplyRecipients").visible = false;
        mutableControl(u"fraButtons").rect.top = 3120;
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
