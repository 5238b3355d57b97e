#include "win32/registration.h"

#include <windows.h>

#include <string>
#include <vector>

#include "win32/com_failure.h"
#include "win32/handles.h"
#include "win32/office_interfaces.h"

namespace sw::win {
namespace {

const std::wstring classesKey = L"Software\\Classes\\";
const std::wstring clsidKey = classesKey + L"CLSID\\" + clsidText;
const std::wstring progIdKey = classesKey + progId;
const std::wstring outlookAddInKey = std::wstring(L"Software\\Microsoft\\Office\\Outlook\\Addins\\") + progId;

// The keys that belong to the add-in alone: registration writes below them only.
const std::wstring* const ownKeys[] = {&clsidKey, &progIdKey, &outlookAddInKey};

struct Value {
    std::wstring key;
    const wchar_t* name;  // null: the key's default value
    std::wstring text;    // REG_SZ unless `isNumber`
    DWORD number = 0;
    bool isNumber = false;
};

std::vector<Value> registrationValues(const std::filesystem::path& dll) {
    return {
        {clsidKey, nullptr, progId},
        {clsidKey + L"\\InprocServer32", nullptr, dll.wstring()},
        {clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {clsidKey + L"\\ProgID", nullptr, progId},
        {progIdKey, nullptr, progId},
        {progIdKey + L"\\CLSID", nullptr, clsidText},
        {outlookAddInKey, L"FriendlyName", L"宛先確認"},
        {outlookAddInKey, L"Description", L"アイテムの送信前に宛先確認用のメッセージボックスを表示します"},
        {outlookAddInKey, L"LoadBehavior", {}, 3, true},
    };
}

void checkRegistry(LSTATUS status, const std::wstring& key) {
    if (status != ERROR_SUCCESS)
        throw comFailure(HRESULT_FROM_WIN32(status), fromWide(key.c_str(), key.size()));
}

void write(const Value& value) {
    RegKey key;
    checkRegistry(RegCreateKeyExW(HKEY_CURRENT_USER, value.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_SET_VALUE, nullptr, key.put(), nullptr),
                  value.key);
    if (value.isNumber)
        checkRegistry(RegSetValueExW(key.get(), value.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value.number),
                                     sizeof value.number),
                      value.key);
    else
        checkRegistry(RegSetValueExW(key.get(), value.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                                     static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t))),
                      value.key);
}

}  // namespace

void registerAddIn(const std::filesystem::path& dll) {
    try {
        for (const Value& value : registrationValues(dll)) write(value);
    } catch (...) {
        unregisterAddIn();
        throw;
    }
}

void unregisterAddIn() {
    for (const std::wstring* key : ownKeys) {
        const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, key->c_str());
        if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
            RegDeleteKeyW(HKEY_CURRENT_USER, key->c_str());
            continue;
        }
        checkRegistry(status, *key);
    }
}

}  // namespace sw::win
