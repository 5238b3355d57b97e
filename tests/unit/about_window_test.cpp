#include <gtest/gtest.h>

#include "sim/scripted_windows.h"
#include "text.h"
#include "ui/about/about_window.h"

namespace sw {
namespace {

using A = ui::AboutWindow;

TEST(AboutWindowTest, ShowsTheProgramsOwnVersionAndClosesByOk) {
    sim::RecordedShell shell;
    A about(shell);
    about.load();
    about.show();
    const ui::ProgramVersion v = ui::programVersion();
    EXPECT_EQ(about.title(), u"バージョン情報");
    EXPECT_EQ(about.control(A::lblVersion).caption,
              u"Version " + decimal(v.major) + u"." + decimal(v.minor) + u"." + decimal(v.revision));
    EXPECT_EQ(about.control(A::lblTitle).caption, u"Sendwarden");
    EXPECT_EQ(about.control(A::lblDisclaimer).caption,
              u"【免責事項】\r\n　利用する方の責任でお使いください。\r\n　利用上発生した､いかなる損害も作者は責任を負いません。");
    about.click(A::llbAmazon);
    EXPECT_EQ(shell.opened, std::vector<std::u16string>{A::linkTarget});
    EXPECT_TRUE(about.visible());
    about.keyDown(ui::Key::enter, {});
    EXPECT_FALSE(about.visible());
}

}  // namespace
}  // namespace sw
