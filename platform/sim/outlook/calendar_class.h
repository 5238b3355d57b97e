#pragma once
// The Outlook item class of a calendar that arrives by mail.
#include <cstdint>
#include <string_view>

namespace sw::sim {

// A request is a meeting request, a cancellation a meeting cancellation, a reply the
// response its attendee's PARTSTAT gives (declined, accepted, tentative); anything
// else (a published calendar, a counter-proposal, a reply without an answer) stays
// a mail item. The METHOD line decides; without one the Content-Type's method does.
std::int32_t calendarItemClass(std::string_view calendar, std::string_view contentTypeMethod);

}  // namespace sw::sim
