// The mapping every plot shares, its number fields and its path colours, against values
// worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include <limits>

#include "graphics/boundary_plot.hpp"
#include "graphics/expected_size_plot.hpp"
#include "graphics/plot_frame.hpp"
#include "graphics/power_plot.hpp"
#include "graphics/sample_paths.hpp"

namespace qalix {
namespace {

struct MappingCase {
    const char* plot;
    const PlotScale* scale;
    bool vertical;
    float world;
    int device;
};

class Mapping : public ::testing::TestWithParam<MappingCase> {};

// The product in extended precision, truncated toward zero: 0.999 * 550 = 549.45 and
// -0.0125 * -90 = 1.125 lose their fractions, 0.05f * -360 = -18.0000003 keeps -18.
TEST_P(Mapping, TruncatesTheProductTowardZero) {
    const MappingCase& c = GetParam();
    const PlotMapping mapping(*c.scale);
    EXPECT_EQ(c.vertical ? mapping.NEWY(c.world) : mapping.NEWX(c.world), c.device)
        << c.plot << " " << c.world;
}

INSTANTIATE_TEST_SUITE_P(
    Plots, Mapping,
    ::testing::Values(MappingCase{"boundary", &kBoundaryScale, false, 0.999f, 549},
                      MappingCase{"boundary", &kBoundaryScale, false, 1.2f, 660},
                      MappingCase{"boundary", &kBoundaryScale, false, 0.7f, 384},
                      MappingCase{"boundary", &kBoundaryScale, false, -0.2f, -110},
                      MappingCase{"boundary", &kBoundaryScale, true, 4.0f, -360},
                      MappingCase{"boundary", &kBoundaryScale, true, -0.0125f, 1},
                      MappingCase{"power", &kPowerScale, true, 0.05f, -18},
                      MappingCase{"power", &kPowerScale, false, -1.5f, -180},
                      MappingCase{"expected size", &kExpectedSizeScale, false, -10.0f, -250},
                      MappingCase{"expected size", &kExpectedSizeScale, true, 1.2f, -420}));

TEST(Mapping, NumbersBeyondTheDeviceRangeAreHeldAtItsEnds) {
    const PlotMapping mapping(kBoundaryScale);
    constexpr float kHuge = 1e30f;
    EXPECT_EQ(mapping.NEWX(kHuge), std::numeric_limits<int>::max());
    EXPECT_EQ(mapping.NEWY(kHuge), std::numeric_limits<int>::min());
    EXPECT_EQ(mapping.NEWX(std::numeric_limits<float>::infinity()),
              std::numeric_limits<int>::max());
    EXPECT_EQ(mapping.NEWY(std::numeric_limits<float>::quiet_NaN()), 0);
}

struct OriginCase {
    const PlotScale* scale;
    Rect client;
    Point origin;
};

class Origin : public ::testing::TestWithParam<OriginCase> {};

TEST_P(Origin, LiesAtTheFractionsOfTheClientAreaTruncated) {
    EXPECT_EQ(PlotMapping(*GetParam().scale).origin(GetParam().client), GetParam().origin);
}

INSTANTIATE_TEST_SUITE_P(
    Plots, Origin,
    ::testing::Values(OriginCase{&kBoundaryScale, {0, 0, 100, 100}, {38, 57}},
                      OriginCase{&kPowerScale, {0, 0, 100, 100}, {40, 65}},
                      OriginCase{&kExpectedSizeScale, {0, 0, 100, 100}, {50, 65}},
                      // 0.38 * 99 = 37.62 and 0.57 * 99 = 56.43, truncated
                      OriginCase{&kBoundaryScale, {0, 0, 99, 99}, {37, 56}},
                      OriginCase{&kExpectedSizeScale, {0, 0, 99, 99}, {49, 64}}));

struct FieldCase {
    double value;
    NumberField field;
    int drawn;
    const char* text;
};

class DrawnField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(DrawnField, IsTheFirstCharactersOfTheBlankFilledField) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(drawnText(formatField(c.value, c.field), c.drawn), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DrawnField,
    ::testing::Values(FieldCase{12.0, {5, 0}, 4, "  12"},  // F5.0 without its point
                      FieldCase{25.0, {5, 0}, 5, "  25."}, FieldCase{0.05, {6, 4}, 6, "0.0500"},
                      FieldCase{-0.3, {6, 4}, 6, "-.3000"},
                      FieldCase{-10.0, {6, 1}, 7, " -10.0 "},  // one blank after it
                      FieldCase{25.0, {5, NumberField::kInteger}, 5, "   25"},
                      FieldCase{123456.0, {5, NumberField::kInteger}, 5, "*****"}));

TEST(DesignLine, LabelIsCutOrRightJustifiedInItsOwnField) {
    DesignValues values;
    values.rhoMax = 0.0123;
    values.looks = 4;
    // A 27-character label in A26 loses its final blank; in A28 it gets a leading one.
    EXPECT_EQ(
        designLineText({"4. Discord prob: rho_max = ", 26, &DesignValues::rhoMax, {7, 4}, 33, {}},
                       values),
        "4. Discord prob: rho_max = 0.0123");
    EXPECT_EQ(
        designLineText({"4. Discord prob: rho_max = ", 28, &DesignValues::rhoMax, {6, 4}, 36, {}},
                       values),
        " 4. Discord prob: rho_max = 0.0123  ");
    EXPECT_EQ(designLineText({"8. Number of looks:  K = ",
                              25,
                              &DesignValues::looks,
                              {5, NumberField::kInteger},
                              30,
                              {}},
                             values),
              "8. Number of looks:  K =     4");
}

// Two of the paths' colours were nearly the same red (sets 1 and 2 of two, 218,19,23 and
// 181,38,46 of ten or more): the twelve of the legend lie at least 60 apart in RGB from one
// another and from the boundaries' colours; the thirteenth path takes the first colour again.
TEST(PathColour, TwelveColoursApartFromEachOtherAndTheBoundaries) {
    const auto distance = [](Colour a, Colour b) {
        const auto d = [](int x, int y) { return (x - y) * (x - y); };
        return std::sqrt(
            static_cast<double>(d(a.red, b.red) + d(a.green, b.green) + d(a.blue, b.blue)));
    };
    const std::vector<Colour> boundaries = {plotpen::kMagenta, plotpen::kBlue, plotpen::kCyan,
                                            plotpen::kRed,     kBlack,         kWhite};
    for (int s = 1; s <= 12; ++s) {
        for (int t = s + 1; t <= 12; ++t)
            EXPECT_GE(distance(pathColour(s), pathColour(t)), 60.0) << s << " " << t;
        for (Colour b : boundaries)
            EXPECT_GE(distance(pathColour(s), b), 60.0) << s;
    }
    EXPECT_EQ(pathColour(13), pathColour(1));
    EXPECT_EQ(pathColour(100), pathColour(4));
}

}  // namespace
}  // namespace qalix
