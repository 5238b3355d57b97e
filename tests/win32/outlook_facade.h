#pragma once
// The test program's Outlook: IDispatch objects with connection points, laid over
// the substitute Outlook's host objects. They answer Outlook's member names and
// numbers, insist on optional arguments being passed as missing, and turn a
// scripted fault into DISP_E_EXCEPTION with Outlook's number and text.
#include <memory>

#include "host/host.h"
#include "win32/handles.h"

namespace sw::test::win {

struct FacadeOptions {
    // Answer DISP_E_UNKNOWNNAME for every member whose number Outlook documents,
    // so the caller must fall back to the number.
    bool refuseNames = false;
};

sw::win::ComPtr<IDispatch> applicationFacade(std::shared_ptr<host::Application> application,
                                             FacadeOptions options = {});
sw::win::ComPtr<IDispatch> itemFacade(std::shared_ptr<host::Item> item, FacadeOptions options = {});
sw::win::ComPtr<IDispatch> addInInstanceFacade(std::shared_ptr<host::AddInInstance> instance,
                                               FacadeOptions options = {});

// What the last event sink returned to the "host": nothing may reach Outlook.
HRESULT lastSinkResult();

}  // namespace sw::test::win
