#include "sim/libxml_document.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unordered_set>
#include <vector>

#include "diagnostics/failure.h"
#include "diagnostics/hresult.h"
#include "sim/libxml_io.h"
#include "text.h"

namespace sw::sim {
namespace {

const xmlChar* xmlText(const std::string& s) { return reinterpret_cast<const xmlChar*>(s.c_str()); }

// Owns the libxml2 documents and every node that left them. The host's DOM keeps
// removed and never-appended nodes alive and readable while anyone holds them, so
// they are freed only with the document, never when they leave the tree.
struct Shared {
    xmlDocPtr doc = xmlNewDoc(BAD_CAST "1.0");
    std::vector<xmlDocPtr> replaced;           // by a load; their nodes may still be held
    std::unordered_set<xmlNodePtr> detached;   // removed or created; some are back in a tree
    libxml::FileForm form;

    Shared() {
        if (!doc) throw Failure(hresult::eOutOfMemory, u"Not enough memory to create a document.");
    }
    ~Shared() {
        // Only the roots of the subtrees outside every document are freed here; read
        // all parents before freeing, since a detached node may lie in another's subtree.
        std::vector<xmlNodePtr> roots;
        for (xmlNodePtr n : detached)
            if (!n->parent) roots.push_back(n);
        for (xmlNodePtr n : roots) xmlFreeNode(n);
        for (xmlDocPtr d : replaced) xmlFreeDoc(d);
        xmlFreeDoc(doc);
    }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    void detach(xmlNodePtr node) {
        xmlUnlinkNode(node);
        detached.insert(node);
    }
};

// Compares the name as the DOM gives it (prefix:local) without building it.
template <class T>
bool named(const T* node, std::string_view name) {
    const std::string_view local = reinterpret_cast<const char*>(node->name);
    if (!node->ns || !node->ns->prefix) return local == name;
    const std::string_view prefix = reinterpret_cast<const char*>(node->ns->prefix);
    return name.size() == prefix.size() + 1 + local.size() && name.starts_with(prefix) && name[prefix.size()] == ':' &&
           name.ends_with(local);
}

template <class T>
std::u16string qualifiedName(const T* node) {
    std::string name = node->ns && node->ns->prefix ? reinterpret_cast<const char*>(node->ns->prefix) + std::string(":") : "";
    return fromUtf8(name + reinterpret_cast<const char*>(node->name));
}

std::u16string contentOf(const xmlNode* node) {
    xmlChar* text = xmlNodeGetContent(node);
    std::u16string out = text ? fromUtf8(reinterpret_cast<const char*>(text)) : std::u16string();
    xmlFree(text);
    return out;
}

Failure notAnElement() { return Failure(hresult::eFail, u"The operation is not valid on an attribute."); }

class LibxmlNode : public xml::Node {
public:
    LibxmlNode(std::shared_ptr<Shared> shared, xmlNodePtr node) : shared_(std::move(shared)), node_(node) {}
    LibxmlNode(std::shared_ptr<Shared> shared, xmlAttrPtr attribute) : shared_(std::move(shared)), attribute_(attribute) {}

    std::u16string text() override {
        return attribute_ ? contentOf(reinterpret_cast<xmlNodePtr>(attribute_)) : contentOf(node_);
    }
    void setText(const std::u16string& text) override;
    std::u16string nodeName() override {
        if (attribute_) return qualifiedName(attribute_);
        return node_->type == XML_ELEMENT_NODE ? qualifiedName(node_) : u"#document";
    }
    xml::NodePtr parentNode() override;
    xml::NodePtr attribute(const std::u16string& name) override;
    xml::NodePtr selectSingleNode(const std::u16string& name) override;
    void removeChild(const xml::NodePtr& child) override;
    void appendChild(const xml::NodePtr& child) override;

