// Reading a design file: every check before anything is used, each failure naming the file,
// the line and the key.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "analysis/trial_analysis.hpp"
#include "design/allocation.hpp"
#include "design/level_choice.hpp"
#include "document/design_file.hpp"
#include "io/files.hpp"
#include "numeric/number_text.hpp"
#include "program_version.hpp"

namespace qalix {

namespace {

// Files the program writes nest seven levels deep (the file's object, derived,
// characteristics, a mean, its looks, a look, a field). A file nested deeper than this is
// refused by a first pass that only counts the brackets outside strings (lineTooDeep), before
// its layout is read: the layout keeps the path of every open scope, and those grow with the
// depth.
constexpr int kMaxNesting = 32;
constexpr std::size_t kMaxMeans = 1000;
constexpr int kMinLooks = 2;
constexpr int kMaxLooks = 16;
constexpr double kMaxTrialSize = 99999.0;
// Relative difference within which two values in full are the same value.
constexpr double kValueTolerance = 1e-12;

// The line each key and each array element starts on, by its path ("inputs.groups[2]"): read
// off the text, since the parsed values keep no positions.
struct Layout {
    std::map<std::string, int> lines;
    // The first key given twice in one object: its path and both lines.
    std::optional<std::string> duplicate;
    int firstLine = 0;
    int secondLine = 0;
};

struct Scope {
    std::string path;
    bool array;
    int index = 0;
    std::string key;
    std::map<std::string, int> keyLines;  // of an object: each key's line
};

std::string childPath(const Scope& s) {
    if (s.array) return s.path + "[" + std::to_string(s.index + 1) + "]";
    return s.path.empty() ? s.key : s.path + "." + s.key;
}

// The string that starts at text[i] (a quote), undecoded; i ends after its closing quote.
std::string stringAt(std::string_view text, std::size_t& i) {
    std::string value;
    for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) ++i;
        value += text[i];
    }
    ++i;
    return value;
}

// The line where the nesting first goes deeper than kMaxNesting, or 0: one pass that keeps
// nothing but a count, so that a hostile depth costs no more than reading the bytes.
int lineTooDeep(std::string_view text) {
    int line = 1;
    int depth = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\') ++i;
            }
            ++i;
            continue;
        }
        if (c == '\n') ++line;
        if (c == '{' || c == '[') {
            if (++depth > kMaxNesting) return line;
        } else if ((c == '}' || c == ']') && depth > 0) {
            --depth;
        }
        ++i;
    }
    return 0;
}

Layout layoutOf(std::string_view text) {
    Layout layout;
    std::vector<Scope> scopes;
    int line = 1;
    bool valueNext = true;  // the next token starts a value (of an array, or after a colon)
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\n') ++line;
        if (c == '"') {
            const std::string s = stringAt(text, i);
            if (!scopes.empty() && !scopes.back().array && !valueNext) {
                Scope& object = scopes.back();
                object.key = s;
                layout.lines.emplace(childPath(object), line);
                const auto [first, added] = object.keyLines.emplace(s, line);
                if (!added && !layout.duplicate) {
                    layout.duplicate = childPath(object);
                    layout.firstLine = first->second;
                    layout.secondLine = line;
                }
            }
            continue;
        }
        if (c == '{' || c == '[') {
            const std::string path = scopes.empty() ? "" : childPath(scopes.back());
            if (!scopes.empty() && scopes.back().array) layout.lines.emplace(path, line);
            scopes.push_back({path, c == '[', 0, {}, {}});
            valueNext = c == '[';
        } else if ((c == '}' || c == ']') && !scopes.empty()) {
            scopes.pop_back();
            valueNext = false;
        } else if (c == ':') {
            valueNext = true;
        } else if (c == ',' && !scopes.empty()) {
            if (scopes.back().array) ++scopes.back().index;
            valueNext = scopes.back().array;
        } else if (!std::isspace(static_cast<unsigned char>(c)) && !scopes.empty() &&
                   scopes.back().array && valueNext) {
            layout.lines.emplace(childPath(scopes.back()), line);
            valueNext = false;
        }
        ++i;
    }
    return layout;
}

// What a check found wrong, at the key it names.
class Checker {
  public:
    Checker(std::string name, Layout layout) : name_(std::move(name)), layout_(std::move(layout)) {}

    [[noreturn]] void fail(const std::string& path, const std::string& what) const {
        const auto line = layout_.lines.find(path);
        std::string where = name_;
        if (line != layout_.lines.end()) where += ", line " + std::to_string(line->second);
        if (!path.empty()) where += ", key \"" + path + "\"";
        throw DesignFileError("The design file " + where + " cannot be opened: " + what + ".");
    }

