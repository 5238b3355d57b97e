#pragma once
// Files on Linux: read-only is the absence of write permission; debug.log is UTF-8;
// a replaced file keeps its mode, owner, group and the links that name it.
#include "diagnostics/failure.h"
#include "platform.h"

namespace sw::sim {

class PosixFiles : public Files {
public:
    explicit PosixFiles(std::filesystem::path moduleFolder) : folder_(std::move(moduleFolder)) {}

    std::filesystem::path moduleFolder() override { return folder_; }
    void requireFile(const std::filesystem::path& file) override;
    void setAttributes(const std::filesystem::path& file, int attributes) override;
    void appendLine(const std::filesystem::path& file, const std::u16string& line) override;
    std::optional<std::filesystem::path> createReplacement(const std::filesystem::path& file) override;
    void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void removeFile(const std::filesystem::path& file) noexcept override;

private:
    std::filesystem::path folder_;
};

// A failure for an errno value, numbered as the host's runtime numbers file errors.
Failure fileFailure(int error, const std::filesystem::path& file);

}  // namespace sw::sim
