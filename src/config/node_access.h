#pragma once
// Using a node, list or host object that is not there is a failure, as in the
// host's runtime.
#include "config/xml.h"
#include "diagnostics/failure.h"

namespace sw {

template <class T>
T& need(const std::shared_ptr<T>& p) {
    if (!p) throw failures::objectNotSet();
    return *p;
}

template <class T>
T& need(const std::unique_ptr<T>& p) {
    if (!p) throw failures::objectNotSet();
    return *p;
}

}  // namespace sw
