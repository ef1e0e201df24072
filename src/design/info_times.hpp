// The "Information Times" dialog: where the looks fall, entered as information times or as
// group sizes of a maximum sample size. The texts of its fields are the values of record:
// the coefficient search parses the times as they are displayed.
#pragma once

#include <array>

#include "design/context.hpp"
#include "design/info_time_ids.hpp"
#include "ui/dialog.hpp"

namespace qalix {

// The number of looks the program designs for.
inline constexpr int kMinLooks = 2;
inline constexpr std::string_view kLooksError =
    "The number of looks must be a whole number from 2 to 16.";

// Panel buttons "Enter Information Times" and "Enter Group Sizes".
void BOUNDPARMTR(DesignContext& program, Dialog& panel, int control, CallbackKind kind);
void GETINFTIME(DesignContext& program, Dialog& panel, int control);
// Fills dialog 107 with equally spaced defaults (unless "Keep Changes" is selected).
void INITINFTIME(DesignContext& program, Dialog& dialog, int control, int m, int K);
// "Update Changes": recomputes the dependent columns from the entries.
void UPDATEINFTIME(DesignContext& program, Dialog& dialog, int control, CallbackKind kind);
// "Default Entry" / "Keep Changes": the number of looks may change only with default entry.
void KEEPCHANGE(DesignContext& program, Dialog& dialog, int control, CallbackKind kind);

void attachInfoTimeCallbacks(DesignContext& program);

}  // namespace qalix
