// Options of the command line, each the text a user would type into a control.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qalix {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CliOptions {
    std::string command;  // "fixed" or "design"
    std::string design = "normseq";
    std::optional<std::string> alpha, power, sd, mu, m, solve;
    bool json = false;
    // design
    std::optional<std::string> looks, rho, a;
    std::optional<std::vector<std::string>> groups, times;
    bool curves = false;
    // operating characteristics
    std::optional<std::vector<std::string>> deltas, means;
    bool lookDetails = false;
};

// Throws UsageError naming what is wrong.
CliOptions parseOptions(const std::vector<std::string>& args);

inline constexpr const char* kUsage =
    "usage: qalix fixed|design [--design normseq|brownian|fixed] [--alpha T] [--power T] "
    "[--sd T] [--mu T] [--m T] [--solve m|mu|sd|power|alpha] [--json]\n"
    "       design only: [--looks T] [--groups n1,...|--times t1,...] [--rho T] [--a T] "
    "[--curves] [--delta T1,...|--means T1,...] [--look-details]";

}  // namespace qalix
