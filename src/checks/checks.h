#pragma once
// The send-time checks: safe-list classification of recipients, the subject, body
// and attachment checks, and the deferred delivery time of a confirmed mail. Each
// check traps and reports its own failures; none of them stops a send.
#include <cstdint>
#include <memory>
#include <string>

#include "host/host.h"
#include "checks/pattern_list.h"
#include "config/config_store.h"
#include "diagnostics/diagnostics.h"

namespace sw {

// The warning lines the content checks switch on (the confirmation dialog).
class CheckWarnings {
public:
    virtual ~CheckWarnings() = default;
    virtual void showCheckSubject() = 0;
    virtual void showCheckBody() = 0;
    virtual void showCheckAttachment() = 0;
};

class Checks {
public:
    Checks(Diagnostics& diagnostics, const ConfigStore& config, Clock& clock);

    // True when the address lies inside the safe list (or is an Exchange directory
    // name on an Exchange profile with a non-empty list).
    bool checkSafeDomain(const std::u16string& address, host::Namespace& ns);

    // The body with every CR LF pair and every tab removed; empty after a failure.
    std::u16string getSanitizedItemBody(host::Item& item);

    void checkSubject(host::Item& item, CheckWarnings& warnings);
    void checkBody(host::Item& item, CheckWarnings& warnings);
    void checkAttachment(host::Item& item, CheckWarnings& warnings);

    // sendImmediately: the dialog's send-immediately box, 1 when ticked.
    void setDeferredDeliveryTime(host::Item& item, std::int32_t sendImmediately);

private:
    // The list compiled for the configuration now in force; rebuilt after a load
    // replaced the lists. Throws when the list was never loaded.
    const PatternList& compiled(ConfigList list);
    // True when a body word of `list` occurs in body; throws at an invalid word
    // that the scan reaches.
    bool containsWord(ConfigList list, const std::u16string& body);

    Diagnostics& diagnostics_;
    const ConfigStore& config_;
    Clock& clock_;
    struct Compiled {
        std::uint64_t generation = 0;
        std::unique_ptr<PatternList> patterns;
    };
    Compiled compiled_[3];
};

// Removes every CR LF pair (scanning from the start) and then every tab.
std::u16string sanitizeBody(std::u16string body);

}  // namespace sw
