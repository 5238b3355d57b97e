#pragma once
// Handlers connected to one event of a substitute Outlook object, called in the
// order they were connected. A connection removes its handler when destroyed, and
// outliving the event source is harmless.
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "host/host.h"

namespace sw::sim {

template <class Signature>
class HandlerList {
public:
    HandlerList() = default;
    HandlerList(const HandlerList&) = delete;
    HandlerList& operator=(const HandlerList&) = delete;

    std::unique_ptr<host::EventConnection> connect(std::function<Signature> handler) {
        const int id = slots_->nextId++;
        slots_->handlers.emplace(id, std::move(handler));
        return std::make_unique<Connection>(slots_, id);
    }

    std::size_t size() const { return slots_->handlers.size(); }

    // Copies the handlers first, so a handler may connect or disconnect others.
    template <class... Args>
    void raise(Args&&... args) const {
        std::vector<std::function<Signature>> current;
        for (const auto& entry : slots_->handlers) current.push_back(entry.second);
        for (auto& handler : current) handler(args...);
    }

private:
    struct Slots {
        int nextId = 0;
        std::map<int, std::function<Signature>> handlers;
    };

    class Connection : public host::EventConnection {
    public:
        Connection(const std::shared_ptr<Slots>& slots, int id) : slots_(slots), id_(id) {}
        ~Connection() override {
            if (const auto slots = slots_.lock()) slots->handlers.erase(id_);
        }

    private:
        std::weak_ptr<Slots> slots_;
        int id_;
    };

    std::shared_ptr<Slots> slots_ = std::make_shared<Slots>();
};

}  // namespace sw::sim
