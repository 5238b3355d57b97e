#pragma once
// The one error report and the debug log, plus the current step they both show.
#include <string>

#include "diagnostics/failure.h"
#include "platform.h"

namespace sw {

// "1234 description\r\n[発生箇所]\r\n..." exactly as the message box shows it.
std::u16string formatErrorReport(const std::u16string& module, const std::u16string& procedure,
                                 const std::u16string& position, const ErrorValue& error,
                                 const std::u16string& info);

// One debug.log line without its CR LF.
std::u16string formatLogLine(const LocalDateTime& when, const std::u16string& module,
                             const std::u16string& procedure, const std::u16string& position,
                             const ErrorValue& error, const std::u16string& info);

inline constexpr char16_t messageTitle[] = u"Sendwarden";

class Diagnostics {
public:
    // The report goes to the message boxes; log lines are stamped by the clock and
    // appended to debug.log in the add-in's folder.
    Diagnostics(MessageBoxes& messageBoxes, Files& files, Clock& clock)
        : messageBoxes_(messageBoxes), files_(files), clock_(clock) {}

    // The step in progress; never restored when a procedure returns.
    std::u16string currentStep;
    // Set only by the configuration store when it loads config.xml.
    bool debugMode = false;

    // Shows the report (style 16, title "Sendwarden"); with debugMode also logs it.
    // A failure to log the report is absorbed: it must never reach the host.
    void showErrorReport(const std::u16string& module, const std::u16string& procedure, const ErrorValue& error,
                         const std::u16string& info = {});

    // Appends one line to debug.log; a failure to write passes to the caller.
    void writeDebugLog(const std::u16string& module, const std::u16string& procedure, const ErrorValue& error = {},
                       const std::u16string& info = {});

    // Entry convention: sets currentStep and, with debugMode on, writes a trace line.
    void trace(const std::u16string& module, const std::u16string& procedure, const std::u16string& step,
               const std::u16string& info = {});

    // Shows a plain message box titled "Sendwarden".
    int message(const std::u16string& text, int style);

private:
    MessageBoxes& messageBoxes_;
    Files& files_;
    Clock& clock_;
};

}  // namespace sw
