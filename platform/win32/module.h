#pragma once
// What the DLL knows about itself: its own module handle and how many of its COM
// objects and server locks are alive, for DllCanUnloadNow.
#include <windows.h>

#include <filesystem>

namespace sw::win {

// The module this code was linked into (the DLL, or a test program), never the host's.
HMODULE thisModule();
std::filesystem::path thisModulePath();

long liveObjects();
void lockServer(bool lock);

// Base of every COM object the module hands out: counted while it lives.
class CountedObject {
public:
    CountedObject();
    CountedObject(const CountedObject&) = delete;
    CountedObject& operator=(const CountedObject&) = delete;
    virtual ~CountedObject();
};

}  // namespace sw::win
