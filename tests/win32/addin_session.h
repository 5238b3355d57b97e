#pragma once
// The add-in as Outlook runs it for a while: a DLL folder registered for the run,
// then one connected session per Outlook, through which mails are sent.
#include <filesystem>
#include <memory>

#include "sim/outlook/sim_outlook.h"
#include "support/temp_folder.h"
#include "win32/outlook_host.h"

namespace sw::test::win {

// A copy of the built DLL in a folder of its own, registered and mirrored for the run.
class InstalledAddIn {
public:
    explicit InstalledAddIn(const std::string& config);
    const TempFolder& folder() const { return folder_; }

private:
    TempFolder folder_;
    std::unique_ptr<Registration> registration_;
};

// Created by ProgID and connected on construction; disconnected and released on destruction.
class AddInSession {
public:
    explicit AddInSession(sim::SimApplication& app);
    ~AddInSession();
    AddInSession(const AddInSession&) = delete;
    AddInSession& operator=(const AddInSession&) = delete;

    bool connected() const { return connected_; }
    // ItemSend with Cancel false: returns what the add-in left in Cancel.
    bool send(host::Item& item);

private:
    sim::SimApplication& app_;
    sw::win::ComPtr<IDispatch> appObject_, instance_;
    sw::win::ComPtr<sw::win::IDTExtensibility2> addIn_;
    bool connected_ = false;
};

}  // namespace sw::test::win
