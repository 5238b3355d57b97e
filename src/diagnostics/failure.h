#pragma once
// The one failure value of the add-in: a signed 32-bit number and a description,
// as the failing operation left them. Adapters and conversions throw it; trapping
// procedures catch it (see trap.h).
#include <cstdint>
#include <exception>
#include <string>

namespace sw {

struct ErrorValue {
    std::int32_t number = 0;
    std::u16string description;

    bool pending() const { return number != 0 || !description.empty(); }
    friend bool operator==(const ErrorValue&, const ErrorValue&) = default;
};

class Failure : public std::exception {
public:
    Failure(std::int32_t number, std::u16string description);
    explicit Failure(ErrorValue value);

    const ErrorValue& value() const noexcept { return value_; }
    std::int32_t number() const noexcept { return value_.number; }
    const std::u16string& description() const noexcept { return value_.description; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    ErrorValue value_;
    std::string what_;  // UTF-8 copy for std::exception users
};

// Failures the core raises itself. The numbers are the ones the host's own
// runtime uses for the same situations, so reports read the same on every platform.
namespace failures {
Failure typeMismatch();          // 13: text is not a number or flag
Failure overflow();              // 6: number outside its range
Failure objectNotSet();          // 91: a node or object that is not there
Failure invalidPattern();        // 93: wildcard pattern with an unclosed "["
Failure fileNotFound();          // 53
Failure outOfMemory();           // 7
Failure unexpected(const std::exception& e);  // anything else that escaped C++ code
}  // namespace failures

// Turns whatever is being thrown (called inside a catch block) into a failure value.
ErrorValue errorFromCurrentException();
// The same as an HRESULT for a COM boundary: a failure's own negative number, a
// runtime error number mapped as the host's runtime maps it, E_FAIL for the rest.
// Never returns a success code.
std::int32_t hresultFromCurrentException();

}  // namespace sw
