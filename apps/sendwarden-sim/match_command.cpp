// sendwarden-sim match PATTERN TEXT: the wildcard match the checks use.
#include <iostream>

#include "checks/wildcard.h"
#include "diagnostics/failure.h"
#include "cli.h"
#include "text.h"

namespace sw::cli {

void addMatchCommand(CLI::App& app, int& status) {
    auto* match = app.add_subcommand(
        "match", "Exit 0 when TEXT matches PATTERN as a whole (* ? # [list] [!list]), 1 when not, 2 when invalid");
    auto pattern = std::make_shared<std::string>();
    auto text = std::make_shared<std::string>();
    match->add_option("PATTERN", *pattern, "Wildcard pattern (UTF-8)")->required();
    match->add_option("TEXT", *text, "Text to match (UTF-8)")->required();
    match->callback([pattern, text, &status] {
        try {
            status = WildcardPattern::compile(fromUtf8(*pattern)).matches(fromUtf8(*text)) ? exitOk : exitNegative;
        } catch (const Failure& f) {
            std::cerr << "sendwarden-sim: " << f.number() << " " << toUtf8(f.description()) << "\n";
            status = exitUsage;
        }
    });
}

}  // namespace sw::cli
