#include "diagnostics/failure.h"

#include <new>

#include "diagnostics/hresult.h"

#include "text.h"

namespace sw {

Failure::Failure(std::int32_t number, std::u16string description)
    : Failure(ErrorValue{number, std::move(description)}) {}

Failure::Failure(ErrorValue value) : value_(std::move(value)) {
    what_ = std::to_string(value_.number) + " " + toUtf8(value_.description);
}

namespace failures {
Failure typeMismatch() { return {13, u"Type mismatch"}; }
Failure overflow() { return {6, u"Overflow"}; }
Failure objectNotSet() { return {91, u"Object variable or With block variable not set"}; }
Failure invalidPattern() { return {93, u"Invalid pattern string"}; }
Failure fileNotFound() { return {53, u"File not found"}; }
Failure outOfMemory() { return {7, u"Out of memory"}; }
Failure unexpected(const std::exception& e) {
    return {hresult::eFail, u"Unexpected failure: " + fromUtf8(e.what())};
}
}  // namespace failures

ErrorValue errorFromCurrentException() {
    try {
        throw;
    } catch (const Failure& f) {
        return f.value();
    } catch (const std::bad_alloc&) {
        return failures::outOfMemory().value();
    } catch (const std::exception& e) {
        return failures::unexpected(e).value();
    } catch (...) {
        return {hresult::eFail, u"Unexpected failure"};
    }
}

std::int32_t hresultFromCurrentException() {
    const ErrorValue error = errorFromCurrentException();
    if (error.number < 0) return error.number;
    if (error.number == 0) return hresult::eFail;
    return hresult::fromRuntimeError(error.number);
}

}  // namespace sw
