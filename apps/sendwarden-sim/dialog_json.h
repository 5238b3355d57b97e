#pragma once
#include <nlohmann/json.hpp>

#include "ui/dialog/confirm_dialog.h"

namespace sw::cli {

// What the confirmation dialog shows, as the send command reports it.
nlohmann::ordered_json dialogJson(const ui::ConfirmDialog& dialog);

}  // namespace sw::cli
