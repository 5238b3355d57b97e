#pragma once
// The configuration document on Linux, over pugixml.
#include "config/xml.h"

namespace sw::sim {

class PugiDocumentFactory : public xml::DocumentFactory {
public:
    xml::DocumentPtr createDocument() override;
};

}  // namespace sw::sim
