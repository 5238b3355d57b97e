#include "checks/checks.h"

#include "config/node_access.h"
#include "diagnostics/trap.h"

namespace sw {

namespace {
const std::u16string moduleName = u"modMain";

bool isExchangeDirectoryName(std::u16string_view address) {
    // "/o=" after folding to lower case; only 'O' folds to 'o'.
    return address.size() >= 3 && address[0] == u'/' && (address[1] == u'o' || address[1] == u'O') &&
           address[2] == u'=';
}
}  // namespace

Checks::Checks(Diagnostics& diagnostics, const ConfigStore& config, Clock& clock)
    : diagnostics_(diagnostics), config_(config), clock_(clock) {}

const PatternList& Checks::compiled(ConfigList list) {
    Compiled& slot = compiled_[static_cast<int>(list)];
    if (!config_.nodes(list)) throw failures::objectNotSet();
    if (!slot.patterns || slot.generation != config_.listsGeneration()) {
        const auto mode = list == ConfigList::safeDomains ? PatternList::Mode::Suffix : PatternList::Mode::Contains;
        slot.patterns = std::make_unique<PatternList>(mode, config_.entries(list));
        slot.generation = config_.listsGeneration();
    }
    return *slot.patterns;
}

bool Checks::checkSafeDomain(const std::u16string& address, host::Namespace& ns) {
    bool result = false;
    trap(diagnostics_, moduleName, u"checkSafeDomain", [&] {
        diagnostics_.trace(moduleName, u"checkSafeDomain", u"checkSafeDomain");
        const PatternList& safe = compiled(ConfigList::safeDomains);
        if (safe.size() == 0) return;
        const std::size_t valid = safe.firstInvalid().value_or(safe.size());
        if (valid == 0) throw failures::invalidPattern();
        if (safe.anyMatch(address, 0, 1)) {
            result = true;
            return;
        }
        // The Exchange test follows every entry that did not match; its answer
        // cannot change within one address, so the namespace is asked once.
        if (ns.exchangeConnectionMode() != 0 && isExchangeDirectoryName(address)) {
            result = true;
            return;
        }
        if (safe.anyMatch(address, 1, valid)) {
            result = true;
            return;
        }
        if (safe.firstInvalid()) throw failures::invalidPattern();
    });
    return result;
}

std::u16string sanitizeBody(std::u16string body) {
    // One pass in place. A pair counts only where CR and LF stood together in the
    // body as read, so dropping tabs in the same pass removes exactly what
    // "pairs first, then tabs" removes.
    std::size_t out = 0;
    const std::size_t n = body.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = body[i];
        if (c == u'\r' && i + 1 < n && body[i + 1] == u'\n') {
            ++i;
            continue;
        }
        if (c != u'\t') body[out++] = c;
    }
    body.resize(out);
    return body;
}

std::u16string Checks::getSanitizedItemBody(host::Item& item) {
    std::u16string result;
    trap(
        diagnostics_, moduleName, u"getSanitizedItemBody",
        [&] {
            diagnostics_.currentStep = u"getSanitizedItemBody";
            result = sanitizeBody(item.body());
            diagnostics_.currentStep.clear();
        },
        {.additionalInfo = [&] { return item.body(); }});
    return result;
}

void Checks::checkSubject(host::Item& item, CheckWarnings& warnings) {
    trap(diagnostics_, moduleName, u"checkSubject", [&] {
        diagnostics_.trace(moduleName, u"checkSubject", u"checkSubject");
        if (item.subject().empty()) warnings.showCheckSubject();
    });
}

bool Checks::containsWord(ConfigList list, const std::u16string& body) {
    const PatternList& words = compiled(list);
    const std::size_t valid = words.firstInvalid().value_or(words.size());
    if (words.anyMatch(body, 0, valid)) return true;
    if (words.firstInvalid()) throw failures::invalidPattern();
    return false;
}

void Checks::checkBody(host::Item& item, CheckWarnings& warnings) {
    trap(diagnostics_, moduleName, u"checkBody", [&] {
        diagnostics_.trace(moduleName, u"checkBody", u"checkBody");
        const std::u16string body = getSanitizedItemBody(item);
        if (containsWord(ConfigList::bodyCheckWords, body)) warnings.showCheckBody();
    });
}

void Checks::checkAttachment(host::Item& item, CheckWarnings& warnings) {
    trap(diagnostics_, moduleName, u"checkAttachment", [&] {
        diagnostics_.trace(moduleName, u"checkAttachment", u"checkAttachment");
        const std::u16string body = getSanitizedItemBody(item);
        if (containsWord(ConfigList::attachmentCheckWords, body) && item.attachmentCount() == 0)
            warnings.showCheckAttachment();
    });
}

void Checks::setDeferredDeliveryTime(host::Item& item, std::int32_t sendImmediately) {
    trap(diagnostics_, moduleName, u"setDeferredDeliveryTime", [&] {
        diagnostics_.trace(moduleName, u"setDeferredDeliveryTime", u"遅延送信時間の設定前");
        const LocalDateTime current = item.deferredDeliveryTime();
        LocalDateTime next = notDeferred;
        if (sendImmediately != 1) {
            const LocalDateTime target = clock_.now().plusMinutes(config_.deferredMinutes());
            // The host's dates run from year 100 to 9999.
            if (target.year < 100 || target.year > 9999) throw failures::overflow();
            next = (current == notDeferred || current < target) ? target : current;
        }
        item.setDeferredDeliveryTime(next);
    });
}

}  // namespace sw
