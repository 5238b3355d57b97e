// sendwarden-sim about: the version window's texts.
#include <iostream>

#include "cli.h"
#include "sim/scripted_windows.h"
#include "ui/about/about_window.h"

namespace sw::cli {
namespace {

using A = ui::AboutWindow;

int runAbout(bool json) {
    sim::RecordedShell shell;
    A about(shell);
    about.load();
    const A::Id shownTexts[] = {A::lblTitle, A::lblVersion, A::lblDescription, A::lblCopyright,
                                A::lblDisclaimer, A::lblAffiliate, A::llbAmazon, A::cmdOK};
    if (json) {
        nlohmann::ordered_json out = {{"title", utf8(about.title())}};
        for (A::Id id : shownTexts) out[utf8(about.control(id).name)] = utf8(about.control(id).caption);
        out["link"] = utf8(about.control(A::llbAmazon).link);
        std::cout << out.dump(2, ' ', false) << "\n";
        return exitOk;
    }
    std::cout << "[" << utf8(about.title()) << "]\n";
    for (A::Id id : shownTexts) {
        std::string text = utf8(about.control(id).caption);
        for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "\n  ");
        std::cout << "  " << text << (id == A::llbAmazon ? " <" + utf8(about.control(id).link) + ">" : "") << "\n";
    }
    return exitOk;
}

}  // namespace

void addAboutCommand(CLI::App& app, int& status) {
    auto* about = app.add_subcommand("about", "Print the version window's texts");
    auto json = std::make_shared<bool>(false);
    about->add_flag("--json", *json, "Print one JSON object");
    about->callback([json, &status] { status = runAbout(*json); });
}

}  // namespace sw::cli
