#include "sim/outlook/eml_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <ostream>

#include "sim/outlook/html_text.h"
#include "text.h"

namespace sw::sim {

// Readable failure output: names, addresses and bodies as UTF-8.
void PrintTo(const MailState& m, std::ostream* os) {
    *os << "{class " << m.itemClass << ", subject \"" << toUtf8(m.subject) << "\", attachments "
        << m.attachmentCount << ", deferred " << m.deferredDeliveryTime.isoText() << ", recipients [";
    for (const auto& r : m.recipients) *os << r.type << ":" << toUtf8(r.name) << "<" << toUtf8(r.address) << "> ";
    *os << "], reply [";
    for (const auto& r : m.replyRecipients) *os << toUtf8(r.name) << "<" << toUtf8(r.address) << "> ";
    *os << "], body \"" << toUtf8(m.body) << "\"}";
}

namespace {

std::string dataFile(const std::string& name) { return std::string(TEST_DATA_DIR) + "/eml/" + name; }

struct FileCase {
    const char* file;
    MailState expected;
};

TEST(EmlReader, ReadsCraftedMessages) {
    const FileCase cases[] = {
        // encoded words and a 7-bit body, all ISO-2022-JP
        {"iso2022jp.eml",
         {.subject = u"会議の件について",
          .body = u"田中様\r\n\r\nお世話になっております。\r\n添付ファイルをご確認ください。\r\n",
          .recipients = {{u"田中太郎", u"tanaka@example.co.jp", 1}, {u"佐藤花子", u"sato@example.com", 2}}}},
        // base64 Shift_JIS body with characters only the Windows form of Shift_JIS has
        {"shiftjis_base64.eml",
         {.subject = u"お見積りのご案内",
          .body = u"見積書を送付いたします。\r\n① 納期：２週間～\r\n",
          .recipients = {{u"購買部", u"buyer@example.com", 1}}}},
        // raw 8-bit Shift_JIS in Subject and display name
        {"shiftjis_8bit.eml",
         {.subject = u"見積書の送付",
          .body = u"ご確認をお願いします。\r\n",
          .recipients = {{u"営業部", u"eigyo@example.co.jp", 1}}}},
        // quoted-printable UTF-8, soft line breaks, bare LF line ends, a non-BMP character
        {"utf8_qp.eml",
         {.subject = u"Grüße — 東京",
          .body = u"Grüße aus München — 東京より 🎉\r\nZweite Zeile mit einer sehr langen Fortsetzung, "
                  u"die umbrochen werden muss.\r\n",
          .recipients = {{u"Renée", u"renee@example.fr", 1}}}},
        // a named text part ahead of the body is an attachment, not the body
        {"multipart_attachments.eml",
         {.subject = u"Quarterly report",
          .body = u"Please find the report attached.",
          .attachmentCount = 2,
          .recipients = {{u"bob@example.com", u"bob@example.com", 1}}}},
        // head, style, script and comments dropped; blocks and <br> break lines
        {"html_only.eml",
         {.subject = u"HTML only",
          .body = u"Hello World & friends,\r\nLine one\r\nLine two\r\n5 < 6 ああ\r\n期限は明日です。",
          .recipients = {{u"reader@example.com", u"reader@example.com", 1}}}},
        // text/calendar with METHOD:REQUEST inside an alternative
        {"meeting_request.eml",
         {.itemClass = 53,
          .subject = u"Planning meeting",
          .body = u"You are invited to the planning meeting.",
          .recipients = {{u"attendee@example.com", u"attendee@example.com", 1}}}},
        {"reply_to.eml",
         {.subject = u"Offer",
          .body = u"Reply to either address.\r\n",
          .recipients = {{u"customer@example.org", u"customer@example.org", 1}},
          .replyRecipients = {{u"Sales Desk", u"sales@example.com", 0}, {u"support@example.com", u"support@example.com", 0}}}},
        // header order, not type order; a group flattened; bare addresses named by themselves
        {"recipients.eml",
         {.subject = u"Ordering",
          .body = u"Body.\r\n",
          .recipients = {{u"Carol Cc", u"carol@example.com", 2},
                         {u"Tom To", u"tom@example.com", 1},
                         {u"plain@example.net", u"plain@example.net", 1},
                         {u"Bea Bcc", u"bea@example.com", 3},
                         {u"Ann", u"ann@example.org", 1},
                         {u"ben@example.org", u"ben@example.org", 1},
                         {u"angle@example.org", u"angle@example.org", 1}}}},
        // every address a row, as written: "<>" empty, trailing dot and punycode kept, a malformed
        // neighbour and a quoted Shift_JIS name whose last byte is "\" lose nothing; a source
        // route dropped; names from encoded words (also quoted) and from a bare address's comment
        {"addresses_as_written.eml",
         {.subject = u"Addresses",
          .body = u"Body.\r\n",
          .recipients = {{u"Empty", u"", 1},
                         {u"Trail", u"a@b.", 1},
                         {u"ok@example.co.jp", u"ok@example.co.jp", 1},
                         {u"田中太郎", u"tanaka@example.co.jp", 2},
                         {u"佐藤", u"sato@example.com", 2},
                         {u"Old Style", u"old@example.com", 2},
                         {u"Doe, Jane", u"jane@example.com", 3},
                         {u"\"a b\"@example.com", u"\"a b\"@example.com", 3},
                         {u"routed@example.com", u"routed@example.com", 3},
                         {u"一覧表", u"list@example.jp", 1},
                         {u"next@example.jp", u"next@example.jp", 1},
                         {u"x@xn--bcher-kva.example", u"x@xn--bcher-kva.example", 1},
                         {u"a@b..c", u"a@b..c", 1},
                         {u"\"Unpaired", u"u@example.com", 2},  // an unpaired quote swallows nothing
                         {u"A", u"a@example.com", 2},
                         {u"b@example.com", u"b@example.com", 2},  // nor a missing comma
                         {u"会社", u"kaisha@example.jp", 3}},  // raw ISO-2022-JP: its "<" is a kanji byte
          .replyRecipients = {{u"", u"", 0}, {u"Desk", u"desk@example.com", 0}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(readEml(dataFile(c.file)), c.expected);
    }
}

// 2025-01-14 09:30:00 +0900 is 00:30:00 UTC.
TEST(EmlReader, DeferredDeliveryBecomesLocalTime) {
    const std::time_t instant = 1736814600;
    std::tm local{};
    localtime_r(&instant, &local);
    const LocalDateTime expected{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                 local.tm_hour, local.tm_min, local.tm_sec};
    EXPECT_EQ(readEml(dataFile("deferred.eml")).deferredDeliveryTime, expected);

    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    setenv("TZ", "EST5", 1);
    tzset();
    const LocalDateTime inNewYork = readEml(dataFile("deferred.eml")).deferredDeliveryTime;
    saved ? setenv("TZ", previous.c_str(), 1) : unsetenv("TZ");
    tzset();
    EXPECT_EQ(inNewYork, (LocalDateTime{2025, 1, 13, 19, 30, 0}));
}

struct MemoryCase {
    const char* what;
    std::string bytes;
    std::int32_t itemClass;
    int attachments;
    std::u16string body;
    LocalDateTime deferred = notDeferred;
};

TEST(EmlReader, ClassifiesPartsOfSmallMessages) {
    const std::string head = "From: a@example.com\r\nTo: b@example.com\r\nSubject: s\r\nMIME-Version: 1.0\r\n";
    const MemoryCase cases[] = {
        {"a calendar request as the whole body",
         head + "Content-Type: text/calendar; method=REQUEST\r\n\r\nBEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", 53, 0, u""},
        {"a published calendar is no request",
         head + "Content-Type: text/calendar\r\n\r\nBEGIN:VCALENDAR\r\nMETHOD:PUBLISH\r\nEND:VCALENDAR\r\n", 43, 0, u""},
        {"an .ics file attached is no request",
         head + "Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\nContent-Type: text/plain\r\n\r\nhi\r\n"
                "--b\r\nContent-Type: text/calendar; name=invite.ics\r\n\r\nMETHOD:REQUEST\r\n--b--\r\n",
         43, 1, u"hi"},
        {"a forwarded message counts as an attachment",
         head + "Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\nContent-Type: text/plain\r\n\r\nsee below\r\n"
                "--b\r\nContent-Type: message/rfc822\r\n\r\nSubject: inner\r\n\r\ninner body\r\n--b--\r\n",
         43, 1, u"see below"},
        {"Shift_JIS bytes without a charset label",
         head + "Content-Type: text/plain\r\nContent-Transfer-Encoding: 8bit\r\n\r\n\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd",
         43, 0, u"こんにちは"},
        {"the Shift_JIS wave dash reads as on Windows (CP932), not as JIS X 0208's U+301C",
         head + "Content-Type: text/plain; charset=Shift_JIS\r\nContent-Transfer-Encoding: 8bit\r\n\r\n\x81\x60",
         43, 0, u"\uFF5E"},
        {"ISO-2022-JP without a charset label",
         head + "Content-Type: text/plain\r\n\r\n\x1b$B$3$s$K$A$O\x1b(B", 43, 0, u"こんにちは"},
        {"a charset iconv does not know",
         head + "Content-Type: text/plain; charset=x-unknown\r\n\r\nplain words", 43, 0, u"plain words"},
        {"an unreadable deferral is ignored",
         head + "Deferred-Delivery: soon\r\n\r\nlater", 43, 0, u"later"},
        {"a calendar cancellation",
         head + "Content-Type: text/calendar; method=CANCEL\r\n\r\nBEGIN:VCALENDAR\r\nMETHOD:CANCEL\r\nEND:VCALENDAR\r\n",
         54, 0, u""},
        {"a decline, its attendee line folded and its parameters quoted",
         head + "Content-Type: text/calendar\r\n\r\nMETHOD:REPLY\r\nATTENDEE;CN=\"Doe; J:\";PART\r\n STAT=DECLINED:mailto:b@x\r\n",
         55, 0, u""},
        {"an acceptance; the METHOD line outweighs the Content-Type's",
         head + "Content-Type: text/calendar; method=REQUEST\r\n\r\nmethod:reply\r\nATTENDEE;PARTSTAT=accepted:mailto:b@x\r\n",
         56, 0, u""},
        {"a tentative answer", head + "Content-Type: text/calendar\r\n\r\nMETHOD:REPLY\r\nATTENDEE;PARTSTAT=TENTATIVE:m\r\n",
         57, 0, u""},
        {"a reply that answers nothing stays a mail",
         head + "Content-Type: text/calendar\r\n\r\nMETHOD:REPLY\r\nATTENDEE;PARTSTAT=NEEDS-ACTION:m\r\n", 43, 0, u""},
        {"an unnamed PDF, an unnamed image and an unnamed vCard are listed",
         head + "Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\nContent-Type: text/plain\r\n\r\nsee pdf\r\n"
                "--b\r\nContent-Type: application/pdf\r\n\r\n%PDF\r\n--b\r\nContent-Type: image/png\r\n\r\npng\r\n"
                "--b\r\nContent-Type: text/vcard\r\n\r\nBEGIN:VCARD\r\n--b--\r\n",
         43, 3, u"see pdf"},
        {"a PDF as the whole message", head + "Content-Type: application/pdf\r\n\r\n%PDF\r\n", 43, 1, u""},
        {"an image the HTML shows by Content-ID is body; an inline one it does not show is listed",
         head + "Content-Type: multipart/related; boundary=b\r\n\r\n--b\r\nContent-Type: text/html\r\n\r\n"
                "<img src=\"CID:logo%40x\">\r\n--b\r\nContent-Type: image/png; name=logo.png\r\nContent-ID: <logo@x>\r\n\r\n"
                "png\r\n--b\r\nContent-Type: image/png\r\nContent-ID: <other@x>\r\n\r\npng\r\n--b--\r\n",
         43, 1, u""},
        {"an S/MIME signature is not listed, a PGP one is",
         head + "Content-Type: multipart/mixed; boundary=m\r\n\r\n--m\r\n"
                "Content-Type: multipart/signed; protocol=\"application/pkcs7-signature\"; boundary=s\r\n\r\n"
                "--s\r\nContent-Type: text/plain\r\n\r\nsigned\r\n--s\r\nContent-Type: application/pkcs7-signature\r\n\r\nsig\r\n"
                "--s--\r\n--m\r\nContent-Type: multipart/signed; protocol=\"application/pgp-signature\"; boundary=p\r\n\r\n"
                "--p\r\nContent-Type: text/plain\r\n\r\nx\r\n--p\r\nContent-Type: application/pgp-signature\r\n\r\nsig\r\n"
                "--p--\r\n--m--\r\n",
         43, 1, u"signed"},
        {"no MIME headers at all",
         "Subject: only a subject\n\nline one\nline two", 43, 0, u"line one\r\nline two"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const MailState mail = parseEml(c.bytes, "memory.eml");
        EXPECT_EQ(mail.itemClass, c.itemClass);
        EXPECT_EQ(mail.attachmentCount, c.attachments);
        EXPECT_EQ(mail.body, c.body);
        EXPECT_EQ(mail.deferredDeliveryTime, c.deferred);
    }
}

TEST(EmlReader, RefusesWhatIsNotAMailMessage) {
    const struct {
        std::string path;
        std::string message;
    } files[] = {
        {dataFile("empty.eml"), dataFile("empty.eml") + ": not a mail message"},
        {dataFile("garbage.bin"), dataFile("garbage.bin") + ": not a mail message"},
        {dataFile("missing.eml"), dataFile("missing.eml") + ": cannot read file (No such file or directory)"},
        {dataFile(""), ": cannot read file"},  // a folder
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.path);
        try {
            readEml(f.path);
            ADD_FAILURE() << "read without error";
        } catch (const EmlError& e) {
            EXPECT_NE(std::string(e.what()).find(f.message), std::string::npos) << e.what();
        }
    }
    // text with no header block; headers no mail carries
    for (const char* bytes : {"Dear Bob,\n\nthis is just a letter.\n", "X-Note: one\nX-Other: two\n\nbody\n"}) {
        SCOPED_TRACE(bytes);
        EXPECT_THROW(parseEml(bytes, "letter.txt"), EmlError);
    }
}

TEST(EmlHtmlText, KeepsTextAndLineStructureOnly) {
    const struct {
        const char* html;
        const char* text;
    } cases[] = {
        // whitespace runs collapse, also across tags
        {"a \n\t b <i> c </i>", "a b c"},
        // consecutive block ends make one break; <br> always breaks
        {"<div><p>one</p></div><p>two<br><br>three</p>", "one\ntwo\n\nthree"},
        // known entities decoded, unknown and unterminated ones kept
        {"&lt;&gt;&quot;&apos;&#65;&#x42; &bogus; & x", "<>\"'AB &bogus; & x"},
        // upper-case tags and a style element with attributes
        {"<HTML><STYLE type=text/css>b{}</STYLE><BODY>x<BR/>y</BODY></HTML>", "x\ny"},
        // a tag that never closes ends the text
        {"before <b", "before"},
        // a script ends at its own end tag in any case, not at another element's
        {"<script>a</b>b</ScRiPt>c", "c"},
        // an unterminated style hides the rest; an entity's ';' far away is no entity
        {"x&amp12345678;y<style>z", "x&amp12345678;y"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.html);
        EXPECT_EQ(htmlToText(c.html), c.text);
    }
}

}  // namespace
}  // namespace sw::sim
