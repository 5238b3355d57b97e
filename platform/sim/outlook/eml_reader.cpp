#include "sim/outlook/eml_reader.h"

#include <gmime/gmime.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "sim/outlook/address_list.h"
#include "sim/outlook/calendar_class.h"
#include "sim/outlook/html_text.h"
#include "text.h"

namespace sw::sim {
namespace {

struct GObjectUnref {
    void operator()(gpointer object) const {
        if (object) g_object_unref(object);
    }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
using GText = std::unique_ptr<char, GFree>;

struct DateTimeUnref {
    void operator()(GDateTime* time) const {
        if (time) g_date_time_unref(time);
    }
};
using DateTimePtr = std::unique_ptr<GDateTime, DateTimeUnref>;

GMimeParserOptions* parserOptions() {
    static std::once_flag once;
    static GMimeParserOptions* options = nullptr;
    std::call_once(once, [] {
        g_mime_init();
        options = g_mime_parser_options_new();
        // Raw 8-bit headers are common in Japanese mail; CP932 is the Windows superset
        // of Shift_JIS that such mails are really written in.
        static const char* fallback[] = {"UTF-8", "ISO-2022-JP", "CP932", "EUC-JP", "ISO-8859-1", nullptr};
        g_mime_parser_options_set_fallback_charsets(options, fallback);
        g_mime_parser_options_set_rfc2047_compliance_mode(options, GMIME_RFC_COMPLIANCE_LOOSE);
        g_mime_parser_options_set_address_compliance_mode(options, GMIME_RFC_COMPLIANCE_LOOSE);
        g_mime_parser_options_set_parameter_compliance_mode(options, GMIME_RFC_COMPLIANCE_LOOSE);
    });
    return options;
}

[[noreturn]] void fail(const std::string& name, const std::string& reason) { throw EmlError(name + ": " + reason); }

bool sameName(const char* a, const char* b) { return a && b && g_ascii_strcasecmp(a, b) == 0; }

const char* iconvName(const char* charset) {
    for (const char* sjis : {"shift_jis", "shift-jis", "sjis", "x-sjis", "ms_kanji", "windows-31j", "cp932"})
        if (sameName(charset, sjis)) return "CP932";
    return charset;
}

bool convert(const std::string& bytes, const char* charset, std::string& out) {
    const iconv_t cd = g_mime_iconv_open("UTF-8", iconvName(charset));
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    const GText converted(g_mime_iconv_strndup(cd, bytes.data(), bytes.size()));
    g_mime_iconv_close(cd);
    if (!converted) return false;
    out = converted.get();
    return true;
}

// Text in the declared charset; without one (or with one iconv does not know) the
// bytes decide: escapes mean ISO-2022-JP, then UTF-8, then the fallback charsets.
std::string textOf(const std::string& bytes, const char* charset) {
    std::string out;
    const bool unicode = sameName(charset, "utf-8") || sameName(charset, "us-ascii");
    if (charset && !unicode && convert(bytes, charset, out)) return out;
    if (bytes.find("\x1b$") != std::string::npos && convert(bytes, "ISO-2022-JP", out)) return out;
    if (g_utf8_validate(bytes.data(), static_cast<gssize>(bytes.size()), nullptr)) return bytes;
    const GText guessed(g_mime_utils_decode_8bit(parserOptions(), bytes.data(), bytes.size()));
    return guessed ? std::string(guessed.get()) : bytes;
}

// The part's content with its transfer encoding undone, still in its charset.
std::string contentBytes(GMimePart* part) {
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    if (!content) return {};
    const GObjectPtr<GMimeStream> memory(g_mime_stream_mem_new());
    g_mime_data_wrapper_write_to_stream(content, memory.get());
    const GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(memory.get()));
    return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

std::string decodedText(GMimePart* part) {
    return textOf(contentBytes(part), g_mime_object_get_content_type_parameter(GMIME_OBJECT(part), "charset"));
}

bool isType(GMimeObject* object, const char* type, const char* subtype) {
    return g_mime_content_type_is_type(g_mime_object_get_content_type(object), type, subtype);
}

bool markedAsFile(GMimePart* part) {
    const char* file = g_mime_part_get_filename(part);
    return g_mime_part_is_attachment(part) || (file && *file);
}

struct PartSummary {
    GMimePart* plain = nullptr;
    GMimePart* html = nullptr;
    std::vector<GMimePart*> htmlParts;
    std::vector<GMimePart*> files;  // listed unless an HTML body shows them inline
    int forwarded = 0;
    std::int32_t itemClass = host::olMail;
};

// An S/MIME signature is checked and hidden by Outlook, not listed.
bool isSmimeSignature(GMimeObject* object) {
    return isType(object, "application", "pkcs7-signature") || isType(object, "application", "x-pkcs7-signature");
}

void summarise(GMimeObject* object, PartSummary& summary) {
    if (GMIME_IS_MULTIPART(object)) {
        GMimeMultipart* multipart = GMIME_MULTIPART(object);
        const bool isSigned = GMIME_IS_MULTIPART_SIGNED(object);
        for (int i = 0; i < g_mime_multipart_get_count(multipart); ++i) {
            GMimeObject* child = g_mime_multipart_get_part(multipart, i);
            if (!(isSigned && i == GMIME_MULTIPART_SIGNED_SIGNATURE && isSmimeSignature(child)))
                summarise(child, summary);
        }
    } else if (GMIME_IS_MESSAGE_PART(object)) {
        ++summary.forwarded;  // a forwarded message shows as an attached item
    } else if (GMIME_IS_PART(object)) {
        GMimePart* part = GMIME_PART(object);
        if (markedAsFile(part)) {
            summary.files.push_back(part);
        } else if (isType(object, "text", "plain")) {
            if (!summary.plain) summary.plain = part;
        } else if (isType(object, "text", "html")) {
            if (!summary.html) summary.html = part;
            summary.htmlParts.push_back(part);
        } else if (isType(object, "text", "calendar")) {
            if (summary.itemClass == host::olMail) {
                const char* method = g_mime_object_get_content_type_parameter(object, "method");
                summary.itemClass = calendarItemClass(decodedText(part), method ? method : "");
            }
        } else {
            summary.files.push_back(part);  // e.g. an unnamed application/pdf
        }
    }
}

// The Content-IDs an HTML body refers to ("cid:" URLs, percent-escapes undone).
std::set<std::string> contentIdsShown(const std::vector<GMimePart*>& htmlParts) {
    std::set<std::string> ids;
    for (GMimePart* part : htmlParts) {
        const std::string html = contentBytes(part);
        for (std::size_t at = 0; at + 4 <= html.size(); ++at) {
            if (g_ascii_strncasecmp(html.data() + at, "cid:", 4) != 0) continue;
            at += 4;
            const std::size_t end = std::min(html.find_first_of("\"' <>)\t\r\n", at), html.size());
            const GText id(g_uri_unescape_segment(html.data() + at, html.data() + end, nullptr));
            ids.insert(id ? std::string(id.get()) : html.substr(at, end - at));
            at = end - 1;
        }
    }
    return ids;
}

// Outlook lists every part it does not show as the item's own text: parts with a
// file name or an attachment disposition, leaves other than text/plain, text/html
// and text/calendar (an unnamed PDF, an image, a vCard), forwarded messages.
// Images an HTML body shows inline by Content-ID are part of the body, not listed.
int attachmentCount(const PartSummary& summary) {
    const std::set<std::string> shown = contentIdsShown(summary.htmlParts);
    int count = summary.forwarded;
    for (GMimePart* part : summary.files) {
        const char* id = g_mime_object_get_content_id(GMIME_OBJECT(part));
        if (!id || !shown.count(id)) ++count;
    }
    return count;
}

std::u16string withCrLf(std::string_view utf8) {
    std::u16string out;
    const std::u16string text = fromUtf8(utf8);
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

// Raw bytes of a header to UTF-8; encoded words are decoded only where asked,
// since an address never holds one.
std::u16string headerText(const std::string& raw, bool decodeWords) {
    const std::string text = textOf(raw, nullptr);
    if (!decodeWords) return fromUtf8(text);
    const GText decoded(g_mime_utils_header_decode_text(parserOptions(), text.c_str()));
    return fromUtf8(decoded ? decoded.get() : text.c_str());
}

// GMime's own address parser drops an empty "<>", trims "a@b." to "a@b", decodes
// punycode and gives up on the whole list for one malformed address, so the list
// is split here and GMime only decodes the names.
void addAddresses(const char* raw, std::int32_t type, std::vector<RecipientState>& out) {
    for (const RawMailbox& mailbox : splitAddressList(raw ? raw : "")) {
        const std::u16string address = headerText(mailbox.address, false);
        const std::u16string name = headerText(mailbox.name, true);
        out.push_back({name.empty() ? address : name, address, type});
    }
}

void readAddresses(GMimeHeaderList* headers, MailState& mail) {
    const struct {
        const char* header;
        std::int32_t type;
        std::vector<RecipientState> MailState::*list;
    } kinds[] = {{"To", 1, &MailState::recipients},
                 {"Cc", 2, &MailState::recipients},
                 {"Bcc", 3, &MailState::recipients},
                 {"Reply-To", 0, &MailState::replyRecipients}};
    for (int i = 0; i < g_mime_header_list_get_count(headers); ++i) {
        GMimeHeader* header = g_mime_header_list_get_header_at(headers, i);
        for (const auto& kind : kinds) {
            if (!sameName(g_mime_header_get_name(header), kind.header)) continue;
            addAddresses(g_mime_header_get_raw_value(header), kind.type, mail.*kind.list);
        }
    }
}

LocalDateTime deferral(GMimeObject* message) {
    const char* value = g_mime_object_get_header(message, "Deferred-Delivery");
    if (!value) return notDeferred;
    const DateTimePtr parsed(g_mime_utils_header_decode_date(value));
    if (!parsed) return notDeferred;
    const DateTimePtr local(g_date_time_to_local(parsed.get()));
    if (!local) return notDeferred;
    return {g_date_time_get_year(local.get()), g_date_time_get_month(local.get()),
            g_date_time_get_day_of_month(local.get()), g_date_time_get_hour(local.get()),
            g_date_time_get_minute(local.get()), g_date_time_get_second(local.get())};
}

bool hasMailHeader(GMimeHeaderList* headers) {
    for (const char* name : {"From", "To", "Cc", "Bcc", "Subject", "Date", "Message-ID"})
        if (g_mime_header_list_contains(headers, name)) return true;
    return false;
}

}  // namespace

MailState parseEml(std::string_view bytes, const std::string& nameForErrors) {
    if (bytes.empty()) fail(nameForErrors, "not a mail message (empty file)");
    GMimeParserOptions* options = parserOptions();
    const GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size()));
    const GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    const GObjectPtr<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), options));
    if (!message) fail(nameForErrors, "not a mail message (no MIME structure)");
    GMimeObject* object = GMIME_OBJECT(message.get());
    GMimeHeaderList* headers = g_mime_object_get_header_list(object);
    if (!hasMailHeader(headers)) fail(nameForErrors, "not a mail message (no mail header)");

    MailState mail;
    if (const char* subject = g_mime_message_get_subject(message.get())) mail.subject = fromUtf8(subject);
    readAddresses(headers, mail);
    mail.deferredDeliveryTime = deferral(object);

    PartSummary parts;
    if (GMimeObject* body = g_mime_message_get_mime_part(message.get())) summarise(body, parts);
    if (parts.plain)
        mail.body = withCrLf(decodedText(parts.plain));
    else if (parts.html)
        mail.body = withCrLf(htmlToText(decodedText(parts.html)));
    mail.attachmentCount = attachmentCount(parts);
    mail.itemClass = parts.itemClass;
    return mail;
}

MailState readEml(const std::filesystem::path& file) {
    const std::string name = file.string();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(name.c_str(), "rb"), &std::fclose);
    if (!in) fail(name, std::string("cannot read file (") + std::strerror(errno) + ")");
    std::string bytes;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) bytes.append(buffer, got);
    if (std::ferror(in.get())) fail(name, std::string("cannot read file (") + std::strerror(errno) + ")");
    return parseEml(bytes, name);
}

}  // namespace sw::sim
