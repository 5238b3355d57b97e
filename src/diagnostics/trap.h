#pragma once
// The trap every trapping procedure uses: run the body; whatever it throws abandons
// the rest of it. The final section then runs (at the normal end too), a failure is
// shown in the error report with the procedure's names, and the procedure returns
// normally.
#include <functional>
#include <string>

#include "diagnostics/diagnostics.h"

namespace sw {

struct TrapSections {
    // Runs after the body whether or not it failed (releases what the body held).
    std::function<void()> finalSection;
    // Additional information for the report, built only on a failure. Whatever it
    // throws passes to the caller, as a second failure while reporting does.
    std::function<std::u16string()> additionalInfo;
};

template <class Body>
void trap(Diagnostics& diagnostics, const std::u16string& module, const std::u16string& procedure, Body&& body,
          const TrapSections& sections = {}) {
    ErrorValue error;
    bool failed = false;
    try {
        body();
    } catch (...) {
        error = errorFromCurrentException();
        failed = true;
    }
    if (sections.finalSection) sections.finalSection();
    if (!failed) return;
    const std::u16string info = sections.additionalInfo ? sections.additionalInfo() : std::u16string();
    diagnostics.showErrorReport(module, procedure, error, info);
}

}  // namespace sw
