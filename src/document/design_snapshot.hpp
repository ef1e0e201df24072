// One description of a design: what defines it (the inputs, as typed) and everything the
// program computed from it, as the panel and the dialogs show it: each field's text and the
// value behind it. It is read from a program after "Sequential Design", and is the one source
// of the command line's output, the design files, the tables and the command that reproduces
// the design.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/design_inputs.hpp"

namespace qalix {

// A field as a dialog shows it: its text, and the full value behind it; none when the field
// shows no number (blank, "n/a", "?"). A whole value is a size or a count.
struct Shown {
    std::string text;
    std::optional<double> value;
    bool whole = false;
};

// Fields by name, in the order a dialog shows them.
struct ShownFields {
    std::vector<std::pair<std::string, Shown>> fields;

    void add(std::string name, Shown field) {
        fields.emplace_back(std::move(name), std::move(field));
    }
    // The field of that name; a missing one is a programming error (std::out_of_range).
    const Shown& operator[](std::string_view name) const;
};

struct DesignSnapshot {
    DesignInputs inputs;
    std::string design;  // the design's key
    // Two groups: the allocation ratio r (treatment : control); none for one sample.
    std::optional<double> allocation;

    // The panel: its texts (alpha .. m, then looks .. actual power once a sequential design is
    // computed) and the values the program used (alpha .. altDelta, then a .. actual power).
    std::vector<std::pair<std::string, std::string>> panelTexts;
    std::vector<std::pair<std::string, double>> values;
    // The panel's text and the value of that name; none when the snapshot has no such entry.
    std::optional<std::string> panelText(std::string_view name) const;
    std::optional<double> value(std::string_view name) const;
    std::vector<double> searchIterates;  // every a the search evaluated, the returned one last
    bool sequential = false;
    // Of a sequential design: the critical value of the last look, and the level when the
    // futility boundaries are not obeyed (the upper boundaries alone).
    std::optional<Shown> criticalValue;
    std::optional<Shown> nonbindingLevel;
    // With the power held, what grew to reach it: the size M ("m", group sizes) or the
    // standardized alternative ("altDelta", information time), from and to.
    struct HeldPower {
        std::string quantity;
        double from, to;
    };
    std::optional<HeldPower> heldPower;

    // The information-time dialog: each look's time, group and cumulative size.
    struct Look {
        int look;
        ShownFields fields;
    };
    std::vector<Look> looks;

    // The operating characteristics at one true mean, as typed into the dialogs.
    struct AtMean {
        bool onDataScale;
        std::string text;
        std::vector<Look> looks;  // "Probability of Significance" at each look
        ShownFields expected;     // "Expected Sample Size"
        ShownFields discordance;  // "Probability of Discordance"
    };
    std::vector<AtMean> characteristics;

    // "Critical Boundary Values" at each look, with the partial size it shows.
    struct Boundary {
        int look;
        long long n;
        ShownFields fields;
    };
    std::vector<Boundary> boundaries;

    // The power function and the expected information time, each point with its true mean
    // theta on the Brownian scale and the mean on the data scale (theta itself on information
    // time).
    struct PowerPoint {
        double theta, mean, reject, accept;
    };
    struct ExpectedPoint {
        double theta, mean, expectedTime;
    };
    bool curves = false;  // asked for, even when a could not be read and they are empty
    std::vector<PowerPoint> powerFunction;
    std::vector<ExpectedPoint> expectedInformation;
};

}  // namespace qalix
