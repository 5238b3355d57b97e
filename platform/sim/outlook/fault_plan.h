#pragma once
// Scripted failures for the substitute Outlook: any host operation can be made to
// fail on a chosen call, the way a real Outlook refuses a call now and then.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "diagnostics/failure.h"
#include "host/operations.h"

namespace sw::sim {

class FaultPlan {
public:
    // The call of `operation` whose number, counted over all its calls since the
    // plan was made or reset (1-based), is `nthCall` fails with (number, description).
    // Several faults may be queued. Throws std::invalid_argument for an unknown
    // operation or a call that has already happened: such a fault could never fire.
    void failOn(const std::string& operation, int nthCall, std::int32_t number,
                std::u16string description);
    // The next call of `operation` fails.
    void failNext(const std::string& operation, std::int32_t number, std::u16string description);
    // Every call of `operation` from now on fails.
    void failAlways(const std::string& operation, std::int32_t number, std::u16string description);

    int calls(const std::string& operation) const;  // every call counted, failing or not
    // Counts one call of `operation`; throws sw::Failure when a fault is due.
    // Unknown names throw std::invalid_argument here and in calls(), so a misspelt
    // name cannot make a test pass.
    void hit(const std::string& operation);
    void hit(host::Operation operation);
    // Forgets all faults and call counts.
    void reset();

private:
    std::map<std::string, int> calls_;
    std::map<std::string, std::map<int, ErrorValue>> onCall_;
    std::map<std::string, ErrorValue> always_;
};

// Every operation name the substitute Outlook counts: host::allOperationNames().
const std::vector<std::string>& allOperations();

}  // namespace sw::sim
