#pragma once
// config.xml: loaded into the in-memory configuration when the add-in connects and
// after every save; rebuilt from the settings window and written back on Apply.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "config/xml.h"
#include "diagnostics/diagnostics.h"

namespace sw {

// What a save reads from the settings window: per list (0 body words,
// 1 attachment words, 2 safe list) its entries in display order, the minutes
// text and the deferred-delivery check box.
class SettingsSource {
public:
    virtual ~SettingsSource() = default;
    virtual std::int32_t entryCount(int list) = 0;
    virtual std::u16string entry(int list, std::int32_t index) = 0;
    virtual std::u16string minutesText() = 0;
    virtual bool useDeferredDeliveryChecked() = 0;
};

enum class ConfigList { bodyCheckWords = 0, attachmentCheckWords = 1, safeDomains = 2 };

// Where each list lives in config.xml: the parent element under the root and the
// element of one entry. Load, save and the settings window all walk this table.
struct ConfigListPlace {
    ConfigList list;
    const char16_t* parent;
    const char16_t* element;
};
inline constexpr ConfigListPlace configLists[] = {
    {ConfigList::bodyCheckWords, u"body-check", u"word"},
    {ConfigList::attachmentCheckWords, u"attachment-check", u"word"},
    {ConfigList::safeDomains, u"recipient-check", u"domain"},
};
inline constexpr int listIndex(ConfigList list) { return static_cast<int>(list); }

class ConfigStore {
public:
    // config.xml lives in the files port's module folder.
    ConfigStore(Diagnostics& diagnostics, Files& files, xml::DocumentFactory& documents);

    // Both report their own failures and never throw.
    void loadConfigXML();
    void saveConfigXML(SettingsSource& settings);

    bool configLoaded() const { return configLoaded_; }
    const std::filesystem::path& configFilePath() const { return configFilePath_; }
    std::int32_t deferredMinutes() const { return deferredMinutes_; }
    bool useDeferredDelivery() const { return useDeferredDelivery_; }
    bool debugMode() const { return diagnostics_.debugMode; }

    // The node list of a list; null before the first load built it.
    const xml::NodeListPtr& nodes(ConfigList list) const { return lists_[static_cast<int>(list)]; }
    // The entries' texts in document order (empty before the first load).
    std::vector<std::u16string> entries(ConfigList list) const;
    // Changes whenever a load replaces the node lists, so derived data can be rebuilt.
    std::uint64_t listsGeneration() const { return generation_; }

private:
    void removeCheckWords(const xml::NodeListPtr& list);
    void addCheckWords(SettingsSource& settings, int index, const std::u16string& parentName,
                       const std::u16string& elementName);
    void editDeferredDelivery(SettingsSource& settings);
    void writeDocument();
    void traceEntry(const std::u16string& procedure);

    Diagnostics& diagnostics_;
    Files& files_;
    xml::DocumentFactory& documents_;
    xml::DocumentPtr xmlConfig_;
    std::filesystem::path configFilePath_;
    bool configLoaded_ = false;
    xml::NodeListPtr lists_[3];
    std::int32_t deferredMinutes_ = 0;
    bool useDeferredDelivery_ = false;
    std::uint64_t generation_ = 0;
};

}  // namespace sw
