// sendwarden-sim: the add-in's core on a substitute Outlook, from the command line.
#include <iostream>

#include "cli.h"

int main(int argc, char** argv) {
    CLI::App app{"Sendwarden on a substitute Outlook: check and send .eml files as the add-in would."};
    app.require_subcommand(1);
    int status = sw::cli::exitOk;
    sw::cli::addConfigCommand(app, status);
    sw::cli::addMatchCommand(app, status);
    sw::cli::addCheckCommand(app, status);
    sw::cli::addSendCommand(app, status);
    sw::cli::addSettingsCommand(app, status);
    sw::cli::addAboutCommand(app, status);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return sw::cli::exitUsage;
    } catch (const sw::cli::UsageError& e) {
        std::cerr << "sendwarden-sim: " << e.what() << "\n";
        return sw::cli::exitUsage;
    } catch (const std::exception& e) {
        std::cerr << "sendwarden-sim: " << e.what() << "\n";
        return 3;
    }
    return status;
}
