#pragma once
// Reference counting and QueryInterface for COM objects written here. An object
// derives from the interfaces it implements; answers() hands out the one asked for.
#include <windows.h>

#include <atomic>

#include "win32/module.h"

namespace sw::win {

template <class Primary, class... Others>
class ComObject : public Primary, public Others..., public CountedObject {
public:
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = iid == IID_IUnknown ? static_cast<Primary*>(this) : answers(iid);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }

protected:
    // The interface `iid` names as this object implements it, or null.
    virtual void* answers(REFIID iid) = 0;

private:
    std::atomic<ULONG> references_{1};
};

}  // namespace sw::win
