#include "win32/event_sink.h"

#include <ocidl.h>

#include "diagnostics/failure.h"
#include "text.h"
#include "win32/com_failure.h"
#include "win32/com_object.h"

namespace sw::win {
namespace {

class Sink : public ComObject<IDispatch> {
public:
    Sink(const IID& events, EventHandler handler) : events_(events), handler_(std::move(handler)) {}

    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
        try {
            DISPPARAMS none{};
            handler_(id, params ? *params : none);
            return S_OK;
        } catch (...) {
            return hresultFromCurrentException();
        }
    }

protected:
    void* answers(REFIID iid) override {
        return iid == IID_IDispatch || iid == events_ ? static_cast<IDispatch*>(this) : nullptr;
    }

private:
    IID events_;
    EventHandler handler_;
};

class Advised : public host::EventConnection {
public:
    Advised(ComPtr<IConnectionPoint> point, DWORD cookie) : point_(std::move(point)), cookie_(cookie) {}
    ~Advised() override { point_->Unadvise(cookie_); }

private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_;
};

}  // namespace

std::unique_ptr<host::EventConnection> connectEvents(const Dispatch& source, REFIID events, EventHandler handler,
                                                     host::Operation operation) {
    const std::u16string what = fromUtf8(host::operationName(operation));
    if (!source) throw failures::objectNotSet();
    ComPtr<IConnectionPointContainer> container;
    check(source.get()->QueryInterface(IID_IConnectionPointContainer, container.putVoid()), what);
    ComPtr<IConnectionPoint> point;
    check(container->FindConnectionPoint(events, point.put()), what);
    ComPtr<IDispatch> sink(new Sink(events, std::move(handler)));
    DWORD cookie = 0;
    check(point->Advise(sink.get(), &cookie), what);
    return std::make_unique<Advised>(std::move(point), cookie);
}

}  // namespace sw::win
