#include "win32/addin_object.h"

#include <memory>

#include "addin/addin.h"
#include "win32/com_object.h"
#include "win32/msxml_document.h"
#include "win32/outlook_adapter.h"
#include "win32/win_files.h"
#include "win32/win_ports.h"

namespace sw::win {
namespace {

// Every entry point below is a firewall: nothing thrown reaches Outlook.
template <class Body>
HRESULT guarded(Body&& body) noexcept {
    try {
        body();
        return S_OK;
    } catch (...) {
        return hresultFromCurrentException();
    }
}

struct WinPlatform {
    WinClock clock;
    WinMessageBoxes messageBoxes;
    WinFiles files;
    MsxmlDocumentFactory documents;
    WinWindows windows;
    WinShell shell;

    Platform ports() { return Platform{clock, messageBoxes, files, documents, windows, shell}; }
};

struct Entry {
    const wchar_t* name;
    DISPID id;
};
constexpr Entry entries[] = {{L"OnConnection", dispidOnConnection},
                             {L"OnDisconnection", dispidOnDisconnection},
                             {L"OnAddInsUpdate", dispidOnAddInsUpdate},
                             {L"OnStartupComplete", dispidOnStartupComplete},
                             {L"OnBeginShutdown", dispidOnBeginShutdown}};

class AddInObject : public ComObject<IDTExtensibility2> {
public:
    AddInObject() : addIn_(platform_.ports()) {}

    STDMETHODIMP OnConnection(IDispatch* application, int connectMode, IDispatch* addInInst,
                              SAFEARRAY**) override {
        return guarded([&] {
            const auto instance = outlookAddInInstance(Dispatch(ComPtr<IDispatch>::addRef(addInInst)));
            addIn_.OnConnection(outlookApplication(Dispatch(ComPtr<IDispatch>::addRef(application))), connectMode,
                                *instance);
        });
    }
    STDMETHODIMP OnDisconnection(int removeMode, SAFEARRAY**) override {
        return guarded([&] { addIn_.OnDisconnection(removeMode); });
    }
    STDMETHODIMP OnAddInsUpdate(SAFEARRAY**) override {
        return guarded([&] { addIn_.OnAddInsUpdate(); });
    }
    STDMETHODIMP OnStartupComplete(SAFEARRAY**) override {
        return guarded([&] { addIn_.OnStartupComplete(); });
    }
    STDMETHODIMP OnBeginShutdown(SAFEARRAY**) override {
        return guarded([&] { addIn_.OnBeginShutdown(); });
    }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!names || !ids) return E_POINTER;
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            if (i > 0) {
                result = DISP_E_UNKNOWNNAME;  // the handlers have no named arguments
                continue;
            }
            for (const Entry& e : entries)
                if (names[i] && lstrcmpiW(names[i], e.name) == 0) ids[i] = e.id;
            if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
        }
        return result;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT* argError) override {
        if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        if (!params) return E_INVALIDARG;
        if (result) VariantInit(result);
        const UINT expected = id == dispidOnConnection ? 4 : id == dispidOnDisconnection ? 2 : 1;
        if (id < dispidOnConnection || id > dispidOnBeginShutdown) return DISP_E_MEMBERNOTFOUND;
        if (params->cArgs != expected) return DISP_E_BADPARAMCOUNT;
        switch (id) {
            case dispidOnConnection: {
                VARIANT application, mode, instance;
                VariantInit(&application), VariantInit(&mode), VariantInit(&instance);
                HRESULT hr = DispGetParam(params, 0, VT_DISPATCH, &application, argError);
                if (SUCCEEDED(hr)) hr = DispGetParam(params, 1, VT_I4, &mode, argError);
                if (SUCCEEDED(hr)) hr = DispGetParam(params, 2, VT_DISPATCH, &instance, argError);
                if (SUCCEEDED(hr)) hr = OnConnection(application.pdispVal, mode.lVal, instance.pdispVal, nullptr);
                VariantClear(&application), VariantClear(&instance);
                return hr;
            }
            case dispidOnDisconnection: {
                VARIANT mode;
                VariantInit(&mode);
                const HRESULT hr = DispGetParam(params, 0, VT_I4, &mode, argError);
                return SUCCEEDED(hr) ? OnDisconnection(mode.lVal, nullptr) : hr;
            }
            case dispidOnAddInsUpdate: return OnAddInsUpdate(nullptr);
            case dispidOnStartupComplete: return OnStartupComplete(nullptr);
            default: return OnBeginShutdown(nullptr);
        }
    }

protected:
    void* answers(REFIID iid) override {
        return iid == IID_IDispatch || iid == IID_IDTExtensibility2 ? static_cast<IDTExtensibility2*>(this) : nullptr;
    }

private:
    WinPlatform platform_;
    AddIn addIn_;
};

}  // namespace

IDTExtensibility2* createAddInObject() { return new AddInObject(); }

}  // namespace sw::win
