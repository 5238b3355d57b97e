#pragma once
// The host operations by name. The substitute Outlook counts and fails them by
// these names, and the Windows adapter names the member that failed with them, so
// a report or a test reads the same on both platforms.
#include <string>
#include <string_view>
#include <vector>

namespace sw::host {

enum class Operation {
    applicationName,
    applicationActiveExplorer,
    applicationGetNamespace,
    applicationItemSend,  // connecting a handler to the event
    explorerCommandBars,
    commandBarFindControl,
    commandBarControlsAdd,
    buttonBeginGroup,
    buttonTag,
    buttonCaption,
    buttonOnAction,
    buttonClick,  // connecting a handler to the event
    addInInstanceProgId,
    itemClass,
    itemSave,
    itemSubject,
    itemBody,
    itemAttachmentsCount,
    itemDeferredDeliveryTimeGet,
    itemDeferredDeliveryTimeSet,
    itemRecipients,
    itemReplyRecipients,
    recipientsCount,
    recipientsItem,
    recipientName,
    recipientAddress,
    recipientType,
    namespaceExchangeConnectionMode,
};

// "Application.Name", "Item.DeferredDeliveryTime.Set", ...
std::string_view operationName(Operation operation);
// Every name, in the order of the enumeration.
const std::vector<std::string>& allOperationNames();

}  // namespace sw::host
