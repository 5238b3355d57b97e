// The send road: every mail item stops at the confirmation dialog.
#include "addin/addin.h"
#include "diagnostics/trap.h"
#include "text.h"

namespace sw {
namespace {
const std::u16string moduleName = u"dsrOutlook2003";
const std::u16string procedure = u"objApp_ItemSend";
}  // namespace

void AddIn::checkMailItem(host::Item& item) {
    dialog_.setRecipients(item);
    dialog_.setReplyRecipients(item);
    checks_.checkSubject(item, dialog_);
    checks_.checkBody(item, dialog_);
    checks_.checkAttachment(item, dialog_);
}

void AddIn::objApp_ItemSend(host::Item& item, bool& cancel) {
    if (!config_.configLoaded()) {
        cancel = false;
        return;
    }
    bool completed = false;
    auto body = [&] {
        diagnostics_.currentStep = u"Item判定";
        if (item.itemClass() != host::olMail) {
            completed = true;  // sent unchecked, the flag as the host passed it
            return;
        }
        item.save();
        cancelSend_ = true;

        // A dialog left loaded by a send that failed before it was shown still holds
        // that mail's recipients: start from a new window so none of them can show.
        if (dialog_.loaded()) dialog_.closeRequested();
        dialog_.load();
        dialog_.initDialog();

        diagnostics_.currentStep = u"MailItemチェック";
        checkMailItem(item);

        diagnostics_.currentStep = u"宛先確認ダイアログ表示";
        if (diagnostics_.debugMode) diagnostics_.writeDebugLog(moduleName, procedure);
        dialog_.show();
        platform_.windows.showModal(dialog_);
        if (dialog_.visible()) dialog_.closeRequested();  // the view gave up: nothing was confirmed
        cancelSend_ = dialog_.cancelled();

        const bool debug = diagnostics_.debugMode;
        LocalDateTime before;
        if (debug) before = item.deferredDeliveryTime();
        if (!cancelSend_ && config_.useDeferredDelivery()) checks_.setDeferredDeliveryTime(item, dialog_.chkNotDeferred());
        if (debug) {
            const LocalDateTime after = item.deferredDeliveryTime();
            diagnostics_.writeDebugLog(
                moduleName, procedure, {},
                item.subject() + u":" + u"chkNotDeferred = " + decimal(dialog_.chkNotDeferred()) + u" " +
                    u"useDeferredDelivery = " + boolText(config_.useDeferredDelivery()) + u" " +
                    u"Before DeferredDeliveryTime = " + before.localeText() + u" " +
                    u"After DeferredDeliveryTime = " + after.localeText() + u" " +
                    u"Item.DeferredDeliveryTime = " + item.deferredDeliveryTime().localeText());
        }
        cancel = cancelSend_;
        completed = true;
    };
    // Whatever stops the road stops the send.
    trap(diagnostics_, moduleName, procedure, body, {.finalSection = [&] {
             if (!completed) cancel = true;
         }});
}

}  // namespace sw
