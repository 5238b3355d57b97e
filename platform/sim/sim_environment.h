#pragma once
// Everything the core needs on Linux, wired together: the add-in's folder is
// `folder` (config.xml and debug.log live there), message boxes are recorded and
// answered with their default button unless the caller says otherwise.
#include <filesystem>

#include "config/config_store.h"
#include "diagnostics/diagnostics.h"
#include "sim/clocks.h"
#include "sim/posix_files.h"
#include "sim/pugi_document.h"
#include "sim/recorded_message_boxes.h"

namespace sw::sim {

struct SimEnvironment {
    explicit SimEnvironment(const std::filesystem::path& folder)
        : files(folder), ports{clock, messageBoxes, files}, diagnostics(ports), config(diagnostics, documents) {}

    SimClock clock;
    RecordedMessageBoxes messageBoxes;
    PosixFiles files;
    PugiDocumentFactory documents;
    Ports ports;
    Diagnostics diagnostics;
    ConfigStore config;
};

}  // namespace sw::sim
