// The ports under contract on Windows: MSXML, the Windows files, and the IDispatch
// adapter reading the test program's Outlook objects, by name and by number.
#include "contract/ports.h"
#include "win32/msxml_document.h"
#include "win32/outlook_adapter.h"
#include "win32/outlook_facade.h"
#include "win32/win_files.h"

namespace sw::test {
namespace {

bool underWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

PortSet windowsPorts(std::string name, win::FacadeOptions options) {
    using namespace sw::win;
    PortSet p;
    p.name = std::move(name);
    p.documents = [] { return std::make_unique<MsxmlDocumentFactory>(); };
    p.files = [](const std::filesystem::path&) { return std::make_unique<WinFiles>(); };
    p.application = [options](sim::SimApplication& app) {
        auto borrowed = std::shared_ptr<host::Application>(&app, [](host::Application*) {});
        return outlookApplication(Dispatch(win::applicationFacade(borrowed, options)));
    };
    p.item = [options](sim::SimApplication& app, sim::MailState& mail) {
        auto item = std::make_shared<sim::SimItem>(std::shared_ptr<sim::MailState>(std::shared_ptr<void>(), &mail),
                                                   app.sharedFaults());
        return outlookItem(Dispatch(win::itemFacade(item, options)));
    };
    p.addInInstance = [options](sim::SimApplication& app) {
        return outlookAddInInstance(
            Dispatch(win::addInInstanceFacade(std::make_shared<sim::SimAddInInstance>(app.sharedFaults()), options)));
    };
    p.wineMsxml = underWine();
    return p;
}

}  // namespace

std::vector<PortSet> platformPorts() {
    return {windowsPorts("Windows", {}), windowsPorts("WindowsByNumber", {.refuseNames = true})};
}

}  // namespace sw::test
