#pragma once
// Reading and writing config.xml with libxml2: strictly (a file that is not
// well-formed never loads), never reaching for another file or the network, and
// writing a document back in the encoding it declares.
#include <libxml/tree.h>

#include <string>
#include <string_view>

namespace sw::sim::libxml {

// How a loaded file was written, so that a save writes it the same way.
struct FileForm {
    enum class Units { bytes, utf16le, utf16be };  // bytes: UTF-8 or a declared legacy encoding
    std::string declaredEncoding;  // as the XML declaration spells it; empty without one
    Units units = Units::bytes;
    bool byteOrderMark = false;
};

// Call once before any other libxml2 use: names Shift_JIS as Windows means it and
// makes every external entity or DTD fail to load.
void initialise();

// The parsed document (the caller frees it with xmlFreeDoc), or null when the bytes
// are not a well-formed document, contradict their declared encoding, or need an
// external DTD or entity.
xmlDocPtr parse(std::string_view bytes, FileForm& form);

// The document as a file of `form`'s encoding. Throws Failure when those bytes would
// not load again as the same document (a character the encoding cannot carry where
// no character reference may stand, a name or text that XML does not allow).
std::string serialise(xmlDocPtr doc, const FileForm& form);

}  // namespace sw::sim::libxml
