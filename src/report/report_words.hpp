// What the design report says in words, for a protocol and a statistical analysis plan: the
// design in one paragraph, the hypotheses and assumptions, what each discordance number
// means, and the level against the nominal one. Every number is the one the program shows,
// in the digits a reader can check.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/report_content.hpp"

namespace qalix {

// The design in one paragraph, ready for a protocol.
std::string protocolParagraph(const ReportContent& report);

// The hypotheses, the model of the observations, the statistic at each look, how the maximum
// size comes from m, what information time means here, and the decision at the last look:
// one sentence each.
std::vector<std::string> hypothesesAndAssumptions(const ReportContent& report);

// The two discordance numbers, named so that a reader can tell which is which, and how the
// plots' design block shows them.
std::string discordanceExplained(const ReportContent& report);

// The actual level against the nominal one, with futility obeyed and ignored.
std::string levelStatement(const ReportContent& report);

// Facts of the design the words and the tables share.
bool onInformationTime(const ReportContent& report);
// A two-group trial: the difference of the treatment and control means is tested.
bool comparesTwoGroups(const ReportContent& report);
// "234 control + 234 treatment": the trial's groups at their largest.
std::string groupsText(const ReportContent& report);
// A panel text as shown, without its padding.
std::string shownText(const ReportContent& report, std::string_view name);
// A value in a fixed number of decimals ("2.9458"); empty when there is none.
std::string decimals(std::optional<double> value, int places);
// How the critical value of the last look was chosen, in a few words.
std::string levelChosen(const ReportContent& report);
// The critical value of the last look as the boundary dialog shows it ("1.6449").
std::string finalCritical(const ReportContent& report);
// An information time as the program uses it, with three decimals at least ("0.240").
std::string informationTime(const std::string& shown);

}  // namespace qalix