    const Json& member(const Json& object, const std::string& path, const char* key) const {
        if (!object.contains(key)) fail(path, std::string("\"") + key + "\" is missing");
        return object.at(key);
    }

    void onlyKeys(const Json& object, const std::string& path,
                  const std::set<std::string>& allowed) const {
        for (const auto& [key, value] : object.items()) {
            if (!allowed.count(key))
                fail(join(path, key), "there is no such key in a design file of this version");
        }
    }

    static std::string join(const std::string& path, const std::string& key) {
        return path.empty() ? key : path + "." + key;
    }

  private:
    std::string name_;
    Layout layout_;
};

// Whether a value in full is the one a text reads as: equal to 1e-12 relative, since a file
// written on another system may differ in the last bits of a computed value.
bool sameValue(double a, double b) {
    return a == b || std::abs(a - b) <= kValueTolerance * std::max(std::abs(a), std::abs(b));
}

// A typed input: {"text": "0.05", "value": 0.05}; the text is what is typed, and must be one
// number inside the range given. The value is there for readers without the program, so it
// must be the number the text reads as.
std::string typedInput(const Checker& c, const Json& input, const std::string& path, double low,
                       double high, bool openLow = true, bool openHigh = true) {
    if (!input.is_object()) c.fail(path, "it must be {\"text\": ..., \"value\": ...}");
    c.onlyKeys(input, path, {"text", "value"});
    const Json& text = c.member(input, path, "text");
    if (!text.is_string()) c.fail(Checker::join(path, "text"), "it must be a text");
    const std::string typed = text.get<std::string>();
    double value = 0.0;
    if (!isOneNumber(typed) || readFree(typed, value) != ReadStatus::Ok)
        c.fail(Checker::join(path, "text"), "\"" + typed + "\" is not one number");
    const bool aboveLow = openLow ? value > low : value >= low;
    const bool belowHigh = openHigh ? value < high : value <= high;
    if (!aboveLow || !belowHigh) {
        c.fail(Checker::join(path, "text"), typed + " lies outside " + (openLow ? "(" : "[") +
                                                formatFree(low) + ", " + formatFree(high) +
                                                (openHigh ? ")" : "]"));
    }
    const Json& stored = c.member(input, path, "value");
    if (!stored.is_number()) c.fail(Checker::join(path, "value"), "it must be a number");
    if (!sameValue(stored.get<double>(), value)) {
        c.fail(Checker::join(path, "value"), stored.dump() + " is not the number its text " +
                                                 typed + " reads as (" + formatFree(value) + ")");
    }
    return typed;
}

std::optional<std::string> optionalInput(const Checker& c, const Json& inputs, const char* key,
                                         double low, double high, bool openLow = true,
                                         bool openHigh = true) {
    if (!inputs.contains(key)) return std::nullopt;
    return typedInput(c, inputs.at(key), Checker::join("inputs", key), low, high, openLow,
                      openHigh);
}

std::vector<std::string> typedList(const Checker& c, const Json& list, const std::string& path,
                                   std::size_t count, double low, double high, bool openLow) {
    if (!list.is_array()) c.fail(path, "it must be a list");
    if (list.size() != count) {
        c.fail(path, "it must hold " + std::to_string(count) +
                         " values, one for each look before the last");
    }
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < list.size(); ++i) {
        texts.push_back(typedInput(c, list[i], path + "[" + std::to_string(i + 1) + "]", low, high,
                                   openLow, true));
    }
    return texts;
}

MeanList meansOf(const Checker& c, const Json& means, bool brownian) {
    const std::string path = "inputs.means";
    if (!means.is_object()) c.fail(path, "it must be {\"scale\": ..., \"values\": [...]}");
    c.onlyKeys(means, path, {"scale", "values"});
    const Json& scale = c.member(means, path, "scale");
    if (scale != "delta" && scale != "mu")
        c.fail(path + ".scale", "it must be \"delta\" or \"mu\"");
    if (scale == "mu" && brownian)
        c.fail(path + ".scale", "on information time the means are on the delta scale");
    const Json& values = c.member(means, path, "values");
    if (!values.is_array() || values.empty() || values.size() > kMaxMeans)
        c.fail(path + ".values", "it must be a list of 1 to 1000 means");
    MeanList list{scale == "mu", {}};
    for (std::size_t i = 0; i < values.size(); ++i) {
        list.texts.push_back(typedInput(
            c, values[i], path + ".values[" + std::to_string(i + 1) + "]", -1e300, 1e300));
    }
    return list;
}

