#include "config/config_store.h"

#include "config/conversions.h"
#include "config/node_access.h"
#include "diagnostics/trap.h"

namespace sw {

namespace {
const std::u16string moduleName = u"modConfigXMLHandler";
}

ConfigStore::ConfigStore(Diagnostics& diagnostics, Files& files, xml::DocumentFactory& documents)
    : diagnostics_(diagnostics), files_(files), documents_(documents) {}

void ConfigStore::traceEntry(const std::u16string& procedure) {
    diagnostics_.currentStep = procedure;
    if (!diagnostics_.debugMode) return;
    // The entry trace stands before the trap. A log that cannot be written is told
    // to the user here and the work goes on: neither the add-in's start nor the
    // settings window may fail over a trace line.
    try {
        diagnostics_.writeDebugLog(moduleName, procedure);
    } catch (...) {
        diagnostics_.showErrorReport(moduleName, procedure, errorFromCurrentException());
    }
}

void ConfigStore::loadConfigXML() {
    traceEntry(u"loadConfigXML");
    Diagnostics& d = diagnostics_;
    bool returnedEarly = false;
    bool completed = false;
    auto body = [&] {
        xmlConfig_ = documents_.createDocument();
        configFilePath_ = files_.moduleFolder() / "config.xml";
        configLoaded_ = need(xmlConfig_).load(configFilePath_);
        if (!configLoaded_) {
            returnedEarly = true;
            d.message(u"環境設定ファイルの読み込みに失敗しました。\r\nSendwardenの機能は無効になります。", mb::critical);
            return;
        }

        for (const ConfigListPlace& place : configLists) {
            const std::u16string pattern = std::u16string(place.parent) + u"/" + place.element;
            d.currentStep = u"getElementsByTagName(" + pattern + u")";
            lists_[listIndex(place.list)] = xmlConfig_->getElementsByTagName(pattern);
            ++generation_;
        }

        d.currentStep = u"selectSingleNode(//deferred-delivery)";
        xml::NodePtr node = xmlConfig_->selectSingleNode(u"//deferred-delivery");
        if (!node) {
            deferredMinutes_ = 0;
            useDeferredDelivery_ = false;
        } else {
            deferredMinutes_ = minutesFromText(node->text());
            useDeferredDelivery_ = flagFromText(need(node->attribute(u"use")).text());
        }

        d.currentStep = u"selectSingleNode(//debug)";
        node = xmlConfig_->selectSingleNode(u"//debug");
        d.debugMode = node ? flagFromText(node->text()) : false;
        completed = true;
    };
    // A failed file load has told the user already and leaves configLoaded false.
    trap(d, moduleName, u"loadConfigXML", body, {.finalSection = [&] {
             if (!returnedEarly) configLoaded_ = completed;
         }});
}

std::vector<std::u16string> ConfigStore::entries(ConfigList list) const {
    std::vector<std::u16string> texts;
    const xml::NodeListPtr& nodes = lists_[static_cast<int>(list)];
    if (!nodes) return texts;
    const std::int32_t n = nodes->length();
    texts.reserve(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) texts.push_back(need(nodes->item(i)).text());
    return texts;
}

}  // namespace sw