    xmlNodePtr node() const { return node_; }

private:
    xmlNodePtr container() const {
        if (!node_) throw notAnElement();
        return node_;
    }
    xmlNodePtr element() const {
        if (!node_ || node_->type != XML_ELEMENT_NODE) throw notAnElement();
        return node_;
    }
    xmlNodePtr childOfOurs(const xml::NodePtr& child) const {
        const auto* c = dynamic_cast<const LibxmlNode*>(child.get());
        return c && c->shared_ == shared_ && c->node_ && c->node_->type == XML_ELEMENT_NODE ? c->node_ : nullptr;
    }

    std::shared_ptr<Shared> shared_;
    xmlNodePtr node_ = nullptr;         // an element, or the document itself
    xmlAttrPtr attribute_ = nullptr;
};

xml::NodePtr wrap(const std::shared_ptr<Shared>& shared, xmlNodePtr node) {
    return node ? std::make_shared<LibxmlNode>(shared, node) : nullptr;
}

void LibxmlNode::setText(const std::u16string& text) {
    const std::string value = toUtf8(text);
    if (attribute_) {
        xmlSetNsProp(attribute_->parent, attribute_->ns, attribute_->name, xmlText(value));
        return;
    }
    xmlNodePtr e = element();
    while (xmlNodePtr child = e->children) {
        if (child->type == XML_ELEMENT_NODE) {
            shared_->detach(child);  // someone may still hold it
        } else {
            xmlUnlinkNode(child);
            xmlFreeNode(child);
        }
    }
    if (value.empty()) return;
    // A text node takes the value as it is: no entity or markup in it is interpreted.
    xmlNodePtr node = xmlNewDocTextLen(e->doc, xmlText(value), static_cast<int>(value.size()));
    if (!node || !xmlAddChild(e, node)) throw Failure(hresult::eOutOfMemory, u"Not enough memory to set the text.");
}

xml::NodePtr LibxmlNode::parentNode() {
    if (attribute_) return nullptr;
    xmlNodePtr parent = container()->parent;
    // A node that was removed, or never appended, has no parent.
    if (!parent || (parent->type != XML_ELEMENT_NODE && parent->type != XML_DOCUMENT_NODE)) return nullptr;
    return wrap(shared_, parent);
}

xml::NodePtr LibxmlNode::attribute(const std::u16string& name) {
    const xmlNodePtr e = container();
    if (e->type != XML_ELEMENT_NODE) return nullptr;
    const std::string wanted = toUtf8(name);
    for (xmlAttrPtr a = e->properties; a; a = a->next)
        if (named(a, wanted)) return std::make_shared<LibxmlNode>(shared_, a);
    return nullptr;
}

xml::NodePtr LibxmlNode::selectSingleNode(const std::u16string& name) {
    const std::string wanted = toUtf8(name);
    for (xmlNodePtr c = container()->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE && named(c, wanted)) return wrap(shared_, c);
    return nullptr;
}

void LibxmlNode::removeChild(const xml::NodePtr& child) {
    xmlNodePtr c = childOfOurs(child);
    if (!c || c->parent != container())
        throw Failure(hresult::eInvalidArg, u"The node to remove is not a child of this node.");
    shared_->detach(c);
}

void LibxmlNode::appendChild(const xml::NodePtr& child) {
    xmlNodePtr c = childOfOurs(child);
    if (!c || c->doc != element()->doc) throw Failure(hresult::eInvalidArg, u"Only an element of this document can be appended.");
    for (xmlNodePtr up = node_; up; up = up->parent)
        if (up == c) throw Failure(hresult::eInvalidArg, u"A node cannot be appended inside itself.");
    if (c->parent) shared_->detach(c);
    if (!xmlAddChild(node_, c)) throw Failure(hresult::eInvalidArg, u"The node cannot be appended here.");
}

class SnapshotList : public xml::NodeList {
public:
    explicit SnapshotList(std::vector<xml::NodePtr> nodes) : nodes_(std::move(nodes)) {}
    std::int32_t length() override { return static_cast<std::int32_t>(nodes_.size()); }
    xml::NodePtr item(std::int32_t index) override {
        if (index < 0 || index >= length()) return nullptr;
        return nodes_[static_cast<std::size_t>(index)];
    }

private:
    std::vector<xml::NodePtr> nodes_;  // taken when the list is asked for; holds the document
};

class LibxmlDocument : public xml::Document {
public:
    LibxmlDocument() : shared_(std::make_shared<Shared>()) {}

