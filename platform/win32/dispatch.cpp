#include "win32/dispatch.h"

#include <vector>

#include "text.h"
#include "win32/com_failure.h"

namespace sw::win {
namespace {

std::u16string operationText(const Member& member) {
    const std::string_view name = host::operationName(member.operation);
    return fromUtf8(name);
}

Variant changed(const Variant& value, VARTYPE type, const Member& member) {
    Variant out;
    check(VariantChangeType(out.get(), const_cast<VARIANT*>(&value.ref()), 0, type), operationText(member));
    return out;
}

}  // namespace

DISPID Dispatch::lookUp(const Member& member) const {
    if (!object_) throw failures::objectNotSet();
    DISPID id = DISPID_UNKNOWN;
    auto* name = const_cast<LPOLESTR>(member.name);
    const HRESULT hr = object_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(hr)) return id;
    if (member.fallback != noFallback) return member.fallback;
    throw comFailure(hr, operationText(member));
}

Variant Dispatch::invoke(const Member& member, WORD flags, std::initializer_list<const Variant*> args,
                         bool namedPut) const {
    const DISPID id = lookUp(member);
    // DISPPARAMS take their arguments last to first; Invoke does not change them.
    std::vector<VARIANT> reversed;
    for (auto it = args.end(); it != args.begin();) reversed.push_back((*--it)->ref());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), namedPut ? &putId : nullptr, static_cast<UINT>(reversed.size()),
                      namedPut ? 1u : 0u};
    Variant result;
    EXCEPINFO info{};
    UINT argError = 0;
    const HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                       namedPut ? nullptr : result.get(), &info, &argError);
    if (hr == DISP_E_EXCEPTION) throw dispatchFailure(hr, info, operationText(member));
    check(hr, operationText(member));
    return result;
}

Variant Dispatch::get(const Member& member, std::initializer_list<const Variant*> args) const {
    return invoke(member, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}

Variant Dispatch::call(const Member& member, std::initializer_list<const Variant*> args) const {
    return invoke(member, DISPATCH_METHOD, args);
}

void Dispatch::put(const Member& member, const Variant& value) const {
    invoke(member, DISPATCH_PROPERTYPUT, {&value}, true);
}

std::int32_t Dispatch::getInt(const Member& member) const { return toInt(get(member), member); }
std::u16string Dispatch::getText(const Member& member) const { return toText(get(member), member); }
Dispatch Dispatch::getObject(const Member& member, std::initializer_list<const Variant*> args) const {
    return toObject(get(member, args), member);
}
Dispatch Dispatch::callObject(const Member& member, std::initializer_list<const Variant*> args) const {
    return toObject(call(member, args), member);
}

std::int32_t toInt(const Variant& value, const Member& member) { return changed(value, VT_I4, member).ref().lVal; }

std::u16string toText(const Variant& value, const Member& member) {
    Variant text = changed(value, VT_BSTR, member);
    const BSTR b = text.ref().bstrVal;
    return b ? fromWide(b, SysStringLen(b)) : std::u16string();
}

double toDate(const Variant& value, const Member& member) { return changed(value, VT_DATE, member).ref().date; }

Dispatch toObject(const Variant& value, const Member& member) {
    const VARIANT& v = value.ref();
    if (v.vt == VT_EMPTY || v.vt == VT_NULL) return {};
    if (v.vt == VT_DISPATCH) return Dispatch(ComPtr<IDispatch>::addRef(v.pdispVal));
    if (v.vt == VT_UNKNOWN && v.punkVal) {
        ComPtr<IDispatch> object;
        check(v.punkVal->QueryInterface(IID_IDispatch, object.putVoid()), operationText(member));
        return Dispatch(std::move(object));
    }
    throw comFailure(DISP_E_TYPEMISMATCH, operationText(member));
}

}  // namespace sw::win
