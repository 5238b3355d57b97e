#pragma once
// The COM object Outlook creates: IDTExtensibility2 (vtable and IDispatch) over the
// core's add-in, with the Windows ports it lends it.
#include "win32/office_interfaces.h"

namespace sw::win {

// A new add-in object with one reference for the caller.
IDTExtensibility2* createAddInObject();

}  // namespace sw::win
