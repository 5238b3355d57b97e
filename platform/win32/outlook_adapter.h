#pragma once
// The host interfaces over Outlook's own objects, by late binding. Everything is
// reached from the Application that OnConnection handed over: Outlook trusts
// only objects reached that way.
#include <memory>

#include "host/host.h"
#include "win32/dispatch.h"

namespace sw::win {

std::shared_ptr<host::Application> outlookApplication(Dispatch application);
std::unique_ptr<host::AddInInstance> outlookAddInInstance(Dispatch addInInstance);
// An item as ItemSend hands it over.
std::unique_ptr<host::Item> outlookItem(Dispatch item);

}  // namespace sw::win
