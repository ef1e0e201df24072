// The "Information Times" dialog: where the looks fall, entered as information times or as
// group sizes of a maximum sample size. The texts of its fields are the values of record:
// the coefficient search parses the times as they are displayed.
#pragma once

#include <array>

#include "design/dialog.hpp"
#include "design/program.hpp"
#include "engine/geometry.hpp"

namespace qalix {

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
inline constexpr int kDefaultEntry = 1155;
inline constexpr int kKeepChanges = 1156;
}  // namespace infotimes

// The number of looks the program designs for.
inline constexpr int kMinLooks = 2;
inline constexpr std::string_view kLooksError =
    "The number of looks must be a whole number from 2 to 16.";

// Panel buttons "Enter Information Times" and "Enter Group Sizes".
void BOUNDPARMTR(Program& program, Dialog& panel, int control, CallbackKind kind);
void GETINFTIME(Program& program, Dialog& panel, int control);
// Fills dialog 107 with equally spaced defaults (unless "Keep Changes" is selected).
void INITINFTIME(Program& program, Dialog& dialog, int control, int m, int K);
// "Update Changes": recomputes the dependent columns from the entries.
void UPDATEINFTIME(Program& program, Dialog& dialog, int control, CallbackKind kind);
// "Default Entry" / "Keep Changes": the number of looks may change only with default entry.
void KEEPCHANGE(Program& program, Dialog& dialog, int control, CallbackKind kind);

void attachInfoTimeCallbacks(Program& program);

}  // namespace qalix
