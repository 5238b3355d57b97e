#include "diagnostics/hresult.h"
#include "sim/pugi_document.h"

#include <cerrno>
#include <cstring>
#include <pugixml.hpp>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "diagnostics/failure.h"
#include "sim/xml_encoding.h"
#include "text.h"

namespace sw::sim {
namespace {

// The host's DOM keeps removed and newly created nodes alive and readable (node
// lists may still hold them). pugixml cannot hold a node outside its tree, so such
// nodes wait in a hidden top-level element after the root, the "limbo", which the
// queries and the saved file never see. Moving a node keeps its handle valid.
struct Shared {
    pugi::xml_document document;
    pugi::xml_node limboNode;

    pugi::xml_node limbo() {
        if (!limboNode) limboNode = document.append_child("sendwarden-limbo");
        return limboNode;
    }
    pugi::xml_node root() const {
        for (pugi::xml_node child : document.children())
            if (child.type() == pugi::node_element && child != limboNode) return child;
        return {};
    }
    void moveToLimbo(pugi::xml_node node) {
        if (!limbo().append_move(node)) throw Failure(hresult::eFail, u"The node could not be removed.");
    }
};

class PugiNode : public xml::Node {
public:
    PugiNode(std::shared_ptr<Shared> shared, pugi::xml_node node) : shared_(std::move(shared)), node_(node) {}
    PugiNode(std::shared_ptr<Shared> shared, pugi::xml_attribute attribute)
        : shared_(std::move(shared)), attribute_(attribute) {}

    std::u16string text() override;
    void setText(const std::u16string& text) override;
    std::u16string nodeName() override;
    xml::NodePtr parentNode() override;
    xml::NodePtr attribute(const std::u16string& name) override;
    xml::NodePtr selectSingleNode(const std::u16string& name) override;
    void removeChild(const xml::NodePtr& child) override;
    void appendChild(const xml::NodePtr& child) override;

    pugi::xml_node node() const { return node_; }

private:
    pugi::xml_node element() const;

    std::shared_ptr<Shared> shared_;
    pugi::xml_node node_;
    pugi::xml_attribute attribute_;
};

xml::NodePtr wrap(const std::shared_ptr<Shared>& shared, pugi::xml_node node) {
    return node ? std::make_shared<PugiNode>(shared, node) : nullptr;
}
xml::NodePtr wrap(const std::shared_ptr<Shared>& shared, pugi::xml_attribute attribute) {
    return attribute ? std::make_shared<PugiNode>(shared, attribute) : nullptr;
}

Failure notAnElement() { return Failure(hresult::eFail, u"The operation is not valid on an attribute."); }

pugi::xml_node PugiNode::element() const {
    if (!node_) throw notAnElement();
    return node_;
}

void collectText(pugi::xml_node node, std::string& out) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            out += child.value();
        else if (child.type() == pugi::node_element)
            collectText(child, out);
    }
}

std::u16string PugiNode::text() {
    if (attribute_) return fromUtf8(attribute_.value());
    std::string out;
    collectText(element(), out);
    return fromUtf8(out);
}

void PugiNode::setText(const std::u16string& text) {
    const std::string value = toUtf8(text);
    if (attribute_) {
        attribute_.set_value(value.c_str());
        return;
    }
    pugi::xml_node e = element();
    while (pugi::xml_node child = e.first_child()) {
        if (child.type() == pugi::node_element)
            shared_->moveToLimbo(child);  // someone may still hold it
        else
            e.remove_child(child);
    }
    if (!value.empty()) e.append_child(pugi::node_pcdata).set_value(value.c_str());
}

std::u16string PugiNode::nodeName() {
    if (attribute_) return fromUtf8(attribute_.name());
    if (node_.type() == pugi::node_document) return u"#document";
    return fromUtf8(element().name());
}

xml::NodePtr PugiNode::parentNode() {
    if (attribute_) return nullptr;
    pugi::xml_node parent = element().parent();
    // A node that was removed, or never appended, has no parent.
    if (!parent || parent == shared_->limboNode) return nullptr;
    return wrap(shared_, parent);
}

xml::NodePtr PugiNode::attribute(const std::u16string& name) {
    return wrap(shared_, element().attribute(toUtf8(name).c_str()));
}

xml::NodePtr PugiNode::selectSingleNode(const std::u16string& name) {
    return wrap(shared_, element().child(toUtf8(name).c_str()));
}

void PugiNode::removeChild(const xml::NodePtr& child) {
    auto* c = dynamic_cast<PugiNode*>(child.get());
    if (!c || !c->node() || c->node().parent() != element())
        throw Failure(hresult::eInvalidArg, u"The node to remove is not a child of this node.");
    shared_->moveToLimbo(c->node());
}

