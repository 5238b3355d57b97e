#pragma once
// Everything the core needs on Linux, wired together: the add-in's folder is
// `folder` (config.xml and debug.log live there), message boxes are recorded and
// answered with their default button unless the caller says otherwise, windows are
// answered by script and the shell opens nothing.
#include <filesystem>

#include "config/config_store.h"
#include "diagnostics/diagnostics.h"
#include "sim/clocks.h"
#include "sim/posix_files.h"
#include "sim/libxml_document.h"
#include "sim/recorded_message_boxes.h"
#include "sim/scripted_windows.h"

namespace sw::sim {

struct SimEnvironment {
    explicit SimEnvironment(const std::filesystem::path& folder)
        : files(folder), diagnostics(messageBoxes, files, clock), config(diagnostics, files, documents) {}

    // The ports for an add-in; `windows` replaces the scripted user when given.
    Platform platform(Windows* otherWindows = nullptr) {
        return Platform{clock, messageBoxes, files, documents, otherWindows ? *otherWindows : windows, shell};
    }

    SimClock clock;
    RecordedMessageBoxes messageBoxes;
    PosixFiles files;
    LibxmlDocumentFactory documents;
    ScriptedWindows windows;
    RecordedShell shell;
    // A store and diagnostics of their own, for code that runs without an add-in.
    Diagnostics diagnostics;
    ConfigStore config;
};

}  // namespace sw::sim
