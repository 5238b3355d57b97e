#pragma once
// Splits the raw value of an address header (To, Cc, Bcc, Reply-To) into its
// mailboxes without losing any: a mis-send guard must show every address the mail
// carries, as written, even where a strict parser would drop or normalise it (an
// empty "<>", a trailing dot, an unpaired quote, a malformed neighbour).
#include <string>
#include <string_view>
#include <vector>

namespace sw::sim {

struct RawMailbox {
    // The display name with quoted strings unquoted and words joined by one space,
    // or for a bare address the text of its comment; still raw bytes, encoded words
    // and all, for the caller to decode.
    std::string name;
    // The address as written: without angle brackets, comments, source route and
    // the white space that may stand around "@" and "."; quoted parts kept verbatim.
    std::string address;

    friend bool operator==(const RawMailbox&, const RawMailbox&) = default;
};

// Every mailbox of the list in order, group members in their place (the group's
// own name is not a mailbox). Elements holding nothing but white space or comments
// are skipped. Folded lines are unfolded first. Raw Shift_JIS and ISO-2022-JP
// bytes are read as characters, so their trail bytes never act as "\" or "<".
std::vector<RawMailbox> splitAddressList(std::string_view header);

}  // namespace sw::sim
