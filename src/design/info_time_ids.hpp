// Control identifiers of dialog 107 "Information Times": one field per look and row.
#pragma once

#include <array>

#include "engine/geometry.hpp"

namespace qalix {

inline constexpr int kInfoTimeDialog = 107;

namespace infotimes {
// Fields of look k at index k - 1.
inline constexpr std::array<int, kMaxLooks> kLookNumber = {
    1057, 1059, 1060, 1061, 1062, 1064, 1065, 1066, 1067, 1068, 1069, 1070, 1071, 1072, 1073, 1074};
inline constexpr std::array<int, kMaxLooks> kTime = {
    1075, 1077, 1079, 1080, 1081, 1082, 1083, 1084, 1085, 1086, 1087, 1088, 1089, 1090, 1091, 1092};
inline constexpr std::array<int, kMaxLooks> kGroupNumber = {
    1093, 1094, 1095, 1096, 1097, 1098, 1099, 1100, 1101, 1102, 1103, 1104, 1105, 1106, 1107, 1108};
inline constexpr std::array<int, kMaxLooks> kGroupSize = {
    1110, 1111, 1112, 1113, 1114, 1115, 1116, 1117, 1118, 1119, 1120, 1121, 1122, 1123, 1124, 1125};
inline constexpr std::array<int, kMaxLooks> kCumulative = {
    1127, 1128, 1129, 1130, 1131, 1132, 1133, 1134, 1135, 1136, 1137, 1138, 1139, 1140, 1141, 1142};
inline constexpr int kUpdateChanges = 1154;
// A two-group trial's control and treatment sizes at each look; blank for one sample.
inline constexpr int kLookGroups = 1157;
inline constexpr int kDefaultEntry = 1155;
inline constexpr int kKeepChanges = 1156;
inline constexpr int kOk = 1;
}  // namespace infotimes

}  // namespace qalix
