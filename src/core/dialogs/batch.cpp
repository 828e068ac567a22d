#include "dialogs/batch.h"

namespace quill::dialogs::batch {

Outcome addDelay(std::string_view delayText) {
    if (!readsAsNumber(delayText)) return Outcome::refuse(std::string(kDelayMessage));
    return Outcome::add("batchdelay " + std::string(delayText));
}

Outcome addBatch(const std::vector<std::string>& list, std::string_view mapName) {
    // Only the first entry counts: a delay added after a move does not
    // make maps acceptable.
    const std::string_view first = list.empty() ? std::string_view() : std::string_view(list.front());
    if (first.find("batchdelay") == std::string_view::npos)
        return Outcome::refuse(std::string(kNoDelayMessage), std::string(kNoDelayTitle));
    if (mapName.empty()) return Outcome::refuse(std::string(kNoMapMessage));
    return Outcome::add("addbatch " + std::string(mapName));
}

std::string batchMove() { return "batchmove"; }

}  // namespace quill::dialogs::batch
