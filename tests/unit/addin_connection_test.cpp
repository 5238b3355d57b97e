#include "diagnostics/hresult.h"
#include <gtest/gtest.h>

#include "support/addin_fixture.h"

namespace sw {
namespace {

using test::AddInTest;

TEST_F(AddInTest, ConnectionHooksTheSendAndAddsTheToolsButton) {
    connect();
    EXPECT_TRUE(addin.config().configLoaded());
    EXPECT_EQ(app->itemSendHandlerCount(), 1u);
    ASSERT_EQ(app->toolsControlCount(), 1u);
    const auto& button = app->toolsControl(0);
    EXPECT_EQ(button.type, host::msoControlButton);
    EXPECT_TRUE(button.temporary);
    EXPECT_TRUE(button.beginGroup);
    EXPECT_EQ(button.tag, u"Sendvigil");
    EXPECT_EQ(button.caption, u"宛先確認");
    EXPECT_EQ(button.onAction, u"!<Sendwarden.dsrOutlook2003>");
    EXPECT_TRUE(env.messageBoxes.shown.empty());
}

TEST_F(AddInTest, ExistingTaggedButtonIsReusedUnchanged) {
    sim::ControlState left;
    left.tag = u"Sendvigil";
    left.caption = u"old caption";
    left.onAction = u"!<Old.ProgId>";
    app->placeToolsControl(left);
    connect();
    ASSERT_EQ(app->toolsControlCount(), 1u);
    EXPECT_EQ(app->toolsControl(0), left);
    EXPECT_EQ(app->faults().calls("CommandBar.Controls.Add"), 0);
    EXPECT_NE(addin.button(), nullptr);
}

TEST_F(AddInTest, WithoutExplorerOrToolsBarTheSendIsStillHooked) {
    app->setToolsBarPresent(false);
    connect();
    EXPECT_EQ(app->itemSendHandlerCount(), 1u);
    EXPECT_EQ(addin.button(), nullptr);

    AddIn second{env.platform(&windows)};
    app->setExplorerOpen(false);
    second.OnConnection(app, 0, instance);
    EXPECT_TRUE(second.sendHooked());
    EXPECT_EQ(second.button(), nullptr);
    EXPECT_TRUE(env.messageBoxes.shown.empty());
}

TEST_F(AddInTest, FailedLoadLeavesTheAddInInertWithOneMessage) {
    folder.write("config.xml", "<not-xml");
    addin.OnConnection(app, 1, instance);
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(env.messageBoxes.shown[0].text, u"環境設定ファイルの読み込みに失敗しました。\r\nSendwardenの機能は無効になります。");
    EXPECT_EQ(app->itemSendHandlerCount(), 0u);
    EXPECT_EQ(app->toolsControlCount(), 0u);
    auto item = app->newItem(typicalMail());
    EXPECT_TRUE(send(*item, true));  // nothing hooked: the host's flag is untouched
    EXPECT_EQ(windows.shows, 0);
}

TEST_F(AddInTest, FailuresAfterTheHookAreReportedWithTheirStepAndKeepTheHook) {
    const struct {
        const char* operation;
        std::u16string position;
        bool buttonExpected;
    } rows[] = {
        {"Application.ActiveExplorer", u"アクティブエクスプローラーの取得前", false},
        {"Explorer.CommandBars", u"ツールメニューの取得前", false},
        {"CommandBar.FindControl", u"コマンドバーの追加", false},
        {"CommandBar.Controls.Add", u"コマンドバーの追加", false},
        {"Button.Caption", u"コマンドバーの追加", true},  // the button exists, half set up
        {"AddInInstance.ProgId", u"コマンドバーの追加", true},
    };
    for (const auto& row : rows) {
        app = std::make_shared<sim::SimApplication>();
        sim::SimAddInInstance inst{app->sharedFaults()};
        env.messageBoxes.shown.clear();
        app->faults().failNext(row.operation, hresult::eFail, u"refused");
        writeConfig(test::roadConfig);
        AddIn a{env.platform(&windows)};
        a.OnConnection(app, 1, inst);
        ASSERT_EQ(env.messageBoxes.shown.size(), 1u) << row.operation;
        EXPECT_EQ(procedure(0), u"IDTExtensibility2_OnConnection");
        EXPECT_EQ(position(0), row.position) << row.operation;
        EXPECT_EQ(app->itemSendHandlerCount(), 1u);
        EXPECT_EQ(a.button() != nullptr, row.buttonExpected) << row.operation;
    }
}

TEST_F(AddInTest, HookFailureIsReportedAndNoButtonIsAdded) {
    app->faults().failNext("Application.ItemSend", hresult::connectENoConnection, u"no connection point");
    connect();
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(position(0), u"selectSingleNode(//debug)");  // the last step the load set
    EXPECT_EQ(app->toolsControlCount(), 0u);
}

TEST_F(AddInTest, DebugModeTracesConnectionAndEveryHandler) {
    env.clock.fix({2026, 12, 8, 9, 0, 0});
    connect("<body-check/><attachment-check/><recipient-check/><debug>True</debug>");
    addin.OnStartupComplete();
    addin.OnAddInsUpdate();
    addin.OnBeginShutdown();
    addin.OnDisconnection(1);
    const std::string p = "[2026/12/08 09:00:00] \tdsrOutlook2003\t";
    EXPECT_EQ(folder.read("debug.log"),
              p + "IDTExtensibility2_OnConnection\tselectSingleNode(//debug)\t0\t\t\tOutlook ConnectMode = 1\r\n" +
                  p + "IDTExtensibility2_OnStartupComplete\tIDTExtensibility2_OnStartupComplete\t0\t\t\r\n" +
                  p + "IDTExtensibility2_OnAddInsUpdate\tIDTExtensibility2_OnAddInsUpdate\t0\t\t\r\n" +
                  p + "IDTExtensibility2_OnBeginShutdown\tIDTExtensibility2_OnBeginShutdown\t0\t\t\r\n" +
                  p + "IDTExtensibility2_OnDisconnection\tアドイン切断処理開始\t0\t\t\tOutlook RemoveMode = 1\r\n");
}

TEST_F(AddInTest, UntrappedHandlersPassALogFailureToTheHostTrappedOnesReportIt) {
    connect("<body-check/><attachment-check/><recipient-check/><debug>True</debug>");
    std::filesystem::remove(folder / "debug.log");
    std::filesystem::create_directory(folder / "debug.log");
    EXPECT_THROW(addin.OnBeginShutdown(), Failure);
    EXPECT_THROW(addin.OnAddInsUpdate(), Failure);
    EXPECT_NO_THROW(addin.OnStartupComplete());
    EXPECT_NO_THROW(addin.OnDisconnection(0));
    ASSERT_EQ(env.messageBoxes.shown.size(), 2u);
    EXPECT_EQ(procedure(0), u"IDTExtensibility2_OnStartupComplete");
    EXPECT_EQ(procedure(1), u"IDTExtensibility2_OnDisconnection");
}

}  // namespace
}  // namespace sw
