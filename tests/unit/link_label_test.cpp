// The link label: its design-time properties, its click and its events.
#include <gtest/gtest.h>

#include "sim/scripted_windows.h"
#include "text.h"
#include "ui/controls/link_label.h"

namespace sw::ui {
namespace {

class FailingShell : public Shell {
public:
    void openUrl(const std::u16string&) override { throw std::runtime_error("no browser"); }
};

TEST(LinkLabel, AnEmptyBagGivesTheDefaultsAndOnlyNonDefaultsAreWrittenBack) {
    sim::RecordedShell shell;
    LinkLabel link(shell);
    const Font ambient{u"MS UI Gothic", 9};
    link.readProperties(MemoryPropertyBag{}, ambient);
    Control row;
    link.applyTo(row);
    EXPECT_EQ(row.caption, u"Label1");
    EXPECT_EQ(row.foreColor, colours::blue);
    EXPECT_TRUE(row.font.underline);
    EXPECT_EQ(row.font.face, ambient.face);
    EXPECT_EQ(link.backColor(), colours::buttonFace);
    EXPECT_EQ(link.backStyle(), 1);
    EXPECT_EQ(link.activeLinkColor(), red);

    link.setLinks(u"https://example.jp/");
    MemoryPropertyBag written;
    link.writeProperties(written, ambient);
    const struct {
        const char16_t* key;
        bool stored;
    } rows[] = {
        {u"Text", true},        // no default on write: always stored
        {u"ForeColor", true},   // the label's colour is the link colour, not button text
        {u"Links", true},       // changed
        {u"LinkColor", false},  // defaults are left out
        {u"BackColor", false},
        {u"ActiveLinkColor", false},
        {u"BackStyle", false},
    };
    for (const auto& r : rows) EXPECT_EQ(written.values.count(r.key), r.stored ? 1u : 0u) << toUtf8(r.key);
    ASSERT_EQ(written.values.count(u"Font"), 1u);  // read underlined, so no longer the ambient font
    EXPECT_TRUE(std::get<Font>(written.values[u"Font"]).underline);
}

TEST(LinkLabel, PropertiesSurviveAWriteAndARead) {
    sim::RecordedShell shell;
    LinkLabel a(shell), b(shell);
    a.setText(u"買い物");
    a.setLinkColor(0x00FF00);
    a.setActiveLinkColor(0x123456);
    a.setEnabled(false);
    a.setBorderStyle(1);
    MemoryPropertyBag bag;
    a.writeProperties(bag, {});
    b.readProperties(bag, {});
    EXPECT_EQ(b.text(), u"買い物");
    EXPECT_EQ(b.linkColor(), 0x00FF00u);
    EXPECT_EQ(b.activeLinkColor(), 0x123456u);
    EXPECT_FALSE(b.enabled());
    EXPECT_EQ(b.borderStyle(), 1);
}

TEST(LinkLabel, SettersNotifyTheContainerAndOnlyLinkColorRecolours) {
    sim::RecordedShell shell;
    LinkLabel link(shell);
    std::vector<std::u16string> changed;
    link.propertyChanged = [&](const std::u16string& p) { changed.push_back(p); };
    link.setForeColor(0x0000FF);  // inert
    EXPECT_EQ(link.foreColor(), 0u);
    link.setActiveLinkColor(0x00FF00);
    Control row;
    link.applyTo(row);
    EXPECT_EQ(row.foreColor, colours::blue);
    link.setLinkColor(0x00FF00);
    link.applyTo(row);
    EXPECT_EQ(row.foreColor, 0x00FF00u);
    EXPECT_EQ(changed, (std::vector<std::u16string>{u"ActiveLinkColor", u"LinkColor"}));
}

TEST(LinkLabel, ClickOpensLinksThenBeforeClickCanStopClick) {
    const struct {
        const char16_t* links;
        std::int16_t cancel;
        bool shellFails;
        std::size_t opened;
        bool clicked;
    } rows[] = {
        {u"https://example.jp/", 0, false, 1, true},
        {u"", 0, false, 0, true},                    // nothing to open, both events still raised
        {u"https://example.jp/", 1, false, 1, false},  // the handler cancels Click, not the opening
        {u"https://example.jp/", 0, true, 0, true},    // a failing shell is ignored
    };
    for (const auto& r : rows) {
        sim::RecordedShell recorded;
        FailingShell failing;
        LinkLabel link(r.shellFails ? static_cast<Shell&>(failing) : recorded);
        link.setLinks(r.links);
        std::vector<std::string> events;
        link.events.beforeClick = [&](std::int16_t& cancel) {
            events.push_back("BeforeClick " + std::to_string(cancel));
            cancel = r.cancel;
        };
        link.events.click = [&] { events.push_back("Click"); };
        EXPECT_NO_THROW(link.click());
        EXPECT_EQ(recorded.opened.size(), r.opened);
        EXPECT_EQ(events.front(), "BeforeClick 0");
        EXPECT_EQ(events.size(), r.clicked ? 2u : 1u);
    }
}

TEST(LinkLabel, MouseEventsArePassedOnUnchanged) {
    sim::RecordedShell shell;
    LinkLabel link(shell);
    std::vector<MouseEvent> seen;
    link.events.mouseDown = link.events.mouseMove = link.events.mouseUp = [&](const MouseEvent& e) {
        seen.push_back(e);
    };
    link.mouseDown({2, 1, 10.5f, 3});
    link.mouseMove({0, 0, 11, 4});
    link.mouseUp({2, 4, 12, 5.25f});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].button, 2);
    EXPECT_EQ(seen[2].shift, 4);
    EXPECT_FLOAT_EQ(seen[2].y, 5.25f);
    link.dblClick();  // without a handler: nothing happens
}

}  // namespace
}  // namespace sw::ui
