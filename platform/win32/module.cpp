#include "win32/module.h"

#include <atomic>
#include <string>

#include "win32/com_failure.h"

namespace sw::win {
namespace {
std::atomic<long> objects{0};
std::atomic<long> locks{0};
}  // namespace

HMODULE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&thisModule), &module);
    return module;
}

std::filesystem::path thisModulePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(thisModule(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) throw comFailure(HRESULT_FROM_WIN32(GetLastError()), u"GetModuleFileNameW");
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

long liveObjects() { return objects + locks; }
void lockServer(bool lock) { lock ? ++locks : --locks; }

CountedObject::CountedObject() { ++objects; }
CountedObject::~CountedObject() { --objects; }

}  // namespace sw::win