void checkSolve(const Checker& c, const DesignInputs& in, bool brownian) {
    if (!in.solve) return;
    const std::set<std::string> solvable =
        brownian ? std::set<std::string>{"power", "alpha"}
                 : std::set<std::string>{"m", "mu", "sd", "power", "alpha"};
    if (!solvable.count(*in.solve))
        c.fail("inputs.solve", "\"" + *in.solve + "\" cannot be computed in this design");
}

DesignInputs inputsOf(const Checker& c, const Json& inputs) {
    const std::string path = "inputs";
    if (!inputs.is_object()) c.fail(path, "it must be an object");
    const Json& design = c.member(inputs, path, "design");
    const std::string kind = design.is_string() ? design.get<std::string>() : std::string();
    if (kind != kNormseqKey && kind != kBrownianKey) {
        c.fail("inputs.design", "it must be \"" + std::string(kNormseqKey) + "\" or \"" +
                                    std::string(kBrownianKey) + "\"");
    }
    const bool brownian = isBrownianKey(kind);
    std::set<std::string> keys = {"design", "alpha", "power", "solve", "looks",
                                  "rho",    "a",     "means", "level", "holdPower"};
    const std::set<std::string> ofDesign =
        brownian ? std::set<std::string>{"times"}
                 : std::set<std::string>{"sd", "mu", "m", "groups", "allocation"};
    keys.insert(ofDesign.begin(), ofDesign.end());
    c.onlyKeys(inputs, path, keys);
    DesignInputs in;
    in.design = kind;
    if (inputs.contains("solve")) {
        if (!inputs.at("solve").is_string()) c.fail("inputs.solve", "it must be a text");
        in.solve = inputs.at("solve").get<std::string>();
    }
    checkSolve(c, in, brownian);
    in.allocation =
        optionalInput(c, inputs, "allocation", kMinAllocation, kMaxAllocation, false, false);
    in.alpha = optionalInput(c, inputs, "alpha", 0.0, 1.0);
    in.power = optionalInput(c, inputs, "power", 0.0, 1.0);
    in.sd = optionalInput(c, inputs, "sd", 0.0, 1e300);
    in.mu = optionalInput(c, inputs, "mu", 0.0, 1e300);
    in.m = optionalInput(c, inputs, "m", 1.0, kMaxTrialSize, false, false);
    for (const char* needed : {"alpha", "power", "sd", "mu", "m"}) {
        if (brownian && std::string_view(needed) != "alpha" && std::string_view(needed) != "power")
            continue;
        if (!inputs.contains(needed) && in.solve != needed)
            c.fail(path, std::string("\"") + needed + "\" is missing, and not computed");
        if (inputs.contains(needed) && in.solve == needed)
            c.fail(Checker::join(path, needed),
                   "it is computed (\"solve\"), so it cannot be given");
    }
    in.looks = typedInput(c, c.member(inputs, path, "looks"), "inputs.looks", kMinLooks, kMaxLooks,
                          false, false);
    double looks = 0.0;
    readFree(*in.looks, looks);
    const auto before = static_cast<std::size_t>(looks) - 1;
    if (inputs.contains("groups"))
        in.groups =
            typedList(c, inputs.at("groups"), "inputs.groups", before, 1.0, kMaxTrialSize, false);
    if (inputs.contains("times"))
        in.times = typedList(c, inputs.at("times"), "inputs.times", before, 0.0, 1.0, true);
    if (inputs.contains("rho") == inputs.contains("a"))
        c.fail(path, "it must give either \"rho\" (a is searched) or \"a\", one of them");
    in.rho = optionalInput(c, inputs, "rho", 0.0, 0.5);
    in.a = optionalInput(c, inputs, "a", 0.0, 1e300);
    if (inputs.contains("means")) in.means = meansOf(c, inputs.at("means"), brownian);
    if (inputs.contains("level")) {
        const Json& level = inputs.at("level");
        if (!level.is_string() || !levelChoiceOf(level.get<std::string>()))
            c.fail("inputs.level", "it must be \"nominal\", \"exact\" or \"exact-nonbinding\"");
        in.level = level.get<std::string>();
    }
    if (inputs.contains("holdPower")) {
        if (!inputs.at("holdPower").is_boolean())
            c.fail("inputs.holdPower", "it must be true or false");
        in.holdPower = inputs.at("holdPower").get<bool>();
    }
    return in;
}

