#include "sim/libxml_io.h"

#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlsave.h>

#include <climits>
#include <memory>
#include <mutex>

#include "diagnostics/failure.h"
#include "diagnostics/hresult.h"
#include "text.h"

namespace sw::sim::libxml {
namespace {

thread_local bool externalRequested = false;

xmlParserInputPtr refuseExternal(const char*, const char*, xmlParserCtxtPtr) {
    externalRequested = true;
    return nullptr;
}

// Collects libxml2's reports instead of letting it print them, for as long as it lives.
class ErrorWatch {
public:
    ErrorWatch() : previous_(xmlStructuredError), previousContext_(xmlStructuredErrorContext) {
        xmlSetStructuredErrorFunc(this, &ErrorWatch::report);
    }
    ~ErrorWatch() { xmlSetStructuredErrorFunc(previousContext_, previous_); }
    ErrorWatch(const ErrorWatch&) = delete;
    ErrorWatch& operator=(const ErrorWatch&) = delete;

    bool failed() const { return failed_; }

private:
    static void report(void* self, xmlErrorPtr error) {
        // An entity that is declared nowhere libxml2 may read is only a warning to it
        // (it might live in the external DTD), but the file then needs that DTD.
        if (error && (error->level >= XML_ERR_ERROR || error->code == XML_WAR_UNDECLARED_ENTITY))
            static_cast<ErrorWatch*>(self)->failed_ = true;
    }

    xmlStructuredErrorFunc previous_;
    void* previousContext_;
    bool failed_ = false;
};

std::string upper(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return u;
}

bool isUtf8(std::string_view encoding) {
    const std::string u = upper(encoding);
    return u == "UTF-8" || u == "UTF8";
}

// The UTF-16 names, with the byte order a name fixes (or bytes when it fixes none).
bool isUtf16(std::string_view encoding, FileForm::Units& order) {
    const std::string u = upper(encoding);
    order = u == "UTF-16LE" ? FileForm::Units::utf16le : u == "UTF-16BE" ? FileForm::Units::utf16be : FileForm::Units::bytes;
    return u == "UTF-16" || u == "UTF16" || u == "UTF-16LE" || u == "UTF-16BE" || u == "UCS-2" || u == "ISO-10646-UCS-2";
}

FileForm formOfBytes(std::string_view b) {
    FileForm form;
    if (b.starts_with("\xEF\xBB\xBF")) {
        form.byteOrderMark = true;
    } else if (b.starts_with("\xFF\xFE") || b.starts_with(std::string_view("<\0?\0", 4))) {
        form.units = FileForm::Units::utf16le;
        form.byteOrderMark = b.starts_with("\xFF\xFE");
    } else if (b.starts_with("\xFE\xFF") || b.starts_with(std::string_view("\0<\0?", 4))) {
        form.units = FileForm::Units::utf16be;
        form.byteOrderMark = b.starts_with("\xFE\xFF");
    }
    return form;
}

// A file must be in the encoding it declares: a byte order mark or UTF-16 text under
// a declaration of another encoding is a fatal error in XML (Notepad's "Unicode" save
// of a Shift_JIS file is one), so such a file is refused rather than guessed at.
bool declarationAgrees(const FileForm& form) {
    if (form.declaredEncoding.empty()) return true;
    FileForm::Units order;
    if (form.units != FileForm::Units::bytes)
        return isUtf16(form.declaredEncoding, order) && (order == FileForm::Units::bytes || order == form.units);
    return !form.byteOrderMark || isUtf8(form.declaredEncoding);
}

bool needsExternalDtd(xmlDocPtr doc) {
    return doc->extSubset || (doc->intSubset && (doc->intSubset->ExternalID || doc->intSubset->SystemID));
}

// The document without an XML declaration, in `encoding` (character references stand
// for what the encoding cannot carry).
std::string content(xmlDocPtr doc, const char* encoding) {
    std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), &xmlBufferFree);
    xmlSaveCtxtPtr save = buffer ? xmlSaveToBuffer(buffer.get(), encoding, XML_SAVE_NO_DECL | XML_SAVE_AS_XML) : nullptr;
    if (!save) throw Failure(hresult::eFail, u"The document cannot be written in the encoding " + fromUtf8(encoding) + u".");
    const long written = xmlSaveDoc(save, doc);
    if (xmlSaveClose(save) < 0 || written < 0)
        throw Failure(hresult::eFail, u"The document could not be written in the encoding " + fromUtf8(encoding) + u".");
    return {reinterpret_cast<const char*>(xmlBufferContent(buffer.get())), static_cast<std::size_t>(xmlBufferLength(buffer.get()))};
}

