#pragma once
// Reference counting and QueryInterface for the DLL's own COM objects. Each object
// lists the interfaces it answers; IUnknown is the first of them.
#include <windows.h>

#include <atomic>
#include <initializer_list>

#include "win32/module.h"

namespace sw::win {

template <class Primary>
class ComObject : public Primary, public CountedObject {
public:
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || answers(iid)) {
            *out = static_cast<Primary*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }

protected:
    // The interfaces besides IUnknown that the object's primary vtable serves.
    virtual bool answers(REFIID iid) const = 0;

private:
    std::atomic<ULONG> references_{1};
};

}  // namespace sw::win
