#pragma once
// Aho-Corasick automaton over 16-bit units for the plain-text body words: one pass over
// the body finds whether any of them occurs. It also carries "fragments", the plain
// runs that wildcard words require, and reports which of them occur, so that a
// wildcard word whose fragment is absent is never matched against the body at all.
#include <cstdint>
#include <string_view>
#include <vector>

namespace sw {

class WordAutomaton {
public:
    using Node = std::uint32_t;

    // Keys are non-empty; word indices must be added in ascending order.
    void addWord(std::u16string_view word, std::uint32_t index);
    Node addFragment(std::u16string_view fragment);  // a node id for seen()
    void build();

    bool hasWords() const { return firstWordIndex_ != none; }
    std::size_t nodeCount() const { return fail_.size(); }

    // True as soon as a word with an index in [from, to) occurs in text. Otherwise, when
    // seen is given (nodeCount() entries, zeroed), sets seen[f] for every fragment f
    // that occurs.
    bool scan(std::u16string_view text, std::uint32_t from, std::uint32_t to, std::vector<std::uint8_t>* seen) const;

private:
    static constexpr std::uint32_t none = UINT32_MAX;

    Node insert(std::u16string_view key);
    Node child(Node node, char16_t unit) const;
    bool wordInRange(Node node, std::uint32_t from, std::uint32_t to) const;

    // While keys are added: first-child / next-sibling lists (the root uses rootNext_).
    std::vector<Node> firstChild_, nextSibling_;
    std::vector<char16_t> unit_;
    // After build(): each node's edges sorted by unit.
    std::vector<std::uint32_t> edgeBegin_;
    std::vector<char16_t> edgeUnit_;
    std::vector<Node> edgeTarget_;

    std::vector<Node> rootNext_;  // dense: 65536 entries, 0 = stay at the root
    std::vector<Node> fail_;
    std::vector<std::uint32_t> firstWord_, nextWord_;  // word indices ending at a node, ascending
    std::vector<std::uint32_t> words_;                 // the index of each added word
    std::vector<std::uint32_t> outMin_, outMax_;       // word indices ending here or on the fail chain
    std::vector<Node> wordLink_, fragmentLink_;        // nearest such node on the fail chain, 0 = none
    std::vector<std::uint8_t> isFragment_, interesting_;
    std::uint32_t firstWordIndex_ = none;
};

}  // namespace sw
