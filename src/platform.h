#pragma once
// The ports the core needs from a platform. Implementations live in platform/*.
#include <filesystem>
#include <optional>
#include <string>

#include "datetime.h"

namespace sw {

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() = 0;
};

// Message-box styles and answers use the Windows values.
namespace mb {
inline constexpr int okOnly = 0;
inline constexpr int critical = 16;
inline constexpr int question = 32;
inline constexpr int exclamation = 48;
inline constexpr int information = 64;
inline constexpr int answerOk = 1;
}  // namespace mb

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal; returns the button the user chose (mb::answerOk for an OK-only box).
    virtual int show(const std::u16string& text, const std::u16string& title, int style) = 0;
};

class Files {
public:
    virtual ~Files() = default;
    // The folder that holds the add-in (the DLL's folder; the sim's --config-dir).
    virtual std::filesystem::path moduleFolder() = 0;
    // Throws Failure (file not found, 53) when the file does not exist.
    virtual void requireFile(const std::filesystem::path& file) = 0;
    // 0 = plain file, 1 = read-only; nothing else is used.
    virtual void setAttributes(const std::filesystem::path& file, int attributes) = 0;
    // Appends text + CR LF in the system's code page; creates the file when missing.
    // Throws Failure when the file cannot be opened or written.
    virtual void appendLine(const std::filesystem::path& file, const std::u16string& line) = 0;
    // Saving a file without losing it: createReplacement, write the whole new content
    // to the path it returns, then replaceFile; removeFile the replacement if anything
    // fails. When it returns nothing, write the file in place instead.
    //
    // Creates a new, empty file beside `file` (beside the file a symbolic link names),
    // exclusively, under a name no other file has, and returns its path; the caller
    // owns it. Returns nothing when the folder refuses new files though `file` itself
    // can be written. Throws Failure otherwise (`file` refuses writes as well, or any
    // other error).
    virtual std::optional<std::filesystem::path> createReplacement(const std::filesystem::path& file) = 0;
    // Makes `from` (from createReplacement) durable and puts it in place of `to` in one
    // step. `to` keeps its identity: a symbolic link stays and names the new content,
    // and the file's permissions, owner and group (attributes and security) carry over
    // where this process may set them. Throws Failure, leaving `to` as it was and
    // `from` to the caller.
    virtual void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Best effort; never throws.
    virtual void removeFile(const std::filesystem::path& file) noexcept = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    virtual void openUrl(const std::u16string& url) = 0;
};

}  // namespace sw

namespace sw::ui {
class WindowModel;
}
namespace sw::xml {
class DocumentFactory;
}

namespace sw {

class Windows {
public:
    virtual ~Windows() = default;
    // Shows the window modally: returns when window.visible() is false. Models may call it
    // again from inside a handler (a window that opens another); the view runs a nested
    // modal loop.
    virtual void showModal(ui::WindowModel& window) = 0;
};

// Everything a platform lends the core. The add-in takes the whole set; each part
// of the core is handed the ports it uses, never the set.
struct Platform {
    Clock& clock;
    MessageBoxes& messageBoxes;
    Files& files;
    xml::DocumentFactory& documents;
    Windows& windows;
    Shell& shell;
};

}  // namespace sw
