#include "addin/addin.h"

#include "config/node_access.h"
#include "diagnostics/trap.h"
#include "text.h"
#include "ui/dialog/safe_list_addition.h"

namespace sw {
namespace {
const std::u16string moduleName = u"dsrOutlook2003";
}

AddIn::AddIn(Platform platform)
    : platform_(platform),
      diagnostics_(platform.messageBoxes, platform.files, platform.clock),
      config_(diagnostics_, platform.files, platform.documents),
      checks_(diagnostics_, config_, platform.clock),
      dialog_(ui::DialogContext{diagnostics_, config_, checks_, platform.shell, [this] { return objApp_; }}) {
    dialog_.setSafeListAddition(
        [this](ui::ConfirmDialog& dialog) { ui::addSelectedRecipientToSafeList(dialog, settingsContext()); });
}

void AddIn::OnConnection(std::shared_ptr<host::Application> application, std::int32_t connectMode,
                         host::AddInInstance& addInInstance) {
    const std::u16string procedure = u"IDTExtensibility2_OnConnection";
    diagnostics_.currentStep = procedure;
    diagnostics_.currentStep = u"アドイン接続処理開始";
    trap(diagnostics_, moduleName, procedure, [&] {
        config_.loadConfigXML();
        if (!config_.configLoaded()) return;
        if (diagnostics_.debugMode)
            diagnostics_.writeDebugLog(moduleName, procedure, {},
                                       need(application).name() + u" ConnectMode = " + decimal(connectMode));
        objApp_ = application;
        itemSend_ = need(objApp_).onItemSend([this](host::Item& item, bool& cancel) { objApp_ItemSend(item, cancel); });

        diagnostics_.currentStep = u"アクティブエクスプローラーの取得前";
        std::unique_ptr<host::Explorer> explorer = objApp_->activeExplorer();
        if (!explorer) return;
        diagnostics_.currentStep = u"ツールメニューの取得前";
        std::unique_ptr<host::CommandBar> tools = explorer->commandBar(u"Tools");
        if (!tools) return;
        diagnostics_.currentStep = u"コマンドバーの追加";
        objButton_ = tools->findControlByTag(buttonTag);
        // One left by an earlier start is reused unchanged.
        if (!objButton_) {
            objButton_ = tools->addButton(true);
            objButton_->setBeginGroup(true);
            objButton_->setTag(buttonTag);
            objButton_->setCaption(buttonCaption);
            objButton_->setOnAction(u"!<" + addInInstance.progId() + u">");
        }
        buttonClick_ = objButton_->onClick([this] { objButton_Click(); });
    });
}

ui::SettingsContext AddIn::settingsContext() {
    return ui::SettingsContext{diagnostics_, config_, platform_.windows, platform_.shell};
}

void AddIn::objButton_Click() {
    ui::SettingsWindow settings(settingsContext());
    settings.load();
    settings.show();
    platform_.windows.showModal(settings);
}

void AddIn::OnDisconnection(std::int32_t removeMode) {
    const std::u16string procedure = u"IDTExtensibility2_OnDisconnection";
    diagnostics_.currentStep = u"アドイン切断処理開始";
    trap(diagnostics_, moduleName, procedure, [&] {
        if (diagnostics_.debugMode)
            diagnostics_.writeDebugLog(moduleName, procedure, {},
                                       need(objApp_).name() + u" RemoveMode = " + decimal(removeMode));
    });
}

void AddIn::OnStartupComplete() {
    const std::u16string procedure = u"IDTExtensibility2_OnStartupComplete";
    trap(diagnostics_, moduleName, procedure, [&] { diagnostics_.trace(moduleName, procedure, procedure); });
}

void AddIn::OnBeginShutdown() {
    diagnostics_.trace(moduleName, u"IDTExtensibility2_OnBeginShutdown", u"IDTExtensibility2_OnBeginShutdown");
}

void AddIn::OnAddInsUpdate() {
    diagnostics_.trace(moduleName, u"IDTExtensibility2_OnAddInsUpdate", u"IDTExtensibility2_OnAddInsUpdate");
}

}  // namespace sw