    bool load(const std::filesystem::path& file) override {
        std::ifstream in(file, std::ios::binary);
        if (!in.is_open()) return false;
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return false;
        libxml::FileForm form;
        xmlDocPtr doc = libxml::parse(bytes, form);
        if (!doc) return false;
        shared_->replaced.push_back(shared_->doc);
        shared_->doc = doc;
        shared_->form = form;
        return true;
    }

    xml::NodeListPtr getElementsByTagName(const std::u16string& pattern) override {
        const std::string p = toUtf8(pattern);
        const auto slash = p.find('/');
        const std::string parent = slash == std::string::npos ? std::string() : p.substr(0, slash);
        const std::string name = slash == std::string::npos ? p : p.substr(slash + 1);
        std::vector<xml::NodePtr> found;
        for (xmlNodePtr e = firstElement(); e; e = following(e))
            if (named(e, name) && (slash == std::string::npos || (e->parent->type == XML_ELEMENT_NODE && named(e->parent, parent))))
                found.push_back(wrap(shared_, e));
        return std::make_shared<SnapshotList>(std::move(found));
    }

    xml::NodePtr selectSingleNode(const std::u16string& expression) override {
        if (!expression.starts_with(u"//")) throw Failure(hresult::eFail, u"Unsupported expression: " + expression);
        const std::string name = toUtf8(expression.substr(2));
        for (xmlNodePtr e = firstElement(); e; e = following(e))
            if (named(e, name)) return wrap(shared_, e);
        return nullptr;
    }

    xml::NodePtr documentElement() override { return wrap(shared_, xmlDocGetRootElement(shared_->doc)); }

    xml::NodePtr createElement(const std::u16string& name) override {
        const std::string n = toUtf8(name);
        if (xmlValidateQName(xmlText(n), 0) != 0) throw Failure(hresult::eFail, u"Not a valid element name: " + name);
        xmlNodePtr e = xmlNewDocNode(shared_->doc, nullptr, xmlText(n), nullptr);
        if (!e) throw Failure(hresult::eOutOfMemory, u"Not enough memory to create an element.");
        shared_->detached.insert(e);
        return wrap(shared_, e);
    }

    void save(const std::filesystem::path& file) override {
        const std::string bytes = libxml::serialise(shared_->doc, shared_->form);
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            const int e = errno;
            throw Failure(75, u"Cannot write " + fromUtf8(file.string()) +
                                  (e ? u": " + fromUtf8(std::strerror(e)) : std::u16string()));
        }
    }

private:
    // Document order over the elements; the tree is at most libxml2's depth limit
    // deep, but the walk needs no stack either way.
    xmlNodePtr firstElement() const { return xmlDocGetRootElement(shared_->doc); }
    static xmlNodePtr following(xmlNodePtr e) {
        if (xmlNodePtr c = xmlFirstElementChild(e)) return c;
        for (; e && e->type == XML_ELEMENT_NODE; e = e->parent)
            if (xmlNodePtr s = xmlNextElementSibling(e)) return s;
        return nullptr;
    }

    std::shared_ptr<Shared> shared_;
};

}  // namespace

LibxmlDocumentFactory::LibxmlDocumentFactory() { libxml::initialise(); }

xml::DocumentPtr LibxmlDocumentFactory::createDocument() { return std::make_shared<LibxmlDocument>(); }

}  // namespace sw::sim
