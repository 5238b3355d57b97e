#include "win32/outlook_facade.h"

#include <ocidl.h>
#include <olectl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "diagnostics/failure.h"
#include "diagnostics/hresult.h"
#include "win32/com_failure.h"
#include "win32/com_object.h"
#include "win32/dispatch.h"
#include "win32/office_interfaces.h"

namespace sw::test::win {
using namespace sw::win;
namespace {

HRESULT sinkResult = S_OK;

// Arguments in declared order; a left-out optional argument is VT_ERROR/PARAMNOTFOUND.
struct Args {
    std::vector<VARIANT*> values;

    VARIANT& at(std::size_t i) const {
        if (i >= values.size()) throw Failure(static_cast<std::int32_t>(DISP_E_BADPARAMCOUNT), u"Argument missing");
        return *values[i];
    }
    bool missing(std::size_t i) const {
        return i >= values.size() || (values[i]->vt == VT_ERROR && values[i]->scode == DISP_E_PARAMNOTFOUND);
    }
    void requireMissing(std::initializer_list<std::size_t> positions) const {
        for (std::size_t i : positions)
            if (!missing(i)) throw Failure(static_cast<std::int32_t>(DISP_E_TYPEMISMATCH), u"Argument must be left out");
    }
    Variant converted(std::size_t i, VARTYPE type) const {
        Variant out;
        check(VariantChangeType(out.get(), &at(i), 0, type), u"argument");
        return out;
    }
    std::u16string text(std::size_t i) const {
        Variant v = converted(i, VT_BSTR);
        return fromWide(v.ref().bstrVal, SysStringLen(v.ref().bstrVal));
    }
    std::int32_t integer(std::size_t i) const { return converted(i, VT_I4).ref().lVal; }
    bool flag(std::size_t i) const { return converted(i, VT_BOOL).ref().boolVal != VARIANT_FALSE; }
    double date(std::size_t i) const { return converted(i, VT_DATE).ref().date; }
};

struct FakeMember {
    const wchar_t* name;
    DISPID id;
    bool documented;  // Outlook documents the number
    std::function<Variant(const Args&, bool put)> run;
};

// One connection point: each advised sink becomes one handler on the host object.
using Subscribe = std::function<std::unique_ptr<host::EventConnection>(ComPtr<IDispatch> sink)>;

class Point : public IConnectionPoint {
public:
    Point(IConnectionPointContainer* owner, IID events, Subscribe subscribe)
        : owner_(owner), events_(events), subscribe_(std::move(subscribe)) {}

    STDMETHODIMP_(ULONG) AddRef() override { return owner_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner_->Release(); }
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return *out = nullptr, E_NOINTERFACE;
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP GetConnectionInterface(IID* iid) override { return *iid = events_, S_OK; }
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override {
        owner_->AddRef();
        return *out = owner_, S_OK;
    }
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override {
        // Outlook asks the sink for the event interface itself.
        ComPtr<IDispatch> events;
        if (!sink || FAILED(sink->QueryInterface(events_, events.putVoid()))) return CONNECT_E_CANNOTCONNECT;
        try {
            *cookie = ++next_;
            connections_[*cookie] = subscribe_(std::move(events));
            return S_OK;
        } catch (...) {
            return hresultFromCurrentException();
        }
    }
    STDMETHODIMP Unadvise(DWORD cookie) override { return connections_.erase(cookie) ? S_OK : CONNECT_E_NOCONNECTION; }
    STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

private:
    IConnectionPointContainer* owner_;
    IID events_;
    Subscribe subscribe_;
    DWORD next_ = 0;
    std::map<DWORD, std::unique_ptr<host::EventConnection>> connections_;
};

class Facade : public ComObject<IDispatch, IConnectionPointContainer> {
public:
    Facade(std::vector<FakeMember> members, FacadeOptions options) : members_(std::move(members)), options_(options) {}

