#include "diagnostics/hresult.h"
#include "sim/outlook/sim_outlook.h"

#include <stdexcept>
#include <utility>

namespace sw::sim {
namespace {

std::shared_ptr<SimExplorerState> explorerWithToolsBar() {
    auto explorer = std::make_shared<SimExplorerState>();
    explorer->bars.push_back(std::make_shared<SimCommandBar>(SimCommandBar{u"Tools", {}}));
    return explorer;
}

class SimButton : public host::Button {
public:
    SimButton(std::shared_ptr<SimControl> control, std::shared_ptr<FaultPlan> faults)
        : control_(std::move(control)), faults_(std::move(faults)) {}

    void setBeginGroup(bool value) override {
        faults_->hit(host::Operation::buttonBeginGroup);
        control_->state.beginGroup = value;
    }
    void setTag(const std::u16string& tag) override {
        faults_->hit(host::Operation::buttonTag);
        control_->state.tag = tag;
    }
    void setCaption(const std::u16string& caption) override {
        faults_->hit(host::Operation::buttonCaption);
        control_->state.caption = caption;
    }
    void setOnAction(const std::u16string& action) override {
        faults_->hit(host::Operation::buttonOnAction);
        control_->state.onAction = action;
    }
    std::unique_ptr<host::EventConnection> onClick(std::function<void()> handler) override {
        faults_->hit(host::Operation::buttonClick);
        return control_->clicks.connect(std::move(handler));
    }

private:
    std::shared_ptr<SimControl> control_;
    std::shared_ptr<FaultPlan> faults_;
};

class SimCommandBarView : public host::CommandBar {
public:
    SimCommandBarView(std::shared_ptr<SimCommandBar> bar, std::shared_ptr<FaultPlan> faults)
        : bar_(std::move(bar)), faults_(std::move(faults)) {}

    std::unique_ptr<host::Button> findControlByTag(const std::u16string& tag) override {
        faults_->hit(host::Operation::commandBarFindControl);
        for (const auto& control : bar_->controls)
            if (control->state.tag == tag) return std::make_unique<SimButton>(control, faults_);
        return nullptr;
    }

    std::unique_ptr<host::Button> addButton(bool temporary) override {
        faults_->hit(host::Operation::commandBarControlsAdd);
        auto control = std::make_shared<SimControl>();
        control->state.temporary = temporary;
        bar_->controls.push_back(control);
        return std::make_unique<SimButton>(control, faults_);
    }

private:
    std::shared_ptr<SimCommandBar> bar_;
    std::shared_ptr<FaultPlan> faults_;
};

class SimExplorer : public host::Explorer {
public:
    SimExplorer(std::shared_ptr<SimExplorerState> state, std::shared_ptr<FaultPlan> faults)
        : state_(std::move(state)), faults_(std::move(faults)) {}

    std::unique_ptr<host::CommandBar> commandBar(const std::u16string& name) override {
        faults_->hit(host::Operation::explorerCommandBars);
        for (const auto& bar : state_->bars)
            if (bar->name == name) return std::make_unique<SimCommandBarView>(bar, faults_);
        return nullptr;
    }

private:
    std::shared_ptr<SimExplorerState> state_;
    std::shared_ptr<FaultPlan> faults_;
};

class SimNamespace : public host::Namespace {
public:
    SimNamespace(std::shared_ptr<SimApplicationState> app, std::shared_ptr<FaultPlan> faults)
        : app_(std::move(app)), faults_(std::move(faults)) {}

    std::int32_t exchangeConnectionMode() override {
        faults_->hit(host::Operation::namespaceExchangeConnectionMode);
        return app_->exchangeConnectionMode;
    }

private:
    std::shared_ptr<SimApplicationState> app_;
    std::shared_ptr<FaultPlan> faults_;
};

}  // namespace

SimApplication::SimApplication(std::shared_ptr<FaultPlan> faults) : faults_(std::move(faults)) {
    state_->explorer = explorerWithToolsBar();
}

std::u16string SimApplication::name() {
    faults_->hit(host::Operation::applicationName);
    return state_->name;
}

std::unique_ptr<host::Explorer> SimApplication::activeExplorer() {
    faults_->hit(host::Operation::applicationActiveExplorer);
    if (!state_->explorer) return nullptr;
    return std::make_unique<SimExplorer>(state_->explorer, faults_);
}

std::unique_ptr<host::Namespace> SimApplication::getNamespace(const std::u16string& type) {
    faults_->hit(host::Operation::applicationGetNamespace);
    if (type != u"MAPI")  // the only namespace Outlook has
        throw Failure(hresult::eInvalidArg, u"Could not complete the operation. One or more parameter values are not valid.");
    return std::make_unique<SimNamespace>(state_, faults_);
}

std::unique_ptr<host::EventConnection> SimApplication::onItemSend(
    std::function<void(host::Item& item, bool& cancel)> handler) {
    faults_->hit(host::Operation::applicationItemSend);
    return state_->itemSend.connect(std::move(handler));
}

void SimApplication::setName(std::u16string name) { state_->name = std::move(name); }

void SimApplication::setExchangeConnectionMode(std::int32_t mode) { state_->exchangeConnectionMode = mode; }

void SimApplication::setExplorerOpen(bool open) {
    if (!open)
        state_->explorer.reset();
    else if (!state_->explorer)
        state_->explorer = explorerWithToolsBar();
}

void SimApplication::setToolsBarPresent(bool present) {
    if (!state_->explorer) throw std::logic_error("no explorer window is open");
    auto& bars = state_->explorer->bars;
    std::erase_if(bars, [](const auto& bar) { return bar->name == u"Tools"; });
    if (present) bars.push_back(std::make_shared<SimCommandBar>(SimCommandBar{u"Tools", {}}));
}

SimCommandBar& SimApplication::toolsBar() const {
    if (state_->explorer)
        for (const auto& bar : state_->explorer->bars)
            if (bar->name == u"Tools") return *bar;
    throw std::logic_error("the explorer has no Tools bar");
}

SimControl& SimApplication::toolsControlAt(std::size_t index) const {
    auto& controls = toolsBar().controls;
    if (index >= controls.size()) throw std::out_of_range("no Tools control " + std::to_string(index));
    return *controls[index];
}

std::size_t SimApplication::toolsControlCount() const { return toolsBar().controls.size(); }

const ControlState& SimApplication::toolsControl(std::size_t index) const { return toolsControlAt(index).state; }

void SimApplication::placeToolsControl(ControlState control) {
    auto placed = std::make_shared<SimControl>();
    placed->state = std::move(control);
    toolsBar().controls.push_back(std::move(placed));
}

std::size_t SimApplication::clickHandlerCount(std::size_t index) const { return toolsControlAt(index).clicks.size(); }

void SimApplication::clickButton(std::size_t index) { toolsControlAt(index).clicks.raise(); }

void SimApplication::raiseItemSend(host::Item& item, bool& cancel) { state_->itemSend.raise(item, cancel); }

std::unique_ptr<SimItem> SimApplication::newItem(MailState state) const {
    return std::make_unique<SimItem>(std::move(state), faults_);
}

SimAddInInstance::SimAddInInstance(std::shared_ptr<FaultPlan> faults, std::u16string progId)
    : faults_(std::move(faults)), progId_(std::move(progId)) {}

std::u16string SimAddInInstance::progId() {
    faults_->hit(host::Operation::addInInstanceProgId);
    return progId_;
}

}  // namespace sw::sim
