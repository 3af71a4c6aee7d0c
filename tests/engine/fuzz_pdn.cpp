// libFuzzer entry for the PDN reader: any bytes at all must give whole games or
// reasons, leave the live game as it was, game 1 read alone must be the first
// of all, and every game read whole must write and read back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/records/pdn_read.h"
#include "engine/records/pdn_write.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const Position before = currentPosition();
    const PdnFile file = readPdnText(bytes);
    if (currentPosition() != before || file.games.empty() == file.error.empty()) std::abort();
    // Game 1 read alone is the file's first game, the others counted.
    const PdnFileGame first = readPdnGame(bytes, 1);
    if (first.gameCount != static_cast<int>(file.games.size()) || first.found == file.games.empty() ||
        (first.found && (first.game.ok != file.games[0].ok || first.game.error != file.games[0].error)))
        std::abort();
    for (const PdnGame& game : file.games) {
        if (!game.ok) {
            if (game.error.empty() || game.errorLine < 1) std::abort();
            continue;
        }
        const std::string text = pdnText(game.record);
        const PdnFile again = readPdnText(text);
        if (again.games.size() != 1 || !again.games[0].ok || pdnText(again.games[0].record) != text ||
            again.games[0].finalPosition != game.finalPosition)
            std::abort();
    }
    return 0;
}