// The looks of a trial analysed on the design, each as typed and readable as a look; at most as
// many as a design has.
TrialRecord trialOf(const Checker& c, const Json& analysis) {
    const std::string path = "analysis";
    if (!analysis.is_object()) c.fail(path, "it must be {\"looks\": [...]}");
    c.onlyKeys(analysis, path, {"looks", "confidence"});
    const Json& looks = c.member(analysis, path, "looks");
    if (!looks.is_array() || looks.size() > static_cast<std::size_t>(kMaxLooks))
        c.fail(path + ".looks",
               "it must be a list of at most " + std::to_string(kMaxLooks) + " looks");
    TrialRecord trial;
    for (std::size_t i = 0; i < looks.size(); ++i) {
        const std::string at = path + ".looks[" + std::to_string(i + 1) + "]";
        if (!looks[i].is_string()) c.fail(at, "it must be a text such as \"n=6,sum=7.4\"");
        try {
            parseLook(looks[i].get<std::string>(), static_cast<int>(i + 1));
        } catch (const AnalysisInputError& e) {
            std::string why = e.what();
            if (!why.empty() && why.back() == '.') why.pop_back();
            c.fail(at, why);
        }
        trial.looks.push_back(looks[i].get<std::string>());
    }
    if (analysis.contains("confidence")) {
        const Json& confidence = analysis.at("confidence");
        double value = 0.0;
        if (!confidence.is_string() || !isOneNumber(confidence.get<std::string>()) ||
            readFree(confidence.get<std::string>(), value) != ReadStatus::Ok ||
            !(value > 0.0 && value < 1.0))
            c.fail(path + ".confidence", "it must be a text of a number between 0 and 1");
        trial.confidence = confidence.get<std::string>();
    }
    return trial;
}

std::string textMember(const Checker& c, const Json& file, const char* key) {
    if (!file.contains(key)) return {};
    if (!file.at(key).is_string()) c.fail(key, "it must be a text");
    return file.at(key).get<std::string>();
}

int lineOfByte(std::string_view text, std::size_t byte) {
    int line = 1;
    for (std::size_t i = 0; i < std::min(byte, text.size()); ++i)
        line += text[i] == '\n' ? 1 : 0;
    return line;
}

// Whether a number that is out of a double's range is so by being too large rather than too
// small: its decimal order (the significand's plus the exponent) tells, and is positive.
bool tooLarge(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    const std::string_view significand = number.substr(0, e);
    const std::size_t first = significand.find_first_of("123456789");
    if (first == std::string_view::npos) return false;
    const std::size_t point = std::min(significand.find('.'), significand.size());
    long long order = first < point ? static_cast<long long>(point - first) - 1
                                    : -static_cast<long long>(first - point);
    if (e != std::string_view::npos) {
        std::string_view exponent = number.substr(e + 1);
        if (!exponent.empty() && exponent.front() == '+') exponent.remove_prefix(1);
        int value = 0;
        const auto [end, ec] =
            std::from_chars(exponent.data(), exponent.data() + exponent.size(), value);
        if (ec == std::errc::result_out_of_range) return exponent.front() != '-';
        order += value;
    }
    return order > 0;
}

// The line of the first number too large for a double ("1e999"): JSON allows it, the reader
// refuses it, and the message should point at it.
int lineOfHugeNumber(std::string_view text) {
    const auto inNumber = [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '.' ||
               c == 'e' || c == 'E';
    };
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '"') {
            stringAt(text, i);
            continue;
        }
        if (text[i] != '-' && !std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && inNumber(text[end]))
            ++end;
        const std::string_view number = text.substr(i, end - i);
        double value = 0.0;
        if (std::from_chars(number.data(), number.data() + number.size(), value).ec ==
                std::errc::result_out_of_range &&
            tooLarge(number))
            return lineOfByte(text, i);
        i = end;
    }
    return 1;
}

}  // namespace

