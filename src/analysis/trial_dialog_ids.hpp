// Control identifiers of dialog 151 "Analyse Trial": a row per look, then the confidence, the
// imported record whose looks are taken, the buttons and the analysis as text.
#pragma once

#include <array>

#include "engine/geometry.hpp"

namespace qalix {

inline constexpr int kTrialDialog = 151;

namespace trialdialog {
// What a look is on the design's scale, and the heading of the n or t column of each half.
inline constexpr int kScaleLabel = 1511;
inline constexpr int kLeftHeadingLabel = 1512;
inline constexpr int kRightHeadingLabel = 1513;
// Fields of look k at index k - 1: n (or t), what the value is, the value, and an sd.
inline constexpr std::array<int, kMaxLooks> kInformationEdit = {
    1521, 1522, 1523, 1524, 1525, 1526, 1527, 1528, 1529, 1530, 1531, 1532, 1533, 1534, 1535, 1536};
inline constexpr std::array<int, kMaxLooks> kKindCombo = {
    1541, 1542, 1543, 1544, 1545, 1546, 1547, 1548, 1549, 1550, 1551, 1552, 1553, 1554, 1555, 1556};
inline constexpr std::array<int, kMaxLooks> kValueEdit = {
    1561, 1562, 1563, 1564, 1565, 1566, 1567, 1568, 1569, 1570, 1571, 1572, 1573, 1574, 1575, 1576};
inline constexpr std::array<int, kMaxLooks> kSdEdit = {
    1581, 1582, 1583, 1584, 1585, 1586, 1587, 1588, 1589, 1590, 1591, 1592, 1593, 1594, 1595, 1596};
inline constexpr int kConfidenceEdit = 1601;
inline constexpr int kRecordEdit = 1602;
inline constexpr int kTakeLooks = 1603;
inline constexpr int kAnalyse = 1604;
inline constexpr int kCopyCommand = 1605;
inline constexpr int kResultEdit = 1606;
inline constexpr int kClose = 2;
}  // namespace trialdialog

}  // namespace qalix
