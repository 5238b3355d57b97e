#include "win32/msxml_document.h"

#include <msxml2.h>

#include <vector>

#include "diagnostics/hresult.h"
#include "win32/com_failure.h"
#include "win32/handles.h"

namespace sw::win {
namespace {

// MinGW declares the interface but its import libraries lack the identifier.
constexpr IID iidDocument2 = {0x2933BF95, 0x7B36, 0x11d2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

class MsxmlNode : public xml::Node {
public:
    explicit MsxmlNode(ComPtr<IXMLDOMNode> node) : node_(std::move(node)) {}

    std::u16string text() override {
        Bstr b;
        check(node_->get_text(b.put()), u"IXMLDOMNode.text");
        return b.text();
    }
    void setText(const std::u16string& text) override {
        check(node_->put_text(Bstr(text).get()), u"IXMLDOMNode.text");
    }
    std::u16string nodeName() override {
        Bstr b;
        check(node_->get_nodeName(b.put()), u"IXMLDOMNode.nodeName");
        return b.text();
    }
    xml::NodePtr parentNode() override {
        ComPtr<IXMLDOMNode> parent;
        check(node_->get_parentNode(parent.put()), u"IXMLDOMNode.parentNode");
        return wrap(std::move(parent));
    }
    xml::NodePtr attribute(const std::u16string& name) override {
        ComPtr<IXMLDOMNamedNodeMap> attributes;
        check(node_->get_attributes(attributes.put()), u"IXMLDOMNode.attributes");
        if (!attributes) throw Failure(hresult::eFail, u"The operation is not valid on an attribute.");
        ComPtr<IXMLDOMNode> found;
        check(attributes->getNamedItem(Bstr(name).get(), found.put()), u"getNamedItem");
        return wrap(std::move(found));
    }
    xml::NodePtr selectSingleNode(const std::u16string& name) override {
        ComPtr<IXMLDOMNode> found;
        check(node_->selectSingleNode(Bstr(name).get(), found.put()), u"selectSingleNode");
        return wrap(std::move(found));
    }
    void removeChild(const xml::NodePtr& child) override {
        ComPtr<IXMLDOMNode> removed;
        check(node_->removeChild(of(child), removed.put()), u"removeChild");
    }
    void appendChild(const xml::NodePtr& child) override {
        ComPtr<IXMLDOMNode> appended;
        check(node_->appendChild(of(child), appended.put()), u"appendChild");
    }

    static xml::NodePtr wrap(ComPtr<IXMLDOMNode> node) {
        return node ? std::make_shared<MsxmlNode>(std::move(node)) : nullptr;
    }

private:
    static IXMLDOMNode* of(const xml::NodePtr& node) {
        auto* n = dynamic_cast<MsxmlNode*>(node.get());
        if (!n) throw Failure(hresult::eInvalidArg, u"The node belongs to no document.");
        return n->node_.get();
    }

    ComPtr<IXMLDOMNode> node_;
};

class MsxmlNodeList : public xml::NodeList {
public:
    explicit MsxmlNodeList(std::vector<xml::NodePtr> nodes) : nodes_(std::move(nodes)) {}
    std::int32_t length() override { return static_cast<std::int32_t>(nodes_.size()); }
    xml::NodePtr item(std::int32_t index) override {
        if (index < 0 || index >= length()) return nullptr;
        return nodes_[static_cast<std::size_t>(index)];
    }

private:
    std::vector<xml::NodePtr> nodes_;  // taken when the list is asked for, as on every platform
};

class MsxmlDocument : public xml::Document {
public:
    MsxmlDocument() : document_(strictDocument()) {}

    bool load(const std::filesystem::path& file) override {
        Variant path = Variant::fromText(fromWide(file.c_str()));
        VARIANT_BOOL ok = VARIANT_FALSE;
        const HRESULT hr = document_->load(path.ref(), &ok);
        if (hr == S_OK && ok != VARIANT_FALSE && !refused()) return true;
        document_ = strictDocument();  // a failed load leaves an empty document
        return false;
    }

    xml::NodeListPtr getElementsByTagName(const std::u16string& pattern) override {
        ComPtr<IXMLDOMNodeList> list;
        check(document_->getElementsByTagName(Bstr(pattern).get(), list.put()), u"getElementsByTagName");
        std::vector<xml::NodePtr> nodes;
        long length = 0;
        if (list) check(list->get_length(&length), u"IXMLDOMNodeList.length");
        nodes.reserve(static_cast<std::size_t>(length));
        for (long i = 0; i < length; ++i) {
            ComPtr<IXMLDOMNode> node;
            check(list->get_item(i, node.put()), u"IXMLDOMNodeList.item");
            nodes.push_back(MsxmlNode::wrap(std::move(node)));
        }
        return std::make_shared<MsxmlNodeList>(std::move(nodes));
    }

    xml::NodePtr selectSingleNode(const std::u16string& expression) override {
        ComPtr<IXMLDOMNode> found;
        check(document_->selectSingleNode(Bstr(expression).get(), found.put()), u"selectSingleNode");
        return MsxmlNode::wrap(std::move(found));
    }

    xml::NodePtr documentElement() override {
        ComPtr<IXMLDOMElement> root;
        check(document_->get_documentElement(root.put()), u"documentElement");
        return MsxmlNode::wrap(ComPtr<IXMLDOMNode>(root.detach()));
    }

    xml::NodePtr createElement(const std::u16string& name) override {
        ComPtr<IXMLDOMElement> element;
        check(document_->createElement(Bstr(name).get(), element.put()), u"createElement");
        return MsxmlNode::wrap(ComPtr<IXMLDOMNode>(element.detach()));
    }

    void save(const std::filesystem::path& file) override {
        Variant path = Variant::fromText(fromWide(file.c_str()));
        check(document_->save(path.ref()), u"IXMLDOMDocument.save");
    }

private:
    static ComPtr<IXMLDOMDocument2> strictDocument() {
        ComPtr<IXMLDOMDocument2> document;
        CLSID clsid{};
        check(CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &clsid), u"Msxml2.DOMDocument.3.0");
        check(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iidDocument2, document.putVoid()),
              u"Msxml2.DOMDocument.3.0");
        check(document->put_async(VARIANT_FALSE), u"async");
        check(document->put_validateOnParse(VARIANT_FALSE), u"validateOnParse");
        // MSXML 3 would fetch external entities and DTDs by default: a config.xml
        // could then read another file or reach the network. Never.
        check(document->put_resolveExternals(VARIANT_FALSE), u"resolveExternals");
        // Builds without the property refuse DTDs in refused() instead.
        Variant on = Variant::fromBool(true);
        document->setProperty(Bstr(u"ProhibitDTD").get(), on.ref());
        // An entry's text is kept exactly as the file holds it, spaces included.
        check(document->put_preserveWhiteSpace(VARIANT_TRUE), u"preserveWhiteSpace");
        return document;
    }

    // A strict parser refuses any DTD (internal entities can grow without bound);
    // builds without ProhibitDTD load one.
    bool refused() {
        ComPtr<IXMLDOMDocumentType> doctype;
        return FAILED(document_->get_doctype(doctype.put())) || doctype;
    }

    ComPtr<IXMLDOMDocument2> document_;
};

}  // namespace

xml::DocumentPtr MsxmlDocumentFactory::createDocument() { return std::make_shared<MsxmlDocument>(); }

}  // namespace sw::win
