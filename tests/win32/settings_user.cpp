#include "win32/settings_user.h"

#include <commctrl.h>

#include <fstream>
#include <sstream>

#include "win32/dialog_reader.h"

namespace sw::test::win {
namespace {

POINT middleOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::vector<std::string> elements(const std::string& xml, const std::string& section, const std::string& name) {
    std::vector<std::string> found;
    const auto begin = xml.find("<" + section + ">"), end = xml.find("</" + section + ">");
    if (begin == std::string::npos || end == std::string::npos) return found;
    const std::string open = "<" + name + ">", close = "</" + name + ">";
    for (auto at = xml.find(open, begin); at != std::string::npos && at < end; at = xml.find(open, at)) {
        at += open.size();
        found.push_back(xml.substr(at, xml.find(close, at) - at));
    }
    return found;
}

}  // namespace

Saved readSaved(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string xml = text.str();
    Saved s{elements(xml, "body-check", "word"), elements(xml, "attachment-check", "word"),
            elements(xml, "recipient-check", "domain")};
    const auto deferral = xml.find("<deferred-delivery use=\"");
    if (deferral != std::string::npos) {
        const auto value = deferral + 24, close = xml.find('>', value);
        s.use = xml.substr(value, xml.find('"', value) - value);
        s.minutes = xml.substr(close + 1, xml.find('<', close) - close - 1);
    }
    return s;
}

void PrintTo(const Saved& s, std::ostream* out) {
    auto list = [&](const std::vector<std::string>& l) {
        for (const auto& e : l) *out << e << ",";
        *out << " | ";
    };
    list(s.body);
    list(s.attachment);
    list(s.safe);
    *out << s.use << " " << s.minutes;
}

void SettingsUser::tab(int index) {
    RECT r{};
    SendMessageW(at(S::tbsOptions), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    clickAt(at(S::tbsOptions), middleOf(r));
    expect([&] { return shownOnTab(index); }, "tab " + std::to_string(index) + " did not come up");
}

bool SettingsUser::shownOnTab(int index) const {
    RECT r;
    GetWindowRect(at(S::picOptions0 + index), &r);
    RECT strip;
    GetWindowRect(at(S::tbsOptions), &strip);
    return IsWindowEnabled(at(S::picOptions0 + index)) && r.left > strip.left &&
           SendMessageW(at(S::tbsOptions), TCM_GETCURSEL, 0, 0) == index;
}

void SettingsUser::selectRow(int list, int row, bool twice) {
    HWND box = at(S::lstWord0 + list);
    RECT r{};
    SendMessageW(box, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    clickAt(box, middleOf(r), twice);
    if (!twice)
        expect([&] { return SendMessageW(box, LB_GETCURSEL, 0, 0) == row && IsWindowEnabled(at(S::cmdEdit0 + list)); },
               "row " + std::to_string(row) + " was not selected");
}

HWND SettingsUser::editor(const std::u16string& title, const std::u16string& selected) {
    HWND e = topWindow(settings());
    expect([&] { return textOf(e) == title; }, "the editor's title");
    HWND field = control(e, E::txtEdit);
    DWORD from = 0, to = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    if (textOf(field).substr(from, to - from) != selected) problem("the editor's selection");
    return e;
}

void SettingsUser::editorOk(HWND e, const std::u16string& text, bool enter) {
    typeText(control(e, E::txtEdit), text);
    expect([&] { return IsWindowEnabled(control(e, E::cmdOK)); }, "OK stayed disabled");
    if (enter) keys({VK_RETURN});
    else press(control(e, E::cmdOK));
}

void SettingsUser::closed(HWND window) {
    expect([&] { return !IsWindow(window) || !IsWindowVisible(window); }, "a window stayed");
}

}  // namespace sw::test::win