void PugiNode::appendChild(const xml::NodePtr& child) {
    auto* c = dynamic_cast<PugiNode*>(child.get());
    if (!c || !c->node()) throw Failure(hresult::eInvalidArg, u"Only an element can be appended.");
    if (!element().append_move(c->node())) throw Failure(hresult::eInvalidArg, u"The node cannot be appended here.");
}

class PugiNodeList : public xml::NodeList {
public:
    explicit PugiNodeList(std::vector<xml::NodePtr> nodes) : nodes_(std::move(nodes)) {}
    std::int32_t length() override { return static_cast<std::int32_t>(nodes_.size()); }
    xml::NodePtr item(std::int32_t index) override {
        if (index < 0 || index >= length()) return nullptr;
        return nodes_[static_cast<std::size_t>(index)];
    }

private:
    std::vector<xml::NodePtr> nodes_;  // taken when the list is asked for; holds the document
};

class PugiDocument : public xml::Document {
public:
    PugiDocument() : shared_(std::make_shared<Shared>()) {}

    bool load(const std::filesystem::path& file) override {
        // Declaration and comments are kept so that a save writes them back; white
        // space that is an element's whole text (a word of one space) is kept too.
        const unsigned options = pugi::parse_full | pugi::parse_ws_pcdata_single;
        shared_->limboNode = {};
        std::ifstream in(file, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::optional<std::string> utf8 = in.bad() || !in.is_open() ? std::nullopt : toUtf8Document(bytes);
        if (utf8 && shared_->document.load_buffer(utf8->data(), utf8->size(), options)) return true;
        // pugixml keeps what it parsed before the error; a failed load leaves nothing.
        shared_->document.reset();
        return false;
    }

    xml::NodeListPtr getElementsByTagName(const std::u16string& pattern) override {
        const std::string p = toUtf8(pattern);
        const auto slash = p.find('/');
        const std::string parent = slash == std::string::npos ? std::string() : p.substr(0, slash);
        const std::string name = slash == std::string::npos ? p : p.substr(slash + 1);
        std::vector<xml::NodePtr> found;
        for (pugi::xml_node top : shared_->document.children())
            if (top != shared_->limboNode) collect(top, parent, name, slash != std::string::npos, found);
        return std::make_shared<PugiNodeList>(std::move(found));
    }

    xml::NodePtr selectSingleNode(const std::u16string& expression) override {
        std::string name = toUtf8(expression);
        if (name.rfind("//", 0) != 0) throw Failure(hresult::eFail, u"Unsupported expression: " + expression);
        name.erase(0, 2);
        for (pugi::xml_node top : shared_->document.children()) {
            if (top == shared_->limboNode || top.type() != pugi::node_element) continue;
            if (name == top.name()) return wrap(shared_, top);
            pugi::xml_node found = top.find_node([&](pugi::xml_node n) {
                return n.type() == pugi::node_element && name == n.name();
            });
            if (found) return wrap(shared_, found);
        }
        return nullptr;
    }

    xml::NodePtr documentElement() override { return wrap(shared_, shared_->root()); }

    xml::NodePtr createElement(const std::u16string& name) override {
        pugi::xml_node e = shared_->limbo().append_child(toUtf8(name).c_str());
        if (!e) throw Failure(hresult::eOutOfMemory, u"Not enough memory to create an element.");
        return wrap(shared_, e);
    }

    void save(const std::filesystem::path& file) override {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        bool declared = false;
        for (pugi::xml_node top : shared_->document.children()) declared |= top.type() == pugi::node_declaration;
        if (!declared) out << "<?xml version=\"1.0\"?>\n";
        for (pugi::xml_node top : shared_->document.children())
            if (top != shared_->limboNode) top.print(out, "\t", pugi::format_default, pugi::encoding_utf8);
        out.flush();
        if (!out) {
            const int e = errno;
            throw Failure(75, u"Cannot write " + fromUtf8(file.string()) +
                                  (e ? u": " + fromUtf8(std::strerror(e)) : std::u16string()));
        }
    }

private:
    void collect(pugi::xml_node node, const std::string& parent, const std::string& name, bool needParent,
                 std::vector<xml::NodePtr>& out) {
        for (pugi::xml_node child : node.children()) {
            if (child.type() != pugi::node_element) continue;
            if (name == child.name() && (!needParent || (node.type() == pugi::node_element && parent == node.name())))
                out.push_back(wrap(shared_, child));
            collect(child, parent, name, needParent, out);
        }
    }

    std::shared_ptr<Shared> shared_;
};

}  // namespace

xml::DocumentPtr PugiDocumentFactory::createDocument() { return std::make_shared<PugiDocument>(); }

}  // namespace sw::sim
