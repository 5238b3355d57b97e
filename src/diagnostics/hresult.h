#pragma once
// The HRESULTs the add-in raises or meets itself, as the signed numbers a failure
// value carries.
#include <cstdint>

namespace sw::hresult {

constexpr std::int32_t fromBits(std::uint32_t bits) { return static_cast<std::int32_t>(bits); }

inline constexpr std::int32_t ok = 0;
inline constexpr std::int32_t eFail = fromBits(0x80004005);              // -2147467259
inline constexpr std::int32_t eNotImpl = fromBits(0x80004001);
inline constexpr std::int32_t eNoInterface = fromBits(0x80004002);
inline constexpr std::int32_t ePointer = fromBits(0x80004003);
inline constexpr std::int32_t eUnexpected = fromBits(0x8000FFFF);
inline constexpr std::int32_t eInvalidArg = fromBits(0x80070057);        // -2147024809
inline constexpr std::int32_t eOutOfMemory = fromBits(0x8007000E);       // -2147024882
inline constexpr std::int32_t eAccessDenied = fromBits(0x80070005);
inline constexpr std::int32_t dispEException = fromBits(0x80020009);     // -2147352567
inline constexpr std::int32_t dispEBadIndex = fromBits(0x8002000B);      // -2147352565
inline constexpr std::int32_t dispEMemberNotFound = fromBits(0x80020003);
inline constexpr std::int32_t dispEUnknownName = fromBits(0x80020006);
inline constexpr std::int32_t dispEParamNotFound = fromBits(0x80020004);
inline constexpr std::int32_t connectENoConnection = fromBits(0x80040200);  // -2147220992
inline constexpr std::int32_t classENoAggregation = fromBits(0x80040110);
inline constexpr std::int32_t classEClassNotAvailable = fromBits(0x80040111);

// A runtime error number (13, 91, ...) as the HRESULT the host's runtime gives it
// at a COM boundary: FACILITY_CONTROL with the number in the low word.
constexpr std::int32_t fromRuntimeError(std::int32_t number) {
    return fromBits(0x800A0000u | (static_cast<std::uint32_t>(number) & 0xFFFFu));
}

}  // namespace sw::hresult
