#pragma once
// Runs the command-line host and collects what it printed and its exit status.
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace sw::test {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline RunResult runSim(const std::vector<std::string>& args, const std::string& input = "",
                        const std::string& env = "") {
    TempFolder scratch;
    scratch.write("in", input);
    std::string command = env + " " + shellQuote(SIM_EXE);
    for (const auto& a : args) command += " " + shellQuote(a);
    command += " <" + shellQuote((scratch / "in").string()) + " >" + shellQuote((scratch / "out").string()) + " 2>" +
               shellQuote((scratch / "err").string());
    const int raw = std::system(command.c_str());
    RunResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = scratch.read("out");
    r.err = scratch.read("err");
    return r;
}

}  // namespace sw::test
