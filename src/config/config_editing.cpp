// Saving: the document is brought into line with the settings window, then written.
#include "diagnostics/hresult.h"
#include "config/config_store.h"
#include "config/node_access.h"
#include "diagnostics/trap.h"

namespace sw {

namespace {
const std::u16string moduleName = u"modConfigXMLHandler";
}

void ConfigStore::saveConfigXML(SettingsSource& settings) {
    traceEntry(u"saveConfigXML");
    trap(diagnostics_, moduleName, u"saveConfigXML", [&] {
        removeCheckWords(lists_[0]);
        removeCheckWords(lists_[1]);
        removeCheckWords(lists_[2]);
        addCheckWords(settings, 0, u"body-check", u"word");
        addCheckWords(settings, 1, u"attachment-check", u"word");
        addCheckWords(settings, 2, u"recipient-check", u"domain");
        editDeferredDelivery(settings);
        writeDocument();
    });
}

void ConfigStore::removeCheckWords(const xml::NodeListPtr& list) {
    trap(diagnostics_, moduleName, u"removeCheckWords", [&] {
        // Walk a copy: a live list shrinks while its elements go.
        std::vector<xml::NodePtr> elements;
        const std::int32_t n = need(list).length();
        for (std::int32_t i = 0; i < n; ++i) elements.push_back(list->item(i));
        for (const xml::NodePtr& element : elements) {
            xml::NodePtr parent = need(element).parentNode();
            diagnostics_.currentStep =
                u"xmlNode.nodeName = " + element->nodeName() + u", ParentNodeName = " + need(parent).nodeName();
            parent->removeChild(element);
        }
    });
}

void ConfigStore::addCheckWords(SettingsSource& settings, int index, const std::u16string& parentName,
                                const std::u16string& elementName) {
    trap(
        diagnostics_, moduleName, u"addCheckWords",
        [&] {
            diagnostics_.currentStep = u"selectSingleNode";
            xml::NodePtr parent = need(need(xmlConfig_).documentElement()).selectSingleNode(parentName);
            diagnostics_.currentStep = u"xmlNode Name = " + need(parent).nodeName();
            const std::int32_t count = settings.entryCount(index);
            for (std::int32_t i = 0; i < count; ++i) {
                xml::NodePtr element = xmlConfig_->createElement(elementName);
                need(element).setText(settings.entry(index, i));
                parent->appendChild(element);
            }
        },
        {.additionalInfo = [&] { return parentName; }});
}

void ConfigStore::editDeferredDelivery(SettingsSource& settings) {
    trap(diagnostics_, moduleName, u"editDeferredDelivery", [&] {
        xml::NodePtr element = need(xmlConfig_).selectSingleNode(u"//deferred-delivery");
        need(element).setText(settings.minutesText());
        xml::NodePtr use = element->attribute(u"use");
        need(use).setText(settings.useDeferredDeliveryChecked() ? u"True" : u"False");
    });
}

void ConfigStore::writeDocument() {
    Diagnostics& d = diagnostics_;
    Files& files = files_;
    d.currentStep = u"FileSystemObject Handling";
    files.requireFile(configFilePath_);

    d.currentStep = u"xmlConfig.Save";
    xml::Document& document = need(xmlConfig_);
    // A document without its root (the last load could not parse the file) would
    // wipe the user's lists: refuse it and leave the file as it is.
    if (!document.documentElement())
        throw Failure(hresult::eFail, u"The configuration document is empty; config.xml was left unchanged.");
    files.setAttributes(configFilePath_, 0);
    // Written beside the file and put in its place in one step, so that config.xml is
    // always either the old or the new configuration, whatever stops the write. A
    // folder that takes no new files still lets the file itself be rewritten.
    if (const std::optional<std::filesystem::path> temporary = files.createReplacement(configFilePath_)) {
        try {
            document.save(*temporary);
            files.replaceFile(*temporary, configFilePath_);
        } catch (...) {
            files.removeFile(*temporary);
            throw;
        }
    } else {
        document.save(configFilePath_);
    }
    files.setAttributes(configFilePath_, 1);
}

}  // namespace sw
