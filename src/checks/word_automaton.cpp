#include "checks/word_automaton.h"

#include <algorithm>
#include <utility>

namespace sw {

WordAutomaton::Node WordAutomaton::insert(std::u16string_view key) {
    auto newNode = [this](char16_t unit) {
        const auto n = static_cast<Node>(fail_.size());
        firstChild_.push_back(0);
        nextSibling_.push_back(0);
        unit_.push_back(unit);
        fail_.push_back(0);
        firstWord_.push_back(none);
        isFragment_.push_back(0);
        return n;
    };
    if (fail_.empty()) {
        rootNext_.assign(0x10000, 0);
        newNode(0);
    }
    Node n = 0;
    for (const char16_t c : key) {
        Node next = 0;
        if (n == 0) {
            next = rootNext_[c];
            if (next == 0) rootNext_[c] = next = newNode(c);
        } else {
            for (next = firstChild_[n]; next != 0 && unit_[next] != c; next = nextSibling_[next]) {
            }
            if (next == 0) {
                next = newNode(c);
                nextSibling_[next] = firstChild_[n];
                firstChild_[n] = next;
            }
        }
        n = next;
    }
    return n;
}

void WordAutomaton::addWord(std::u16string_view word, std::uint32_t index) {
    const Node n = insert(word);
    nextWord_.push_back(firstWord_[n]);
    firstWord_[n] = static_cast<std::uint32_t>(words_.size());
    words_.push_back(index);
    firstWordIndex_ = std::min(firstWordIndex_, index);
}

WordAutomaton::Node WordAutomaton::addFragment(std::u16string_view fragment) {
    const Node n = insert(fragment);
    isFragment_[n] = 1;
    return n;
}

WordAutomaton::Node WordAutomaton::child(Node node, char16_t unit) const {
    const std::uint32_t begin = edgeBegin_[node];
    const std::uint32_t end = edgeBegin_[node + 1];
    if (end - begin <= 8) {
        for (std::uint32_t e = begin; e < end; ++e)
            if (edgeUnit_[e] == unit) return edgeTarget_[e];
        return 0;
    }
    const auto* first = edgeUnit_.data() + begin;
    const auto* last = edgeUnit_.data() + end;
    const auto* at = std::lower_bound(first, last, unit);
    return at != last && *at == unit ? edgeTarget_[begin + (at - first)] : 0;
}

void WordAutomaton::build() {
    const std::size_t count = fail_.size();
    if (count == 0) return;

    // Edges of every node but the root, grouped by node and sorted by unit.
    edgeBegin_.assign(count + 1, 0);
    std::vector<std::pair<char16_t, Node>> edges;
    for (Node n = 0; n < count; ++n) {
        const std::size_t first = edges.size();
        if (n != 0)
            for (Node c = firstChild_[n]; c != 0; c = nextSibling_[c]) edges.emplace_back(unit_[c], c);
        std::sort(edges.begin() + static_cast<std::ptrdiff_t>(first), edges.end());
        edgeBegin_[n + 1] = static_cast<std::uint32_t>(edges.size());
    }
    edgeUnit_.resize(edges.size());
    edgeTarget_.resize(edges.size());
    for (std::size_t e = 0; e < edges.size(); ++e) {
        edgeUnit_[e] = edges[e].first;
        edgeTarget_[e] = edges[e].second;
    }
    firstChild_ = {};
    nextSibling_ = {};
    unit_ = {};

    // Breadth first, so that a node's fail target (always shallower) is complete first.
    std::vector<Node> order;
    order.reserve(count);
    for (const Node n : rootNext_)
        if (n != 0) order.push_back(n);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Node u = order[i];
        for (std::uint32_t e = edgeBegin_[u]; e < edgeBegin_[u + 1]; ++e) {
            const char16_t c = edgeUnit_[e];
            Node f = fail_[u];
            for (;;) {
                if (f == 0) {
                    f = rootNext_[c];
                    break;
                }
                if (const Node t = child(f, c); t != 0) {
                    f = t;
                    break;
                }
                f = fail_[f];
            }
            fail_[edgeTarget_[e]] = f;
            order.push_back(edgeTarget_[e]);
        }
    }

    outMin_.assign(count, none);
    outMax_.assign(count, 0);
    wordLink_.assign(count, 0);
    fragmentLink_.assign(count, 0);
    interesting_.assign(count, 0);
    for (const Node u : order) {
        const Node f = fail_[u];
        outMin_[u] = outMin_[f];
        outMax_[u] = outMax_[f];
        for (std::uint32_t w = firstWord_[u]; w != none; w = nextWord_[w]) {
            outMin_[u] = std::min(outMin_[u], words_[w]);
            outMax_[u] = std::max(outMax_[u], words_[w]);
        }
        wordLink_[u] = firstWord_[u] != none ? u : wordLink_[f];
        fragmentLink_[u] = isFragment_[u] ? u : fragmentLink_[f];
        interesting_[u] = outMin_[u] != none || fragmentLink_[u] != 0;
    }
}

bool WordAutomaton::wordInRange(Node node, std::uint32_t from, std::uint32_t to) const {
    for (Node n = wordLink_[node]; n != 0; n = wordLink_[fail_[n]])
        for (std::uint32_t w = firstWord_[n]; w != none; w = nextWord_[w])
            if (words_[w] >= from && words_[w] < to) return true;
    return false;
}

bool WordAutomaton::scan(std::u16string_view text, std::uint32_t from, std::uint32_t to,
                         std::vector<std::uint8_t>* seen) const {
    if (fail_.empty()) return false;
    const Node* root = rootNext_.data();
    Node s = 0;
    for (const char16_t c : text) {
        if (s == 0) {
            s = root[c];
        } else {
            for (;;) {
                if (const Node t = child(s, c); t != 0) {
                    s = t;
                    break;
                }
                s = fail_[s];
                if (s == 0) {
                    s = root[c];
                    break;
                }
            }
        }
        if (!interesting_[s]) continue;
        if (outMin_[s] < to && outMax_[s] >= from && (outMin_[s] >= from || wordInRange(s, from, to))) return true;
        // A fragment already seen had the rest of its chain marked then.
        if (seen)
            for (Node f = fragmentLink_[s]; f != 0 && !(*seen)[f]; f = fragmentLink_[fail_[f]]) (*seen)[f] = 1;
    }
    return false;
}

}  // namespace sw
