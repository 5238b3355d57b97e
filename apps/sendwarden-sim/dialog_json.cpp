#include "dialog_json.h"

#include "cli.h"

namespace sw::cli {
namespace {

nlohmann::ordered_json gridRows(const ui::Grid& grid) {
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    if (!grid.initialised()) return rows;
    for (std::int32_t r = grid.fixedRows(); r < grid.rows(); ++r)
        rows.push_back({{"type", utf8(grid.cell(r, 0).text)},
                        {"name", utf8(grid.cell(r, 1).text)},
                        {"address", utf8(grid.cell(r, 2).text)},
                        {"colour", grid.cell(r, 0).foreColor}});
    return rows;
}

}  // namespace

nlohmann::ordered_json dialogJson(const ui::ConfirmDialog& d) {
    using namespace ui::dialog;
    return {{"title", utf8(d.title())},
            {"message", utf8(d.control(lblMessage).caption)},
            {"warnings",
             {{"attachment", utf8(d.control(lblCheckAttachment).caption)},
              {"subject", utf8(d.control(lblCheckSubject).caption)},
              {"body", utf8(d.control(lblCheckBody).caption)}}},
            {"recipients", gridRows(d.fgdRecipients())},
            {"replyRecipients",
             {{"visible", d.control(fraReplyRecipients).visible}, {"rows", gridRows(d.fgdReplyRecipients())}}},
            {"buttonsTop", d.control(fraButtons).rect.top},
            {"height", d.frame().outerHeight},
            {"notDeferred", {{"visible", d.control(chkNotDeferred).visible}, {"value", d.chkNotDeferred()}}}};
}

}  // namespace sw::cli
