// The add-in DLL as Outlook meets it: registered per user, created by ProgID,
// connected through IDTExtensibility2, and sent mails through ItemSend, with a
// user at the screen answering its message boxes.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "diagnostics/hresult.h"
#include "sim/outlook/sim_outlook.h"
#include "support/config_text.h"
#include "support/temp_folder.h"
#include "win32/module.h"
#include "win32/outlook_host.h"
#include "win32/office_interfaces.h"
#include "win32/outlook_facade.h"
#include "win32/screen_user.h"

namespace sw::test::win {
namespace {
using namespace sw::win;

const sim::ControlState newButton{host::msoControlButton, true, true, u"Sendvigil", u"宛先確認",
                                  u"!<Sendwarden.dsrOutlook2003>"};
const sim::ControlState leftOver{host::msoControlButton, false, false, u"Sendvigil", u"前回の項目", u"!<old>"};

sim::MailState mail(std::int32_t itemClass = host::olMail) {
    sim::MailState m;
    m.itemClass = itemClass;
    m.subject = u"お見積りの件";
    m.recipients = {{u"山田", u"yamada@example.co.jp", host::olTo}};
    return m;
}

struct Scenario {
    const char* comment;
    std::optional<std::string> config = configXml(standardInner);  // nullopt: no config.xml
    std::function<void(sim::SimApplication&)> arrange = {};
    std::optional<sim::MailState> send = {};
    bool viaIDispatch = false;
    // What Outlook sees afterwards.
    bool hooked = true;
    std::optional<std::vector<sim::ControlState>> toolsControls = std::vector{newButton};  // nullopt: no bar
    bool cancel = false;
    int saved = 0;
    std::vector<std::u16string> boxParts = {};  // a text each message box must contain, in order
};

class AddInScenarios : public ::testing::TestWithParam<Scenario> {
protected:
    static void SetUpTestSuite() {
        folder = new TempFolder();
        std::filesystem::copy_file(thisModulePath().parent_path() / "Sendwarden.dll", folder->path() / "Sendwarden.dll");
        registration = new Registration(folder->path() / "Sendwarden.dll");
        ASSERT_EQ(registration->call("DllRegisterServer"), S_OK);
        registration->mirror();
    }
    static void TearDownTestSuite() {
        delete registration;
        CoFreeUnusedLibrariesEx(0, 0);
        delete folder;
    }
    void SetUp() override {
        std::filesystem::remove(folder->path() / "debug.log");
        std::filesystem::path config = folder->path() / "config.xml";
        if (std::filesystem::exists(config))
            std::filesystem::permissions(config, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
        std::filesystem::remove(config);
    }

    static inline TempFolder* folder = nullptr;
    static inline Registration* registration = nullptr;
};

TEST_P(AddInScenarios, Run) {
    const Scenario& s = GetParam();
    if (s.config) folder->write("config.xml", *s.config);
    sim::SimApplication app;
    if (s.arrange) s.arrange(app);
    auto borrowed = std::shared_ptr<host::Application>(&app, [](host::Application*) {});
    ComPtr<IDispatch> appObject = applicationFacade(borrowed);
    ComPtr<IDispatch> instance = addInInstanceFacade(std::make_shared<sim::SimAddInInstance>(app.sharedFaults()));
    ScreenUser user;
    {
        ComPtr<IDTExtensibility2> addIn = createByProgId();
        ASSERT_TRUE(addIn);
        EXPECT_EQ(connect(*addIn.get(), appObject.get(), instance.get(), s.viaIDispatch), S_OK);
        EXPECT_EQ(app.itemSendHandlerCount(), s.hooked ? 1u : 0u);
        if (s.toolsControls) {
            ASSERT_EQ(app.toolsControlCount(), s.toolsControls->size());
            for (std::size_t i = 0; i < s.toolsControls->size(); ++i) EXPECT_EQ(app.toolsControl(i), (*s.toolsControls)[i]);
        }
        if (s.send) {
            auto item = app.newItem(*s.send);
            bool cancel = false;
            app.raiseItemSend(*item, cancel);
            EXPECT_EQ(cancel, s.cancel);
            EXPECT_EQ(item->state().saveCount, s.saved);
            EXPECT_EQ(lastSinkResult(), S_OK);  // nothing reaches Outlook
        }
        SAFEARRAY* custom = nullptr;
        EXPECT_EQ(addIn->OnDisconnection(1, &custom), S_OK);
    }
    // Released: the sinks are gone from Outlook's objects, and the DLL may unload.
    EXPECT_EQ(app.itemSendHandlerCount(), 0u);
    EXPECT_EQ(registration->call("DllCanUnloadNow"), S_OK);
    const std::vector<SeenBox> boxes = user.boxes();
    ASSERT_EQ(boxes.size(), s.boxParts.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].title, u"Sendwarden");
        EXPECT_NE(boxes[i].text.find(s.boxParts[i]), std::u16string::npos) << i;
    }
}

const Scenario scenarios[] = {
    {.comment = "an explorer with a Tools bar gets the send hook and a new button"},
    {.comment = "a late-binding host reaches the same handlers through IDispatch", .viaIDispatch = true},
    {.comment = "without an explorer window the send is hooked, no button",
     .arrange = [](sim::SimApplication& a) { a.setExplorerOpen(false); }, .toolsControls = std::nullopt},
    {.comment = "an explorer without a Tools bar: hook only",
     .arrange = [](sim::SimApplication& a) { a.setToolsBarPresent(false); }, .toolsControls = std::nullopt},
    {.comment = "a button left by an earlier start is reused unchanged",
     .arrange = [](sim::SimApplication& a) { a.placeToolsControl(leftOver); }, .toolsControls = std::vector{leftOver}},
    {.comment = "a configuration that cannot load: its message, no hook, no button",
     .config = std::nullopt, .hooked = false, .toolsControls = std::vector<sim::ControlState>{},
     .boxParts = {u"環境設定ファイルの読み込みに失敗しました。\r\nSendwardenの機能は無効になります。"}},
    {.comment = "a meeting request passes unchecked", .send = mail(host::olMeetingRequest)},
    {.comment = "a failing save stops the send with the error report at its stage",
     .arrange = [](sim::SimApplication& a) { a.faults().failNext("Item.Save", hresult::eAccessDenied, u"保存できません。"); },
     .send = mail(), .cancel = true,
     .boxParts = {u"-2147024891 保存できません。\r\n[発生箇所]\r\nモジュール名：dsrOutlook2003\r\n処理名：objApp_ItemSend\r\n位置：Item判定"}},
    {.comment = "a mail stops at the confirmation window; closed unanswered, it is not sent",
     .send = mail(), .cancel = true, .saved = 1},
};

INSTANTIATE_TEST_SUITE_P(Outlook, AddInScenarios, ::testing::ValuesIn(scenarios));

TEST_F(AddInScenarios, RegistrationIsPerUserAndUnregistrationRemovesExactlyIt) {
    const std::wstring dll = (folder->path() / "Sendwarden.dll").wstring();
    EXPECT_EQ(readText(HKEY_CURRENT_USER, clsidKey + L"\\InprocServer32", nullptr), dll);
    EXPECT_EQ(readText(HKEY_CURRENT_USER, clsidKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(readText(HKEY_CURRENT_USER, progIdKey + L"\\CLSID", nullptr), clsidText);
    EXPECT_EQ(readText(HKEY_CURRENT_USER, addInKey, L"FriendlyName"), L"宛先確認");
    EXPECT_EQ(readText(HKEY_CURRENT_USER, addInKey, L"Description"),
              L"アイテムの送信前に宛先確認用のメッセージボックスを表示します");
    EXPECT_EQ(readNumber(HKEY_CURRENT_USER, addInKey, L"LoadBehavior"), 3u);

    // A neighbour's add-in key stays.
    const std::wstring neighbour = L"Software\\Microsoft\\Office\\Outlook\\Addins\\Other.AddIn";
    RegKey other;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, neighbour.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, other.put(),
                              nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(registration->call("DllUnregisterServer"), S_OK);
    for (const std::wstring* key : {&clsidKey, &progIdKey, &addInKey}) EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, *key));
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, neighbour));
    EXPECT_EQ(registration->call("DllUnregisterServer"), S_OK);  // twice is harmless
    RegDeleteKeyW(HKEY_CURRENT_USER, neighbour.c_str());
    EXPECT_EQ(registration->call("DllRegisterServer"), S_OK);
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, addInKey));
}

// A Japanese Windows writes debug.log in code page 932.
TEST_F(AddInScenarios, DebugLogIsWrittenInTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 932u) << "run under a Japanese locale (LANG=ja_JP.UTF-8)";
    std::string config = configXml(standardInner);
    config.replace(config.find("<debug>False"), 12, "<debug>True");
    folder->write("config.xml", config);
    sim::SimApplication app;
    app.setName(u"受信トレイ");
    auto borrowed = std::shared_ptr<host::Application>(&app, [](host::Application*) {});
    ComPtr<IDispatch> appObject = applicationFacade(borrowed);
    ComPtr<IDispatch> instance = addInInstanceFacade(std::make_shared<sim::SimAddInInstance>(app.sharedFaults()));
    {
        ComPtr<IDTExtensibility2> addIn = createByProgId();
        ASSERT_TRUE(addIn);
        EXPECT_EQ(connect(*addIn.get(), appObject.get(), instance.get(), false), S_OK);
    }
    const std::string log = folder->read("debug.log");
    EXPECT_NE(log.find("\x8E\xF3\x90\x4D\x83\x67\x83\x8C\x83\x43 ConnectMode = 1\r\n"), std::string::npos) << log;
}

}  // namespace
}  // namespace sw::test::win
