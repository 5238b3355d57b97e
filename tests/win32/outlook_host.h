#pragma once
// The host's side of loading the add-in, as Outlook and regsvr32 do it: register
// the DLL for the current user, create it by ProgID, connect it.
#include <filesystem>
#include <optional>
#include <string>

#include "win32/handles.h"
#include "win32/office_interfaces.h"

namespace sw::test::win {

extern const std::wstring clsidKey, progIdKey, addInKey;

std::optional<std::wstring> readText(HKEY root, const std::wstring& key, const wchar_t* name);
std::optional<DWORD> readNumber(HKEY root, const std::wstring& key, const wchar_t* name);
bool keyExists(HKEY root, const std::wstring& key);

// regsvr32's part. Wine does not merge the per-user classes into HKEY_CLASSES_ROOT
// as Windows does: mirror() copies the registration under HKLM for the run.
class Registration {
public:
    explicit Registration(const std::filesystem::path& dll);
    ~Registration();
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

    HRESULT call(const char* entry) const;  // one of the DLL's exports
    void mirror() const;
    void unmirror() const;

private:
    HMODULE module_;
};

// Null when the ProgID does not lead to the add-in's class or it cannot be created.
sw::win::ComPtr<sw::win::IDTExtensibility2> createByProgId();
// OnConnection with connect mode 1 (start-up), through the vtable or by IDispatch.
HRESULT connect(sw::win::IDTExtensibility2& addIn, IDispatch* app, IDispatch* instance, bool viaIDispatch);

}  // namespace sw::test::win
