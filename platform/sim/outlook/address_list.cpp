#include "sim/outlook/address_list.h"

#include <glib.h>

#include <algorithm>

namespace sw::sim {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t'; }

bool isShiftJisLead(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The address as it is written: white space outside quoted strings is one space at
// most, and none next to "@" or "." or at either end, where the old syntax allowed it.
class AddressText {
public:
    void space() { pendingSpace_ = !text_.empty(); }
    void put(std::string_view bytes) {
        for (const char c : bytes) {
            const char last = text_.empty() ? '\0' : text_.back();
            if (pendingSpace_ && last != '@' && last != '.' && c != '@' && c != '.') text_ += ' ';
            pendingSpace_ = false;
            text_ += c;
        }
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
    bool pendingSpace_ = false;
};

// What one comma-separated element has gathered so far.
struct Element {
    std::string phrase;  // display-name words, unquoted
    bool phraseSpace = false;
    AddressText bare;    // everything outside comments, for an element without "<"
    AddressText angle;   // inside "<" ... ">"
    std::string comment;
    bool hasComment = false;
    bool inAngle = false, hasAngle = false;

    void separate() {
        if (inAngle) {
            angle.space();
        } else {
            phraseSpace = !phrase.empty();
            bare.space();
        }
    }
    void word(std::string_view text, std::string_view asWritten) {
        if (inAngle) {
            angle.put(asWritten);
        } else if (!hasAngle) {
            if (phraseSpace) phrase += ' ';
            phraseSpace = false;
            phrase += text;
            bare.put(asWritten);
        }
    }
    // A comma inside "<@a,@b:user@host>" belongs to the source route.
    bool inRoute() const { return inAngle && !angle.text().empty() && angle.text().front() == '@'; }
};

std::string withoutRoute(const std::string& address) {
    if (address.empty() || address.front() != '@') return address;
    const std::size_t colon = address.find(':');
    return colon == std::string::npos ? address : address.substr(colon + 1);
}

class Splitter {
public:
    explicit Splitter(std::string_view header) {
        text_.reserve(header.size());
        for (const char c : header)
            if (c != '\r' && c != '\n') text_ += c;
        shiftJis_ = !g_utf8_validate(text_.data(), static_cast<gssize>(text_.size()), nullptr);
        matchComments();
    }

    std::vector<RawMailbox> run() {
        bool inGroup = false;
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '(' && commentCloses_[at_]) {
                std::string text = comment();
                if (!element_.hasComment && !element_.inAngle) {
                    element_.comment = std::move(text);
                    element_.hasComment = true;
                }
                element_.separate();
            } else if (c == '"' && quoteCloses()) {
                afterAngle();
                quoted();
            } else if (isSpace(c)) {
                element_.separate();
                ++at_;
            } else if (c == '>' && element_.inAngle) {
                element_.inAngle = false;
                ++at_;
            } else if (c == ',' && !element_.inRoute()) {
                finish();
                ++at_;
            } else if (c == ';' && !element_.inAngle) {
                finish();
                inGroup = false;
                ++at_;
            } else if (c == ':' && !inGroup && !element_.hasAngle) {
                element_ = {};  // a group's name is no recipient; its members are
                inGroup = true;
                ++at_;
            } else if (c == '<' && !element_.inAngle) {
                afterAngle();
                element_.inAngle = element_.hasAngle = true;
                ++at_;
            } else {
                afterAngle();
                const std::string_view ch = character();
                element_.word(ch, ch);
            }
        }
        finish();
        return std::move(out_);
    }

private:
    // The length of the character at `i`: a double-byte Shift_JIS character and an
    // ISO-2022-JP run are taken whole, so that none of their bytes is read as a
    // special such as "\" or "<".
    std::size_t step(std::size_t i) const {
        std::size_t length = 1;
        if (text_[i] == '\x1b' && i + 1 < text_.size() && text_[i + 1] == '$') {
            const std::size_t back = text_.find("\x1b(", i + 2);
            length = back == std::string::npos ? text_.size() - i : back + 3 - i;
        } else if (shiftJis_ && isShiftJisLead(text_[i])) {
            length = 2;
        }
        return std::min(length, text_.size() - i);
    }

    std::string_view character() {
        const std::string_view ch(text_.data() + at_, step(at_));
        at_ += ch.size();
        return ch;
    }

    // An unpaired quote or parenthesis is read as a plain character, so that it
    // cannot swallow the addresses after it. Which "(" are paired is found in one
    // pass; a quote that finds no partner means no later quote will.
    void matchComments() {
        commentCloses_.assign(text_.size(), false);
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < text_.size(); i += step(i)) {
            if (text_[i] == '\\' && i + 1 < text_.size()) {
                ++i;
            } else if (text_[i] == '(') {
                open.push_back(i);
            } else if (text_[i] == ')' && !open.empty()) {
                commentCloses_[open.back()] = true;
                open.pop_back();
            }
        }
    }

    bool quoteCloses() {
        for (std::size_t i = at_ + 1; !quotesExhausted_ && i < text_.size(); i += step(i)) {
            if (text_[i] == '\\' && i + 1 < text_.size())
                ++i;
            else if (text_[i] == '"')
                return true;
        }
        quotesExhausted_ = true;
        return false;
    }

    // Text after a finished "<...>" starts the next address: a missing comma must
    // not hide it.
    void afterAngle() {
        if (element_.hasAngle && !element_.inAngle) finish();
    }

    void quoted() {
        const std::size_t start = at_++;
        std::string text;
        while (at_ < text_.size() && text_[at_] != '"') {
            if (text_[at_] == '\\' && at_ + 1 < text_.size()) ++at_;
            text += character();
        }
        if (at_ < text_.size()) ++at_;
        element_.word(text, std::string_view(text_).substr(start, at_ - start));
    }

    std::string comment() {
        std::string text;
        int depth = 0;
        do {
            const char c = text_[at_];
            if (c == '\\' && at_ + 1 < text_.size()) {
                ++at_;
            } else if (c == '(' && depth++ == 0) {
                ++at_;
                continue;
            } else if (c == ')' && --depth == 0) {
                ++at_;
                break;
            }
            text += character();
        } while (at_ < text_.size());
        return text;
    }

    void finish() {
        if (element_.hasAngle) {
            out_.push_back({element_.phrase, withoutRoute(element_.angle.text())});
        } else if (!element_.bare.text().empty()) {
            out_.push_back({element_.comment, element_.bare.text()});
        }
        element_ = {};
    }

    std::string text_;
    std::size_t at_ = 0;
    bool shiftJis_ = false;
    std::vector<bool> commentCloses_;
    bool quotesExhausted_ = false;
    Element element_;
    std::vector<RawMailbox> out_;
};

}  // namespace

std::vector<RawMailbox> splitAddressList(std::string_view header) { return Splitter(header).run(); }

}  // namespace sw::sim
