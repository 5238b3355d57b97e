#include "win32/win_files.h"

#include <windows.h>

#include <string>

#include "win32/com_failure.h"
#include "win32/handles.h"
#include "win32/module.h"

namespace sw::win {

Failure fileFailure(unsigned long error, const std::filesystem::path& file) {
    std::int32_t number = 75;  // path/file access error
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: number = 53; break;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: number = 70; break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: number = 61; break;
        default: break;
    }
    return Failure(number, systemMessage(error) + u": " + fromWide(file.c_str()));
}

std::filesystem::path WinFiles::moduleFolder() { return thisModulePath().parent_path(); }

void WinFiles::requireFile(const std::filesystem::path& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw fileFailure(GetLastError(), file);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw fileFailure(ERROR_FILE_NOT_FOUND, file);
}

void WinFiles::setAttributes(const std::filesystem::path& file, int attributes) {
    const DWORD flags = (attributes & 1) ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
    if (!SetFileAttributesW(file.c_str(), flags)) throw fileFailure(GetLastError(), file);
}

void WinFiles::appendLine(const std::filesystem::path& file, const std::u16string& line) {
    const std::u16string withEnd = line + u"\r\n";
    std::string bytes;
    if (!withEnd.empty()) {
        const int length = WideCharToMultiByte(CP_ACP, 0, wide(withEnd), static_cast<int>(withEnd.size()), nullptr,
                                               0, nullptr, nullptr);
        bytes.resize(static_cast<std::size_t>(length));
        WideCharToMultiByte(CP_ACP, 0, wide(withEnd), static_cast<int>(withEnd.size()), bytes.data(), length,
                            nullptr, nullptr);
    }
    FileHandle out(CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.valid()) throw fileFailure(GetLastError(), file);
    DWORD written = 0;
    if (!WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        throw fileFailure(GetLastError(), file);
    if (!out.close()) throw fileFailure(GetLastError(), file);
}

std::optional<std::filesystem::path> WinFiles::createReplacement(const std::filesystem::path& file) {
    // A fresh name beside the file, taken only if no file has it yet.
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path name = file;
        name += L".saving-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount64() + attempt);
        FileHandle created(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                       nullptr));
        if (created.valid()) return name;
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
        if (error != ERROR_ACCESS_DENIED) throw fileFailure(error, file.parent_path());
        // A folder that refuses new files may hold a file this user may write: the
        // caller then writes it in place.
        FileHandle writable(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!writable.valid()) throw fileFailure(GetLastError(), file);
        return std::nullopt;
    }
    throw fileFailure(ERROR_FILE_EXISTS, file);
}

void WinFiles::replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    {
        FileHandle written(CreateFileW(from.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!written.valid()) throw fileFailure(GetLastError(), from);
        if (!FlushFileBuffers(written.get())) throw fileFailure(GetLastError(), from);
    }
    // Windows' own replace keeps the old file's attributes and security descriptor.
    if (!ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        throw fileFailure(GetLastError(), to);
}

void WinFiles::removeFile(const std::filesystem::path& file) noexcept { DeleteFileW(file.c_str()); }

}  // namespace sw::win
