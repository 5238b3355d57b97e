#include "diagnostics/diagnostics.h"

#include "text.h"

namespace sw {

std::u16string formatErrorReport(const std::u16string& module, const std::u16string& procedure,
                                 const std::u16string& position, const ErrorValue& error,
                                 const std::u16string& info) {
    std::u16string text = decimal(error.number) + u" " + error.description + u"\r\n";
    text += u"[発生箇所]\r\n";
    text += u"モジュール名：" + module + u"\r\n";
    text += u"処理名：" + procedure + u"\r\n";
    text += u"位置：" + position + u"\r\n";
    if (!info.empty()) text += u"\r\n[追加情報]\r\n" + info;
    return text;
}

std::u16string formatLogLine(const LocalDateTime& when, const std::u16string& module,
                             const std::u16string& procedure, const std::u16string& position,
                             const ErrorValue& error, const std::u16string& info) {
    std::u16string line = u"[" + when.logStamp() + u"] \t";
    line += module + u"\t" + procedure + u"\t" + position + u"\t";
    line += decimal(error.number) + u"\t" + error.description + u"\t";
    if (!info.empty()) line += u"\t" + info;
    return line;
}

void Diagnostics::showErrorReport(const std::u16string& module, const std::u16string& procedure,
                                  const ErrorValue& error, const std::u16string& info) {
    const std::u16string text = formatErrorReport(module, procedure, currentStep, error, info);
    try {
        messageBoxes_.show(text, messageTitle, mb::critical);
    } catch (...) {
        // Nothing left to tell the user with; the log below may still record it.
    }
    if (!debugMode) return;
    try {
        writeDebugLog(module, procedure, error, info);
    } catch (...) {
        // A log that cannot be written while reporting must not take the host down.
    }
}

void Diagnostics::writeDebugLog(const std::u16string& module, const std::u16string& procedure,
                                const ErrorValue& error, const std::u16string& info) {
    const std::u16string line = formatLogLine(clock_.now(), module, procedure, currentStep, error, info);
    files_.appendLine(files_.moduleFolder() / "debug.log", line);
}

void Diagnostics::trace(const std::u16string& module, const std::u16string& procedure, const std::u16string& step,
                        const std::u16string& info) {
    currentStep = step;
    if (debugMode) writeDebugLog(module, procedure, {}, info);
}

int Diagnostics::message(const std::u16string& text, int style) {
    return messageBoxes_.show(text, messageTitle, style);
}

}  // namespace sw
