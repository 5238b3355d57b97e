#pragma once
// The XML document operations the configuration store needs, and nothing more.
// Every operation that fails throws sw::Failure. A null NodePtr means "no node";
// the store turns a use of one into a failure itself.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace sw::xml {

class Node;
using NodePtr = std::shared_ptr<Node>;

class Node {
public:
    virtual ~Node() = default;
    // Element: the text of all its descendants; attribute: its value.
    virtual std::u16string text() = 0;
    // Replaces all content by one text node (an attribute: its value).
    virtual void setText(const std::u16string& text) = 0;
    virtual std::u16string nodeName() = 0;
    virtual NodePtr parentNode() = 0;
    // attributes.getNamedItem(name)
    virtual NodePtr attribute(const std::u16string& name) = 0;
    // The first child element with this bare name.
    virtual NodePtr selectSingleNode(const std::u16string& name) = 0;
    virtual void removeChild(const NodePtr& child) = 0;
    virtual void appendChild(const NodePtr& child) = 0;
};

// A list may be live (following later changes to the document, as the host DOM's
// lists do) or a snapshot taken when it was asked for: callers must be right under both.
class NodeList {
public:
    virtual ~NodeList() = default;
    virtual std::int32_t length() = 0;
    virtual NodePtr item(std::int32_t index) = 0;  // 0-based; null past the end
};
using NodeListPtr = std::shared_ptr<NodeList>;

class Document {
public:
    virtual ~Document() = default;
    // Reads and parses the whole file; false when missing, unreadable or not well-formed.
    virtual bool load(const std::filesystem::path& file) = 0;
    // "parent/child": every child element under a parent of that name, in document order.
    virtual NodeListPtr getElementsByTagName(const std::u16string& pattern) = 0;
    // "//name": the first element of that name anywhere, in document order.
    virtual NodePtr selectSingleNode(const std::u16string& expression) = 0;
    virtual NodePtr documentElement() = 0;
    virtual NodePtr createElement(const std::u16string& name) = 0;
    virtual void save(const std::filesystem::path& file) = 0;
};
using DocumentPtr = std::shared_ptr<Document>;

class DocumentFactory {
public:
    virtual ~DocumentFactory() = default;
    virtual DocumentPtr createDocument() = 0;
};

}  // namespace sw::xml
