#pragma once
// Connection-point sinks: an event interface of an Outlook or Office object answered
// by a C++ handler. The connection unadvises when destroyed.
#include <functional>
#include <memory>

#include "host/host.h"
#include "host/operations.h"
#include "win32/dispatch.h"

namespace sw::win {

// Gets the event's DISPID and arguments (last to first, as DISPPARAMS hold them).
// Whatever the handler throws stays in the sink.
using EventHandler = std::function<void(DISPID event, DISPPARAMS& params)>;

// Advises `source`'s connection point for `events`; throws Failure when it has none.
std::unique_ptr<host::EventConnection> connectEvents(const Dispatch& source, REFIID events, EventHandler handler,
                                                     host::Operation operation);

}  // namespace sw::win
