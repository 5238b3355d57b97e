#pragma once
// Files on Windows: the read-only attribute, the system's own atomic replace (it
// keeps the file's attributes and security), debug.log in the ANSI code page.
#include "diagnostics/failure.h"
#include "platform.h"

namespace sw::win {

class WinFiles : public Files {
public:
    std::filesystem::path moduleFolder() override;
    void requireFile(const std::filesystem::path& file) override;
    void setAttributes(const std::filesystem::path& file, int attributes) override;
    void appendLine(const std::filesystem::path& file, const std::u16string& line) override;
    std::optional<std::filesystem::path> createReplacement(const std::filesystem::path& file) override;
    void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void removeFile(const std::filesystem::path& file) noexcept override;
};

// A failure for a Win32 error code, numbered as the host's runtime numbers file errors.
Failure fileFailure(unsigned long error, const std::filesystem::path& file);

}  // namespace sw::win
