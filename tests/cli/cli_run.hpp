// Runs the command line in-process as a user runs it, and reads what it printed.
#pragma once

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "json_value.hpp"

namespace qalix::testing {

struct CliRun {
    int status;
    std::string out;
    std::string err;

    JsonValue json() const { return parseJson(out); }
};

inline CliRun run(const std::vector<std::string>& args, const PictureRenderer& renderer = {}) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(args, out, err, renderer);
    return {status, out.str(), err.str()};
}

// The text of a JSON member "key":"text" or the number of "key":number, first occurrence.
inline std::string member(const std::string& json, const std::string& key) {
    const std::regex pattern("\"" + key + "\":(\"[^\"]*\"|[-0-9.e+]+)");
    std::smatch match;
    if (!std::regex_search(json, match, pattern)) return "<missing " + key + ">";
    std::string value = match[1];
    if (value.front() == '"') value = value.substr(1, value.size() - 2);
    return value;
}

}  // namespace qalix::testing
