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

// Every address of To, Cc and Bcc becomes a recipient of type 1, 2, 3, as written
// and in the order the message gives them (group members included); Reply-To
// becomes the reply recipients. The body is the first text/plain part that is not
// an attachment (else the text of the first HTML part), CR LF line ends. Parts with
// a file name or an attachment disposition, other leaves that are not text/plain,
// text/html or text/calendar, and forwarded messages count as attachments, except
// images the HTML body shows by Content-ID and an S/MIME signature. A
// Deferred-Delivery header gives the deferral in this machine's local time; a
// calendar sent as a request, cancellation or response gives the item that class.
MailState readEml(const std::filesystem::path& file);
MailState parseEml(std::string_view bytes, const std::string& nameForErrors);

}  // namespace sw::sim
