#include "sim/outlook/fault_plan.h"

#include <algorithm>
#include <stdexcept>

namespace sw::sim {
namespace {

void requireKnown(const std::string& operation) {
    const auto& known = allOperations();
    if (std::find(known.begin(), known.end(), operation) == known.end())
        throw std::invalid_argument("unknown host operation: " + operation);
}

}  // namespace

const std::vector<std::string>& allOperations() { return host::allOperationNames(); }

void FaultPlan::failOn(const std::string& operation, int nthCall, std::int32_t number,
                       std::u16string description) {
    requireKnown(operation);
    if (nthCall <= calls(operation))
        throw std::invalid_argument("call " + std::to_string(nthCall) + " of " + operation +
                                    " has already happened");
    onCall_[operation][nthCall] = ErrorValue{number, std::move(description)};
}

void FaultPlan::failNext(const std::string& operation, std::int32_t number,
                         std::u16string description) {
    failOn(operation, calls(operation) + 1, number, std::move(description));
}

void FaultPlan::failAlways(const std::string& operation, std::int32_t number,
                           std::u16string description) {
    requireKnown(operation);
    always_[operation] = ErrorValue{number, std::move(description)};
}

int FaultPlan::calls(const std::string& operation) const {
    requireKnown(operation);
    const auto it = calls_.find(operation);
    return it == calls_.end() ? 0 : it->second;
}

void FaultPlan::hit(const std::string& operation) {
    requireKnown(operation);
    const int call = ++calls_[operation];
    if (const auto queued = onCall_.find(operation); queued != onCall_.end()) {
        if (const auto due = queued->second.find(call); due != queued->second.end()) {
            const ErrorValue error = due->second;
            queued->second.erase(due);
            throw Failure(error);
        }
    }
    if (const auto always = always_.find(operation); always != always_.end()) throw Failure(always->second);
}

void FaultPlan::hit(host::Operation operation) { hit(std::string(host::operationName(operation))); }

void FaultPlan::reset() {
    calls_.clear();
    onCall_.clear();
    always_.clear();
}

}  // namespace sw::sim
