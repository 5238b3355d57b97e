// The .eml reader on any bytes: a mail it cannot read is an EmlError, never a crash,
// a sanitizer report or another exception.
#include <cstdint>
#include <string_view>

#include "sim/outlook/eml_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        sw::sim::parseEml(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.eml");
    } catch (const sw::sim::EmlError&) {
    }
    return 0;
}
