#pragma once
// The substitute Outlook: application, explorer, command bars, buttons, namespace
// and add-in instance kept in memory. Tests arrange the state, raise the host's
// events and read back what the add-in did; one FaultPlan, shared by every object
// handed out, can make any operation fail.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "sim/outlook/fault_plan.h"
#include "sim/outlook/handler_list.h"
#include "sim/outlook/sim_item.h"

namespace sw::sim {

// What a command-bar control shows; the host's Click handlers are kept beside it.
struct ControlState {
    std::int32_t type = host::msoControlButton;
    bool temporary = false;
    bool beginGroup = false;
    std::u16string tag, caption, onAction;

    friend bool operator==(const ControlState&, const ControlState&) = default;
};

struct SimControl {
    ControlState state;
    HandlerList<void()> clicks;
};

struct SimCommandBar {
    std::u16string name;
    std::vector<std::shared_ptr<SimControl>> controls;
};

struct SimExplorerState {
    std::vector<std::shared_ptr<SimCommandBar>> bars;
};

struct SimApplicationState {
    std::u16string name = u"Outlook";
    std::shared_ptr<SimExplorerState> explorer;  // null: no explorer window open
    std::int32_t exchangeConnectionMode = 0;
    HandlerList<void(host::Item&, bool&)> itemSend;
};

// Objects handed out keep the state they work on alive, so an add-in may hold its
// application, button or namespace longer than the test holds this object.
class SimApplication : public host::Application {
public:
    // An application with an explorer window whose "Tools" bar is empty.
    explicit SimApplication(std::shared_ptr<FaultPlan> faults = std::make_shared<FaultPlan>());

    std::u16string name() override;
    std::unique_ptr<host::Explorer> activeExplorer() override;
    std::unique_ptr<host::Namespace> getNamespace(const std::u16string& type) override;
    std::unique_ptr<host::EventConnection> onItemSend(
        std::function<void(host::Item& item, bool& cancel)> handler) override;

    // --- the test's side; none of these counts in the fault plan ---
    FaultPlan& faults() { return *faults_; }
    const std::shared_ptr<FaultPlan>& sharedFaults() const { return faults_; }

    void setName(std::u16string name);
    void setExchangeConnectionMode(std::int32_t mode);
    void setExplorerOpen(bool open);  // opening again gives a fresh window with an empty Tools bar
    void setToolsBarPresent(bool present);  // requires an open explorer

    // The Tools bar's controls, 0-based; std::logic_error without a Tools bar,
    // std::out_of_range for an index past the end.
    std::size_t toolsControlCount() const;
    const ControlState& toolsControl(std::size_t index) const;
    void placeToolsControl(ControlState control);  // appended, as a left-over from an earlier run
    std::size_t clickHandlerCount(std::size_t index) const;
    void clickButton(std::size_t index);  // calls the control's Click handlers in order

    std::size_t itemSendHandlerCount() const { return state_->itemSend.size(); }
    // Calls the connected ItemSend handlers in order, sharing one cancel flag. What a
    // handler throws reaches the caller: the add-in's sinks are meant to catch everything.
    void raiseItemSend(host::Item& item, bool& cancel);

    // An item over `state` that shares this application's fault plan.
    std::unique_ptr<SimItem> newItem(MailState state = {}) const;

private:
    SimCommandBar& toolsBar() const;
    SimControl& toolsControlAt(std::size_t index) const;

    std::shared_ptr<SimApplicationState> state_ = std::make_shared<SimApplicationState>();
    std::shared_ptr<FaultPlan> faults_;
};

class SimAddInInstance : public host::AddInInstance {
public:
    explicit SimAddInInstance(std::shared_ptr<FaultPlan> faults,
                              std::u16string progId = u"Sendwarden.dsrOutlook2003");

    std::u16string progId() override;

private:
    std::shared_ptr<FaultPlan> faults_;
    std::u16string progId_;
};

}  // namespace sw::sim
