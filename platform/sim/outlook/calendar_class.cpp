#include "sim/outlook/calendar_class.h"

#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "host/host.h"

namespace sw::sim {
namespace {

// iCalendar content lines, unfolded, each handed to `line`.
template <class Visit>
void forEachContentLine(std::string_view text, Visit line) {
    std::string current;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view next(text.data() + start, end - start);
        if (!next.empty() && next.back() == '\r') next.remove_suffix(1);
        start = end + 1;
        if (!next.empty() && (next.front() == ' ' || next.front() == '\t')) {
            current.append(next.substr(1));
            continue;
        }
        if (!current.empty()) line(current);
        current = next;
    }
    if (!current.empty()) line(current);
}

// "NAME;PARAM=value;...:value", names and the values we compare upper-cased.
struct ContentLine {
    std::string name, value;
    std::vector<std::pair<std::string, std::string>> parameters;

    std::string parameter(std::string_view key) const {
        for (const auto& [k, v] : parameters)
            if (k == key) return v;
        return {};
    }
};

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

ContentLine parseContentLine(std::string_view line) {
    ContentLine parsed;
    std::vector<std::string_view> fields;
    bool quoted = false;
    std::size_t start = 0, i = 0;
    for (; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (quoted || (line[i] != ';' && line[i] != ':')) continue;
        fields.push_back(line.substr(start, i - start));
        start = i + 1;
        if (line[i] == ':') break;
    }
    if (i >= line.size()) return parsed;  // no value: not a property line
    std::string_view value = line.substr(i + 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
    parsed.value = upper(value);
    parsed.name = upper(fields.front());
    for (std::size_t f = 1; f < fields.size(); ++f) {
        const std::size_t equals = fields[f].find('=');
        std::string_view text = equals == std::string_view::npos ? "" : fields[f].substr(equals + 1);
        if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
        parsed.parameters.emplace_back(upper(fields[f].substr(0, equals)), upper(text));
    }
    return parsed;
}

}  // namespace

std::int32_t calendarItemClass(std::string_view calendar, std::string_view contentTypeMethod) {
    std::string method = upper(contentTypeMethod), partstat;
    bool methodLine = false;
    forEachContentLine(calendar, [&](std::string_view text) {
        const ContentLine line = parseContentLine(text);
        if (line.name == "METHOD" && !methodLine) {
            method = line.value;
            methodLine = true;
        } else if (line.name == "ATTENDEE" && partstat.empty()) {
            partstat = line.parameter("PARTSTAT");
        }
    });
    if (method == "REQUEST") return host::olMeetingRequest;
    if (method == "CANCEL") return host::olMeetingCancellation;
    if (method != "REPLY") return host::olMail;
    if (partstat == "DECLINED") return host::olMeetingResponseNegative;
    if (partstat == "ACCEPTED") return host::olMeetingResponsePositive;
    if (partstat == "TENTATIVE") return host::olMeetingResponseTentative;
    return host::olMail;
}

}  // namespace sw::sim
