// The four entry points of an in-process COM server, and its class factory.
#include <windows.h>
#include <unknwn.h>

#include "diagnostics/failure.h"
#include "win32/addin_object.h"
#include "win32/com_object.h"
#include "win32/module.h"
#include "win32/registration.h"

namespace sw::win {
namespace {

class AddInFactory : public ComObject<IClassFactory> {
public:
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        try {
            IDTExtensibility2* object = createAddInObject();
            const HRESULT hr = object->QueryInterface(iid, out);
            object->Release();
            return hr;
        } catch (...) {
            return hresultFromCurrentException();
        }
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        lockServer(lock != FALSE);
        return S_OK;
    }

protected:
    void* answers(REFIID iid) override { return iid == IID_IClassFactory ? static_cast<IClassFactory*>(this) : nullptr; }
};

}  // namespace
}  // namespace sw::win

extern "C" {

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (clsid != sw::win::CLSID_dsrOutlook2003) return CLASS_E_CLASSNOTAVAILABLE;
    try {
        auto* factory = new sw::win::AddInFactory();
        const HRESULT hr = factory->QueryInterface(iid, out);
        factory->Release();
        return hr;
    } catch (...) {
        return sw::hresultFromCurrentException();
    }
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() { return sw::win::liveObjects() == 0 ? S_OK : S_FALSE; }

HRESULT STDAPICALLTYPE DllRegisterServer() {
    try {
        sw::win::registerAddIn(sw::win::thisModulePath());
        return S_OK;
    } catch (...) {
        return sw::hresultFromCurrentException();
    }
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
    try {
        sw::win::unregisterAddIn();
        return S_OK;
    } catch (...) {
        return sw::hresultFromCurrentException();
    }
}

}  // extern "C"