DesignFile parseDesignFile(std::string_view text, const std::string& name) {
    if (const int deep = lineTooDeep(text)) {
        throw DesignFileError("The design file " + name + ", line " + std::to_string(deep) +
                              " cannot be opened: it is nested more than " +
                              std::to_string(kMaxNesting) + " levels deep.");
    }
    Layout layout = layoutOf(text);
    Json file;
    try {
        file = Json::parse(text);
    } catch (const Json::parse_error& e) {
        throw DesignFileError("The design file " + name + ", line " +
                              std::to_string(lineOfByte(text, e.byte)) +
                              " cannot be opened: it is not JSON.");
    } catch (const Json::out_of_range&) {
        throw DesignFileError("The design file " + name + ", line " +
                              std::to_string(lineOfHugeNumber(text)) +
                              " cannot be opened: it holds a number too large to read.");
    }
    if (layout.duplicate) {
        throw DesignFileError("The design file " + name + ", lines " +
                              std::to_string(layout.firstLine) + " and " +
                              std::to_string(layout.secondLine) + " cannot be opened: key \"" +
                              *layout.duplicate + "\" is given twice.");
    }
    const Checker c(name, std::move(layout));
    if (!file.is_object() || !file.contains("format") || file.at("format") != kDesignFileFormat)
        c.fail("format", "it is not a QALIX design file (\"format\" is not \"qalix-design\")");
    c.onlyKeys(file, "",
               {"format", "version", "program", "written", "title", "notes", "inputs", "analysis",
                "derived"});
    const Json& version = c.member(file, "", "version");
    if (!version.is_number_integer() || version.get<long long>() < 1)
        c.fail("version", "it must be a whole number from 1");
    if (version.get<long long>() > kDesignFileVersion) {
        c.fail("version", "it was written by a newer program, in version " + version.dump() +
                              " of the design file; this program (qalix " +
                              std::string(kProgramVersion) + ") reads version " +
                              std::to_string(kDesignFileVersion));
    }
    DesignFile design;
    design.title = textMember(c, file, "title");
    design.notes = textMember(c, file, "notes");
    design.program = textMember(c, file, "program");
    design.written = textMember(c, file, "written");
    design.inputs = inputsOf(c, c.member(file, "", "inputs"));
    if (file.contains("analysis")) design.trial = trialOf(c, file.at("analysis"));
    design.derived = file.contains("derived") ? file.at("derived") : Json::object();
    if (!design.derived.is_object()) c.fail("derived", "it must be an object");
    return design;
}

DesignFile readDesignFile(const std::string& path) {
    const io::ReadResult read = io::readFile(path, kDesignFileBytes);
    if (read.tooLarge) {
        throw DesignFileError("The design file " + path + " cannot be opened: it is larger than " +
                              std::to_string(kDesignFileBytes >> 20) +
                              " MiB, and no design file is.");
    }
    if (!read) {
        throw DesignFileError("Cannot open the design file " + read.error.describe() + ".");
    }
    return parseDesignFile(*read.bytes, path);
}

namespace {

// Shown texts are compared exactly, but a text that shows a value in full (the coefficient a)
// may differ in its last digits between systems whose exp differs in the last bit: two such
// texts within 1e-12 of each other show one value. No text shown with fewer digits can be
// that close without being equal.
bool sameNumber(const Json& was, const Json& now) {
    const std::string a = was.get<std::string>();
    const std::string b = now.get<std::string>();
    double x = 0.0;
    double y = 0.0;
    return isOneNumber(a) && isOneNumber(b) && readFree(a, x) == ReadStatus::Ok &&
           readFree(b, y) == ReadStatus::Ok && sameValue(x, y);
}

std::optional<std::string> differenceAt(const Json& was, const Json& now, const std::string& path) {
    const auto shown = [](const Json& j) { return "\"" + j.get<std::string>() + "\""; };
    if (was.is_string()) {
        if (now.is_string() && (now == was || sameNumber(was, now))) return std::nullopt;
        return path + ": " + shown(was) + " in the file, " +
               (now.is_string() ? shown(now) : std::string("nothing")) + " now";
    }
    if (was.is_array()) {
        if (!now.is_array() || now.size() != was.size())
            return path + ": " + std::to_string(was.size()) + " entries in the file, " +
                   std::to_string(now.is_array() ? now.size() : 0) + " now";
        for (std::size_t i = 0; i < was.size(); ++i) {
            if (auto d = differenceAt(was[i], now[i], path + "[" + std::to_string(i + 1) + "]"))
                return d;
        }
        return std::nullopt;
    }
    if (!was.is_object()) return std::nullopt;  // a value in full: its digits may differ
    for (const auto& [key, value] : was.items()) {
        const std::string at = path.empty() ? key : path + "." + key;
        if (key == "values") continue;  // values in full, behind the texts compared
        if (!now.is_object() || !now.contains(key)) {
            if (value.is_string() || value.is_object() || value.is_array())
                return at + ": in the file, not computed now";
            continue;
        }
        if (auto d = differenceAt(value, now.at(key), at)) return d;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> firstDifference(const Json& inFile, const Json& now) {
    return differenceAt(inFile, now, "");
}

}  // namespace qalix
