#include "win32/addin_session.h"

#include "win32/module.h"
#include "win32/outlook_facade.h"

namespace sw::test::win {
using namespace sw::win;

InstalledAddIn::InstalledAddIn(const std::string& config) {
    std::filesystem::copy_file(thisModulePath().parent_path() / "Sendwarden.dll", folder_ / "Sendwarden.dll");
    folder_.write("config.xml", config);
    registration_ = std::make_unique<Registration>(folder_ / "Sendwarden.dll");
    if (registration_->call("DllRegisterServer") == S_OK) registration_->mirror();
}

AddInSession::AddInSession(sim::SimApplication& app) : app_(app) {
    auto borrowed = std::shared_ptr<host::Application>(&app, [](host::Application*) {});
    appObject_ = applicationFacade(borrowed);
    instance_ = addInInstanceFacade(std::make_shared<sim::SimAddInInstance>(app.sharedFaults()));
    addIn_ = createByProgId();
    connected_ = addIn_ && connect(*addIn_.get(), appObject_.get(), instance_.get(), false) == S_OK;
}

AddInSession::~AddInSession() {
    if (!addIn_) return;
    SAFEARRAY* custom = nullptr;
    addIn_->OnDisconnection(1, &custom);
}

bool AddInSession::send(host::Item& item) {
    bool cancel = false;
    app_.raiseItemSend(item, cancel);
    return cancel;
}

}  // namespace sw::test::win