    void addEvents(const IID& events, Subscribe subscribe) {
        points_.push_back(std::make_unique<Point>(this, events, std::move(subscribe)));
    }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (count != 1) return DISP_E_UNKNOWNNAME;
        for (const FakeMember& m : members_)
            if (lstrcmpiW(m.name, names[0]) == 0 && !(options_.refuseNames && m.documented)) return *ids = m.id, S_OK;
        return *ids = DISPID_UNKNOWN, DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                        UINT*) override {
        const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
        for (const FakeMember& m : members_) {
            if (m.id != id) continue;
            try {
                Args args;
                for (UINT i = params->cArgs; i-- > 0;) args.values.push_back(&params->rgvarg[i]);
                Variant value = m.run(args, put);
                if (result) VariantCopy(result, value.get());
                return S_OK;
            } catch (...) {
                const ErrorValue error = errorFromCurrentException();
                if (info) {
                    *info = EXCEPINFO{};
                    info->scode = error.number < 0 ? error.number : hresult::fromRuntimeError(error.number);
                    info->bstrDescription = Bstr(error.description).detach();
                    info->bstrSource = SysAllocString(L"Outlook");
                }
                return DISP_E_EXCEPTION;
            }
        }
        return DISP_E_MEMBERNOTFOUND;
    }
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }

    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
        for (auto& point : points_) {
            IID events{};
            point->GetConnectionInterface(&events);
            if (events == iid) return point->QueryInterface(IID_IConnectionPoint, reinterpret_cast<void**>(out));
        }
        return *out = nullptr, CONNECT_E_NOCONNECTION;
    }

protected:
    void* answers(REFIID iid) override {
        if (iid == IID_IDispatch) return static_cast<IDispatch*>(this);
        if (iid == IID_IConnectionPointContainer && !points_.empty())
            return static_cast<IConnectionPointContainer*>(this);
        return nullptr;
    }

private:
    std::vector<FakeMember> members_;
    FacadeOptions options_;
    std::vector<std::unique_ptr<Point>> points_;
};

ComPtr<IDispatch> make(std::vector<FakeMember> members, FacadeOptions options) {
    return ComPtr<IDispatch>(new Facade(std::move(members), options));
}

Variant object(ComPtr<IDispatch> d) { return Variant::fromDispatch(d.get()); }
Variant nothing() { return Variant::fromDispatch(nullptr); }

template <class T>
std::shared_ptr<T> shared(std::unique_ptr<T> p) {
    return std::shared_ptr<T>(std::move(p));
}

// Raises an event on one sink the way Outlook does, arguments last to first.
void raise(const ComPtr<IDispatch>& sink, DISPID event, ComPtr<IDispatch> object, bool& flag) {
    VARIANT_BOOL answer = flag ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT args[2];
    VariantInit(&args[0]), VariantInit(&args[1]);
    args[0].vt = VT_BOOL | VT_BYREF;
    args[0].pboolVal = &answer;
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = object.get();
    DISPPARAMS params{args, nullptr, 2, 0};
    sinkResult = sink->Invoke(event, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    flag = answer != VARIANT_FALSE;
}

ComPtr<IDispatch> recipientFacade(std::shared_ptr<host::Recipient> r, FacadeOptions o) {
    return make({{L"Name", 0x3001, true, [r](const Args&, bool) { return Variant::fromText(r->name()); }},
                 {L"Address", 0x3003, true, [r](const Args&, bool) { return Variant::fromText(r->address()); }},
                 {L"Type", 0xC15, true, [r](const Args&, bool) { return Variant::fromInt(r->type()); }}},
                o);
}

ComPtr<IDispatch> recipientsFacade(std::shared_ptr<host::Recipients> r, FacadeOptions o) {
    return make({{L"Count", 0x50, true, [r](const Args&, bool) { return Variant::fromInt(r->count()); }},
                 {L"Item", 0x51, true,
                  [r, o](const Args& a, bool) { return object(recipientFacade(shared(r->item(a.integer(0))), o)); }}},
                o);
}

ComPtr<IDispatch> buttonFacade(std::shared_ptr<host::Button> b, FacadeOptions o) {
    auto* facade = new Facade(
        {{L"BeginGroup", 0x60030010, false, [b](const Args& a, bool) { return b->setBeginGroup(a.flag(0)), Variant(); }},
         {L"Tag", 0x60030031, false, [b](const Args& a, bool) { return b->setTag(a.text(0)), Variant(); }},
         {L"Caption", 0x60030008, false, [b](const Args& a, bool) { return b->setCaption(a.text(0)), Variant(); }},
         {L"OnAction", 0x6003001C, false, [b](const Args& a, bool) { return b->setOnAction(a.text(0)), Variant(); }}},
        o);
    ComPtr<IDispatch> self(facade);
    IDispatch* raw = self.get();  // the button passes itself as Ctrl; the handler outlives no click
    facade->addEvents(DIID_CommandBarButtonEvents, [b, raw](ComPtr<IDispatch> sink) {
        return b->onClick([sink, raw] {
            bool cancelDefault = false;
            raise(sink, dispidClick, ComPtr<IDispatch>::addRef(raw), cancelDefault);
        });
    });
    return self;
}

ComPtr<IDispatch> commandBarFacade(std::shared_ptr<host::CommandBar> bar, FacadeOptions o) {
    auto controls = make({{L"Add", 0x60030000, true,
                           [bar, o](const Args& a, bool) {
                               a.requireMissing({1, 2, 3});
                               if (a.integer(0) != host::msoControlButton)
                                   throw Failure(hresult::eInvalidArg, u"Only buttons here");
                               return object(buttonFacade(shared(bar->addButton(a.flag(4))), o));
                           }}},
                         o);
    return make({{L"FindControl", 0x60040007, true,
                  [bar, o](const Args& a, bool) {
                      a.requireMissing({0, 1, 3, 4});
                      auto found = bar->findControlByTag(a.text(2));
                      return found ? object(buttonFacade(shared(std::move(found)), o)) : nothing();
                  }},
                 {L"Controls", 0x60040003, true, [controls](const Args&, bool) { return object(controls); }}},
                o);
}

ComPtr<IDispatch> explorerFacade(std::shared_ptr<host::Explorer> e, FacadeOptions o) {
    auto bars = make({{L"Item", DISPID_VALUE, true,
                       [e, o](const Args& a, bool) {
                           auto bar = e->commandBar(a.text(0));
                           return bar ? object(commandBarFacade(shared(std::move(bar)), o)) : nothing();
                       }}},
                     o);
    return make({{L"CommandBars", 0x2100, true, [bars](const Args&, bool) { return object(bars); }}}, o);
}

}  // namespace

