// The ports under contract on Linux: the substitute Outlook, the Linux document and
// POSIX files.
#include "contract/ports.h"
#include "sim/posix_files.h"
#include "sim/libxml_document.h"

namespace sw::test {

std::vector<PortSet> platformPorts() {
    PortSet sim;
    sim.name = "Sim";
    sim.documents = [] { return std::make_unique<sim::LibxmlDocumentFactory>(); };
    sim.files = [](const std::filesystem::path& folder) { return std::make_unique<sim::PosixFiles>(folder); };
    sim.application = [](sim::SimApplication& app) {
        return std::shared_ptr<host::Application>(&app, [](host::Application*) {});
    };
    sim.item = [](sim::SimApplication& app, sim::MailState& mail) {
        return std::make_unique<sim::SimItem>(std::shared_ptr<sim::MailState>(std::shared_ptr<void>(), &mail),
                                              app.sharedFaults());
    };
    sim.addInInstance = [](sim::SimApplication& app) { return std::make_unique<sim::SimAddInInstance>(app.sharedFaults()); };
    return {sim};
}

}  // namespace sw::test
