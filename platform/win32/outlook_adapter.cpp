#include "win32/outlook_adapter.h"

#include "datetime.h"
#include "diagnostics/failure.h"
#include "win32/event_sink.h"
#include "win32/office_interfaces.h"

namespace sw::win {
namespace {

using Op = host::Operation;

// Names first; the numbers are the type libraries' (those of CommandBar members were
// given by MIDL and may differ between Office versions).
const Member appName{L"Name", 0x3001, Op::applicationName};
const Member appActiveExplorer{L"ActiveExplorer", 0x111, Op::applicationActiveExplorer};
const Member appGetNamespace{L"GetNamespace", 0x110, Op::applicationGetNamespace};
const Member explorerCommandBars{L"CommandBars", 0x2100, Op::explorerCommandBars};
const Member commandBarsItem{L"Item", DISPID_VALUE, Op::explorerCommandBars};
const Member barFindControl{L"FindControl", 0x60040007, Op::commandBarFindControl};
const Member barControls{L"Controls", 0x60040003, Op::commandBarControlsAdd};
const Member controlsAdd{L"Add", 0x60030000, Op::commandBarControlsAdd};
const Member buttonBeginGroup{L"BeginGroup", noFallback, Op::buttonBeginGroup};
const Member buttonTag{L"Tag", noFallback, Op::buttonTag};
const Member buttonCaption{L"Caption", noFallback, Op::buttonCaption};
const Member buttonOnAction{L"OnAction", noFallback, Op::buttonOnAction};
const Member instanceProgId{L"ProgId", noFallback, Op::addInInstanceProgId};
const Member itemClass{L"Class", 0xF00A, Op::itemClass};
const Member itemSave{L"Save", 0xF048, Op::itemSave};
const Member itemSubject{L"Subject", 0x37, Op::itemSubject};
const Member itemBody{L"Body", 0x9100, Op::itemBody};
const Member itemAttachments{L"Attachments", 0xF815, Op::itemAttachmentsCount};
const Member attachmentsCount{L"Count", 0x50, Op::itemAttachmentsCount};
const Member itemDeferredGet{L"DeferredDeliveryTime", 0xF, Op::itemDeferredDeliveryTimeGet};
const Member itemDeferredSet{L"DeferredDeliveryTime", 0xF, Op::itemDeferredDeliveryTimeSet};
const Member itemRecipients{L"Recipients", 0xF814, Op::itemRecipients};
const Member itemReplyRecipients{L"ReplyRecipients", 0xF013, Op::itemReplyRecipients};
const Member recipientsCount{L"Count", 0x50, Op::recipientsCount};
const Member recipientsItem{L"Item", 0x51, Op::recipientsItem};
const Member recipientName{L"Name", 0x3001, Op::recipientName};
const Member recipientAddress{L"Address", 0x3003, Op::recipientAddress};
const Member recipientType{L"Type", 0xC15, Op::recipientType};
const Member namespaceMode{L"ExchangeConnectionMode", 0xFAC1, Op::namespaceExchangeConnectionMode};

Failure badEventArguments() {
    return Failure(static_cast<std::int32_t>(DISP_E_TYPEMISMATCH), u"The event's arguments are not as declared.");
}

// An object argument of an event, by position from the last; a reference is followed.
Dispatch eventObject(DISPPARAMS& params, UINT fromLast) {
    if (fromLast >= params.cArgs) throw badEventArguments();
    const VARIANT* v = &params.rgvarg[fromLast];
    if (v->vt == (VT_VARIANT | VT_BYREF)) v = v->pvarVal;
    if (v->vt == VT_DISPATCH) return Dispatch(ComPtr<IDispatch>::addRef(v->pdispVal));
    if (v->vt == (VT_DISPATCH | VT_BYREF) && v->ppdispVal) return Dispatch(ComPtr<IDispatch>::addRef(*v->ppdispVal));
    throw badEventArguments();
}

// The by-reference flag an event hands over for the handler's answer.
VARIANT_BOOL& eventFlag(DISPPARAMS& params, UINT fromLast) {
    if (fromLast >= params.cArgs) throw badEventArguments();
    VARIANT* v = &params.rgvarg[fromLast];
    if (v->vt == (VT_VARIANT | VT_BYREF)) v = v->pvarVal;
    if (v->vt != (VT_BOOL | VT_BYREF) || !v->pboolVal) throw badEventArguments();
    return *v->pboolVal;
}

class OutlookRecipient : public host::Recipient {
public:
    explicit OutlookRecipient(Dispatch d) : d_(std::move(d)) {}
    std::u16string name() override { return d_.getText(recipientName); }
    std::u16string address() override { return d_.getText(recipientAddress); }
    std::int32_t type() override { return d_.getInt(recipientType); }

private:
    Dispatch d_;
};

class OutlookRecipients : public host::Recipients {
public:
    explicit OutlookRecipients(Dispatch d) : d_(std::move(d)) {}
    std::int32_t count() override { return d_.getInt(recipientsCount); }
    std::unique_ptr<host::Recipient> item(std::int32_t index) override {
        const Variant i = Variant::fromInt(index);
        Dispatch r = d_.callObject(recipientsItem, {&i});
        if (!r) throw failures::objectNotSet();
        return std::make_unique<OutlookRecipient>(std::move(r));
    }

private:
    Dispatch d_;
};

std::unique_ptr<host::Recipients> recipientsOrFail(Dispatch d) {
    if (!d) throw failures::objectNotSet();
    return std::make_unique<OutlookRecipients>(std::move(d));
}

class OutlookItem : public host::Item {
public:
    explicit OutlookItem(Dispatch d) : d_(std::move(d)) {}
    std::int32_t itemClass() override { return d_.getInt(win::itemClass); }
    void save() override { d_.call(itemSave); }
    std::u16string subject() override { return d_.getText(itemSubject); }
    std::u16string body() override { return d_.getText(itemBody); }
    std::int32_t attachmentCount() override {
        const Dispatch attachments = d_.getObject(itemAttachments);
        if (!attachments) throw failures::objectNotSet();
        return attachments.getInt(attachmentsCount);
    }
    LocalDateTime deferredDeliveryTime() override {
        return LocalDateTime::fromOleDate(toDate(d_.get(itemDeferredGet), itemDeferredGet));
    }
    void setDeferredDeliveryTime(const LocalDateTime& time) override {
        d_.put(itemDeferredSet, Variant::fromDate(time.toOleDate()));
    }
    std::unique_ptr<host::Recipients> recipients() override { return recipientsOrFail(d_.getObject(itemRecipients)); }
    std::unique_ptr<host::Recipients> replyRecipients() override {
        return recipientsOrFail(d_.getObject(itemReplyRecipients));
    }

private:
    Dispatch d_;
};

class OutlookNamespace : public host::Namespace {
public:
    explicit OutlookNamespace(Dispatch d) : d_(std::move(d)) {}
    std::int32_t exchangeConnectionMode() override { return d_.getInt(namespaceMode); }

private:
    Dispatch d_;
};

class OutlookButton : public host::Button {
public:
    explicit OutlookButton(Dispatch d) : d_(std::move(d)) {}
    void setBeginGroup(bool value) override { d_.put(buttonBeginGroup, Variant::fromBool(value)); }
    void setTag(const std::u16string& tag) override { d_.put(buttonTag, Variant::fromText(tag)); }
    void setCaption(const std::u16string& caption) override { d_.put(buttonCaption, Variant::fromText(caption)); }
    void setOnAction(const std::u16string& action) override { d_.put(buttonOnAction, Variant::fromText(action)); }
    std::unique_ptr<host::EventConnection> onClick(std::function<void()> handler) override {
        return connectEvents(
            d_, DIID_CommandBarButtonEvents,
            [handler = std::move(handler)](DISPID event, DISPPARAMS&) {
                if (event == dispidClick) handler();
            },
            Op::buttonClick);
    }

private:
    Dispatch d_;
};

class OutlookCommandBar : public host::CommandBar {
public:
    explicit OutlookCommandBar(Dispatch d) : d_(std::move(d)) {}
    std::unique_ptr<host::Button> findControlByTag(const std::u16string& tag) override {
        const Variant none = Variant::missing(), t = Variant::fromText(tag);
        Dispatch found = d_.callObject(barFindControl, {&none, &none, &t, &none, &none});
        return found ? std::make_unique<OutlookButton>(std::move(found)) : nullptr;
    }
    std::unique_ptr<host::Button> addButton(bool temporary) override {
        const Dispatch controls = d_.getObject(barControls);
        if (!controls) throw failures::objectNotSet();
        const Variant type = Variant::fromInt(host::msoControlButton), none = Variant::missing(),
                      temp = Variant::fromBool(temporary);
        Dispatch added = controls.callObject(controlsAdd, {&type, &none, &none, &none, &temp});
        if (!added) throw failures::objectNotSet();
        return std::make_unique<OutlookButton>(std::move(added));
    }

private:
    Dispatch d_;
};

class OutlookExplorer : public host::Explorer {
public:
    explicit OutlookExplorer(Dispatch d) : d_(std::move(d)) {}
    std::unique_ptr<host::CommandBar> commandBar(const std::u16string& name) override {
        const Dispatch bars = d_.getObject(explorerCommandBars);
        if (!bars) return nullptr;
        const Variant n = Variant::fromText(name);
        Dispatch bar = bars.getObject(commandBarsItem, {&n});
        return bar ? std::make_unique<OutlookCommandBar>(std::move(bar)) : nullptr;
    }

private:
    Dispatch d_;
};

class OutlookApplication : public host::Application {
public:
    explicit OutlookApplication(Dispatch d) : d_(std::move(d)) {}
    std::u16string name() override { return d_.getText(appName); }
    std::unique_ptr<host::Explorer> activeExplorer() override {
        Dispatch explorer = d_.callObject(appActiveExplorer);
        return explorer ? std::make_unique<OutlookExplorer>(std::move(explorer)) : nullptr;
    }
    std::unique_ptr<host::Namespace> getNamespace(const std::u16string& type) override {
        const Variant t = Variant::fromText(type);
        Dispatch ns = d_.callObject(appGetNamespace, {&t});
        if (!ns) throw failures::objectNotSet();
        return std::make_unique<OutlookNamespace>(std::move(ns));
    }
    std::unique_ptr<host::EventConnection> onItemSend(std::function<void(host::Item&, bool&)> handler) override {
        return connectEvents(
            d_, DIID_ApplicationEvents_11,
            [handler = std::move(handler)](DISPID event, DISPPARAMS& params) {
                if (event != dispidItemSend) return;
                VARIANT_BOOL& cancel = eventFlag(params, 0);
                OutlookItem sent(eventObject(params, 1));
                bool flag = cancel != VARIANT_FALSE;
                handler(sent, flag);
                cancel = flag ? VARIANT_TRUE : VARIANT_FALSE;
            },
            Op::applicationItemSend);
    }

private:
    Dispatch d_;
};

class OutlookAddInInstance : public host::AddInInstance {
public:
    explicit OutlookAddInInstance(Dispatch d) : d_(std::move(d)) {}
    std::u16string progId() override { return d_.getText(instanceProgId); }

private:
    Dispatch d_;
};

}  // namespace

std::shared_ptr<host::Application> outlookApplication(Dispatch application) {
    return std::make_shared<OutlookApplication>(std::move(application));
}
std::unique_ptr<host::AddInInstance> outlookAddInInstance(Dispatch addInInstance) {
    return std::make_unique<OutlookAddInInstance>(std::move(addInInstance));
}
std::unique_ptr<host::Item> outlookItem(Dispatch item) { return std::make_unique<OutlookItem>(std::move(item)); }

}  // namespace sw::win
