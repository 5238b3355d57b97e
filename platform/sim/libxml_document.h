#pragma once
// The configuration document on Linux, over libxml2 (see libxml_io.h for how files
// are read and written).
#include "config/xml.h"

namespace sw::sim {

class LibxmlDocumentFactory : public xml::DocumentFactory {
public:
    LibxmlDocumentFactory();
    xml::DocumentPtr createDocument() override;
};

}  // namespace sw::sim
