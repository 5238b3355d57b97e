#pragma once
// The configuration document on Windows: MSXML 3's DOMDocument. It never fetches
// anything a file points to: no external entity, no DTD, no network.
#include "config/xml.h"

namespace sw::win {

class MsxmlDocumentFactory : public xml::DocumentFactory {
public:
    xml::DocumentPtr createDocument() override;
};

}  // namespace sw::win
