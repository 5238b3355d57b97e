#pragma once
// Per-user registration: the COM class under HKCU\Software\Classes and Outlook's
// add-in key. Unregistration removes exactly the keys registration creates.
#include <filesystem>

namespace sw::win {

// Throws Failure; a half-written registration is removed again first.
void registerAddIn(const std::filesystem::path& dll);
// Removes the add-in's own keys, whatever they hold now; absent keys are fine.
void unregisterAddIn();

}  // namespace sw::win
