#pragma once
// The ports both platforms implement, as each platform provides them, so that one
// suite per port holds both to the same promises.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/xml.h"
#include "host/host.h"
#include "platform.h"
#include "sim/outlook/sim_outlook.h"

namespace sw::test {

struct PortSet {
    std::string name;
    std::function<std::unique_ptr<xml::DocumentFactory>()> documents;
    std::function<std::unique_ptr<Files>(const std::filesystem::path& folder)> files;
    // The host interfaces over a substitute Outlook's state: its own objects, or
    // Outlook's IDispatch objects played by the test program and read by the adapter.
    std::function<std::shared_ptr<host::Application>(sim::SimApplication& app)> application;
    std::function<std::unique_ptr<host::Item>(sim::SimApplication& app, sim::MailState& mail)> item;
    std::function<std::unique_ptr<host::AddInInstance>(sim::SimApplication& app)> addInInstance;
    // Wine's MSXML, unlike Windows', reads no Shift_JIS file and accepts an
    // undeclared namespace prefix.
    bool wineMsxml = false;
};

// Defined once per platform.
std::vector<PortSet> platformPorts();

inline void PrintTo(const PortSet& ports, std::ostream* os) { *os << ports.name; }
inline std::string portName(const ::testing::TestParamInfo<PortSet>& info) { return info.param.name; }

}  // namespace sw::test
