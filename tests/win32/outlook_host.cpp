#include "win32/outlook_host.h"


namespace sw::test::win {
using namespace sw::win;

const std::wstring clsidKey = std::wstring(L"Software\\Classes\\CLSID\\") + clsidText;
const std::wstring progIdKey = std::wstring(L"Software\\Classes\\") + progId;
const std::wstring addInKey = std::wstring(L"Software\\Microsoft\\Office\\Outlook\\Addins\\") + progId;

std::optional<std::wstring> readText(HKEY root, const std::wstring& key, const wchar_t* name) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) return {};
    return buffer;
}

std::optional<DWORD> readNumber(HKEY root, const std::wstring& key, const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) return {};
    return value;
}

bool keyExists(HKEY root, const std::wstring& key) {
    RegKey k;
    return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, k.put()) == ERROR_SUCCESS;
}

Registration::Registration(const std::filesystem::path& dll) : module_(LoadLibraryW(dll.c_str())) {}

Registration::~Registration() {
    unmirror();
    call("DllUnregisterServer");
    FreeLibrary(module_);
}

HRESULT Registration::call(const char* entry) const {
    auto* function = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(module_, entry)));
    return function ? function() : E_NOTIMPL;
}

void Registration::mirror() const {
    for (const std::wstring* key : {&clsidKey, &progIdKey}) {
        RegKey from, to;
        RegOpenKeyExW(HKEY_CURRENT_USER, key->c_str(), 0, KEY_READ, from.put());
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, key->c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, to.put(), nullptr);
        RegCopyTreeW(from.get(), nullptr, to.get());
    }
}

void Registration::unmirror() const {
    for (const std::wstring* key : {&clsidKey, &progIdKey}) {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, key->c_str());
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, key->c_str());
    }
}

ComPtr<IDTExtensibility2> createByProgId() {
    CLSID clsid{};
    ComPtr<IDTExtensibility2> addIn;
    if (CLSIDFromProgID(progId, &clsid) != S_OK || clsid != CLSID_dsrOutlook2003) return addIn;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDTExtensibility2, addIn.putVoid());
    return addIn;
}

HRESULT connect(IDTExtensibility2& addIn, IDispatch* app, IDispatch* instance, bool viaIDispatch) {
    if (!viaIDispatch) {
        SAFEARRAY* custom = nullptr;
        return addIn.OnConnection(app, 1, instance, &custom);
    }
    // As a late-binding host calls it: arguments last to first.
    VARIANT args[4];
    for (VARIANT& a : args) VariantInit(&a);
    args[3].vt = VT_DISPATCH, args[3].pdispVal = app;
    args[2].vt = VT_I4, args[2].lVal = 1;
    args[1].vt = VT_DISPATCH, args[1].pdispVal = instance;
    args[0].vt = VT_ERROR, args[0].scode = DISP_E_PARAMNOTFOUND;
    DISPPARAMS params{args, nullptr, 4, 0};
    DISPID id = 0;
    auto* name = const_cast<LPOLESTR>(L"OnConnection");
    if (const HRESULT hr = addIn.GetIDsOfNames(IID_NULL, &name, 1, 0, &id); FAILED(hr)) return hr;
    return addIn.Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

}  // namespace sw::test::win
