#pragma once
// A configuration store over a temporary add-in folder, and a settings window stand-in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/sim_environment.h"
#include "support/config_text.h"
#include "support/report_text.h"
#include "support/temp_folder.h"

namespace sw::test {

struct FakeSettings : SettingsSource {
    std::vector<std::u16string> lists[3];
    std::u16string minutes = u"5";
    bool useDeferred = false;

    std::int32_t entryCount(int list) override { return static_cast<std::int32_t>(lists[list].size()); }
    std::u16string entry(int list, std::int32_t index) override { return lists[list].at(static_cast<std::size_t>(index)); }
    std::u16string minutesText() override { return minutes; }
    bool useDeferredDeliveryChecked() override { return useDeferred; }
};

class ConfigTest : public ::testing::Test {
protected:
    TempFolder folder;
    sim::SimEnvironment env{folder.path()};
    ConfigStore& store = env.config;

    void writeConfig(const std::string& inner) { folder.write("config.xml", configXml(inner)); }
    std::vector<std::u16string> boxTexts() const {
        std::vector<std::u16string> texts;
        for (const auto& m : env.messageBoxes.shown) texts.push_back(m.text);
        return texts;
    }
    std::u16string position(std::size_t n) const { return ReportReader{env.messageBoxes.shown}.position(n); }
    std::u16string procedure(std::size_t n) const { return ReportReader{env.messageBoxes.shown}.procedure(n); }
};

}  // namespace sw::test
