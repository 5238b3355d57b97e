#pragma once
// Reads an Internet message (.eml) into the state of a substitute Outlook item, so
// that real mails, Japanese ones included, can be sent through the add-in.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "sim/outlook/sim_item.h"

namespace sw::sim {

// what() names the file as given and the reason, e.g. "b.eml: not a mail message (empty file)".
struct EmlError : std::runtime_error {
    using runtime_error::runtime_error;
};

// To, Cc and Bcc become recipients of type 1, 2, 3 in the order the message gives
// them; Reply-To becomes the reply recipients. The body is the first text/plain part
// that is not an attachment (else the text of the first HTML part), CR LF line ends.
// A Deferred-Delivery header gives the deferral in this machine's local time; a
// text/calendar request makes the item a meeting request (class 53).
MailState readEml(const std::filesystem::path& file);
MailState parseEml(std::string_view bytes, const std::string& nameForErrors);

}  // namespace sw::sim