std::string declaration(xmlDocPtr doc, const std::string& encoding) {
    std::string d = "<?xml version=\"";
    d += doc->version ? reinterpret_cast<const char*>(doc->version) : "1.0";
    d += "\"";
    if (!encoding.empty()) d += " encoding=\"" + encoding + "\"";
    if (doc->standalone == 1) d += " standalone=\"yes\"";
    if (doc->standalone == 0) d += " standalone=\"no\"";
    return d + "?>\n";
}

std::string utf16Bytes(std::string_view utf8, bool bigEndian, bool mark) {
    std::u16string units = fromUtf8(utf8);
    if (mark) units.insert(units.begin(), u'\uFEFF');
    std::string out;
    out.reserve(units.size() * 2);
    for (const char16_t u : units) {
        const char high = static_cast<char>(u >> 8);
        const char low = static_cast<char>(u & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}

}  // namespace

void initialise() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        // Windows writes "Shift_JIS" files in code page 932, with the NEC and IBM
        // characters (①, ㈱, 髙) that plain Shift_JIS lacks.
        for (const char* alias : {"SHIFT_JIS", "SHIFT-JIS", "SJIS", "X-SJIS", "MS_KANJI", "CSSHIFTJIS"})
            xmlAddEncodingAlias("CP932", alias);
        xmlSetExternalEntityLoader(&refuseExternal);
    });
}

xmlDocPtr parse(std::string_view bytes, FileForm& form) {
    form = formOfBytes(bytes);
    if (bytes.size() > INT_MAX) return nullptr;
    ErrorWatch watch;
    externalRequested = false;
    std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> context(xmlNewParserCtxt(), &xmlFreeParserCtxt);
    if (!context) throw Failure(hresult::eOutOfMemory, u"Not enough memory to read the document.");
    // No recovery, no network, no DTD loading; internal entities are replaced by
    // their text (external ones would go to refuseExternal). Entity expansion keeps
    // libxml2's limits: XML_PARSE_HUGE stays off.
    xmlDocPtr doc = xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()), "config.xml", nullptr,
                                      XML_PARSE_NONET | XML_PARSE_NOENT);
    if (doc) form.declaredEncoding = doc->encoding ? reinterpret_cast<const char*>(doc->encoding) : "";
    const bool wellFormed = doc && context->wellFormed && context->nsWellFormed && !watch.failed() &&
                            !externalRequested && !needsExternalDtd(doc) && declarationAgrees(form);
    if (!wellFormed) {
        xmlFreeDoc(doc);
        return nullptr;
    }
    return doc;
}

std::string serialise(xmlDocPtr doc, const FileForm& form) {
    ErrorWatch quiet;
    const std::string& declared = form.declaredEncoding;
    FileForm::Units order = FileForm::Units::bytes;
    const bool utf16 = declared.empty() ? form.units != FileForm::Units::bytes : isUtf16(declared, order);
    if (utf16 && order == FileForm::Units::bytes)
        order = form.units == FileForm::Units::bytes ? FileForm::Units::utf16le : form.units;

    const std::string head = declaration(doc, declared);
    const std::string utf8 = content(doc, "UTF-8");  // serialised once: written and compared
    std::string out;
    if (utf16)
        out = utf16Bytes(head + utf8, order == FileForm::Units::utf16be, form.byteOrderMark);
    else if (declared.empty() || isUtf8(declared))
        out = (form.byteOrderMark ? "\xEF\xBB\xBF" : "") + head + utf8;
    else
        out = head + content(doc, declared.c_str());  // a legacy encoding: ASCII in the declaration

    // What is written must load again as this very document.
    FileForm again;
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> reread(parse(out, again), &xmlFreeDoc);
    if (!reread || content(reread.get(), "UTF-8") != utf8)
        throw Failure(hresult::eFail, u"The document cannot be written" +
                                          (declared.empty() ? std::u16string() : u" in its encoding " + fromUtf8(declared)) +
                                          u" so that it reads back unchanged.");
    return out;
}

}  // namespace sw::sim::libxml
