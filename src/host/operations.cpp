#include "host/operations.h"

#include <array>

namespace sw::host {
namespace {
constexpr std::array<std::string_view, 28> names{
    "Application.Name",
    "Application.ActiveExplorer",
    "Application.GetNamespace",
    "Application.ItemSend",
    "Explorer.CommandBars",
    "CommandBar.FindControl",
    "CommandBar.Controls.Add",
    "Button.BeginGroup",
    "Button.Tag",
    "Button.Caption",
    "Button.OnAction",
    "Button.Click",
    "AddInInstance.ProgId",
    "Item.Class",
    "Item.Save",
    "Item.Subject",
    "Item.Body",
    "Item.Attachments.Count",
    "Item.DeferredDeliveryTime.Get",
    "Item.DeferredDeliveryTime.Set",
    "Item.Recipients",
    "Item.ReplyRecipients",
    "Recipients.Count",
    "Recipients.Item",
    "Recipient.Name",
    "Recipient.Address",
    "Recipient.Type",
    "Namespace.ExchangeConnectionMode",
};
static_assert(names.size() == static_cast<std::size_t>(Operation::namespaceExchangeConnectionMode) + 1);
}  // namespace

std::string_view operationName(Operation operation) { return names[static_cast<std::size_t>(operation)]; }

const std::vector<std::string>& allOperationNames() {
    static const std::vector<std::string> all(names.begin(), names.end());
    return all;
}

}  // namespace sw::host