ComPtr<IDispatch> itemFacade(std::shared_ptr<host::Item> item, FacadeOptions o) {
    auto attachments = make(
        {{L"Count", 0x50, true, [item](const Args&, bool) { return Variant::fromInt(item->attachmentCount()); }}}, o);
    return make(
        {{L"Class", 0xF00A, true, [item](const Args&, bool) { return Variant::fromInt(item->itemClass()); }},
         {L"Save", 0xF048, true, [item](const Args&, bool) { return item->save(), Variant(); }},
         {L"Subject", 0x37, true, [item](const Args&, bool) { return Variant::fromText(item->subject()); }},
         {L"Body", 0x9100, true, [item](const Args&, bool) { return Variant::fromText(item->body()); }},
         {L"Attachments", 0xF815, true, [attachments](const Args&, bool) { return object(attachments); }},
         {L"DeferredDeliveryTime", 0xF, true,
          [item](const Args& a, bool put) {
              if (put) return item->setDeferredDeliveryTime(LocalDateTime::fromOleDate(a.date(0))), Variant();
              return Variant::fromDate(item->deferredDeliveryTime().toOleDate());
          }},
         {L"Recipients", 0xF814, true,
          [item, o](const Args&, bool) { return object(recipientsFacade(shared(item->recipients()), o)); }},
         {L"ReplyRecipients", 0xF013, true,
          [item, o](const Args&, bool) { return object(recipientsFacade(shared(item->replyRecipients()), o)); }}},
        o);
}

ComPtr<IDispatch> applicationFacade(std::shared_ptr<host::Application> app, FacadeOptions o) {
    auto* facade = new Facade(
        {{L"Name", 0x3001, true, [app](const Args&, bool) { return Variant::fromText(app->name()); }},
         {L"ActiveExplorer", 0x111, true,
          [app, o](const Args&, bool) {
              auto e = app->activeExplorer();
              return e ? object(explorerFacade(shared(std::move(e)), o)) : nothing();
          }},
         {L"GetNamespace", 0x110, true,
          [app, o](const Args& a, bool) {
              std::shared_ptr<host::Namespace> ns = app->getNamespace(a.text(0));
              return object(make({{L"ExchangeConnectionMode", 0xFAC1, true,
                                   [ns](const Args&, bool) { return Variant::fromInt(ns->exchangeConnectionMode()); }}},
                                 o));
          }}},
        o);
    ComPtr<IDispatch> self(facade);
    facade->addEvents(DIID_ApplicationEvents_11, [app, o](ComPtr<IDispatch> sink) {
        return app->onItemSend([sink, o](host::Item& item, bool& cancel) {
            // The item lives as long as the event; the facade borrows it.
            raise(sink, dispidItemSend, itemFacade(std::shared_ptr<host::Item>(&item, [](host::Item*) {}), o), cancel);
        });
    });
    return self;
}

ComPtr<IDispatch> addInInstanceFacade(std::shared_ptr<host::AddInInstance> instance, FacadeOptions o) {
    return make({{L"ProgId", 0x60020001, false, [instance](const Args&, bool) { return Variant::fromText(instance->progId()); }}},
                o);
}

HRESULT lastSinkResult() { return sinkResult; }

}  // namespace sw::test::win
