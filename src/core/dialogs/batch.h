#pragma once
// The Batch Creator's rules: what each of its three buttons adds to the batch
// list, and the messages that refuse an entry.

#include <string>
#include <string_view>
#include <vector>

#include "dialogs/digit_filter.h"

namespace quill::dialogs::batch {

inline constexpr std::string_view kDelayMessage = "Delay Must Be In Seconds";
inline constexpr std::string_view kNoDelayMessage = "You Must Insert A Batch Delay Before Inserting Maps";
inline constexpr std::string_view kNoDelayTitle = "[Error]";
inline constexpr std::string_view kNoMapMessage = "You Must Enter A Valid Map Name";

// "Add Delay": "batchdelay " and the delay as typed, if it reads as a number.
Outcome addDelay(std::string_view delayText);
// "Add Batch": needs a delay as the list's first entry, then a map name;
// the map name is written as typed, blanks included.
Outcome addBatch(const std::vector<std::string>& list, std::string_view mapName);
// "Batch Move" always adds this line.
std::string batchMove();

}  // namespace quill::dialogs::batch
