#include "engine/records/game_record.h"

#include "engine/rules/position_text.h"
#include "engine/rules/translation.h"

#include <cctype>

namespace {

PieceCode turnedCode(PieceCode code) {
    switch (code) {
        case kMan1: return kMan2;
        case kMan2: return kMan1;
        case kKing1: return kKing2;
        case kKing2: return kKing1;
        default: return code;
    }
}

std::string twoDigits(int value) { return std::string(1, char('0' + value / 10 % 10)) + char('0' + value % 10); }

}  // namespace

GameRecord newGameRecord(Side greenSide, const Position& start, std::time_t startTime, const std::string& computer) {
    GameRecord record;
    std::tm local = {};
    localtime_r(&startTime, &local);
    record.event = "draughts3d game";
    record.site = "?";
    record.date =
        std::to_string(local.tm_year + 1900) + '.' + twoDigits(local.tm_mon + 1) + '.' + twoDigits(local.tm_mday);
    record.round = "-";
    const bool playerIsWhite = greenSide == 1;
    record.white = playerIsWhite ? "Player" : computer;
    record.black = playerIsWhite ? computer : "Player";
    record.whiteType = playerIsWhite ? "human" : "program";
    record.blackType = playerIsWhite ? "program" : "human";
    record.greenSide = greenSide;
    record.start = start;
    record.start.continuation = Square{};
    return record;
}

const std::string& computerName(const GameRecord& record) {
    return record.greenSide == 1 ? record.black : record.white;
}

namespace {

struct TerminationWord {
    Termination termination;
    const char* text;
};
// Written in English in every record; marked, as the list of kept games and the
// review show them translated.
constexpr TerminationWord kTerminationWords[] = {
    {Termination::NoMove, N_("No move")},
    {Termination::Repetition, N_("Repetition")},
    {Termination::KingsOnly, N_("Kings only")},
    {Termination::ThreeKings, N_("Three kings against one")},
    {Termination::Balance, N_("Balance unchanged")},
    {Termination::Resignation, N_("Resignation")},
    {Termination::DrawAgreed, N_("Draw agreed")},
};

}  // namespace

bool equalsIgnoringCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

const char* terminationText(Termination termination) {
    for (const TerminationWord& word : kTerminationWords)
        if (word.termination == termination) return word.text;
    return "";
}

Termination parseTermination(const std::string& text) {
    for (const TerminationWord& word : kTerminationWords)
        if (equalsIgnoringCase(text, word.text)) return word.termination;
    return Termination::None;
}

Termination terminationFor(EndReason reason) {
    switch (reason) {
        case EndReason::NoMove: return Termination::NoMove;
        case EndReason::Repetition: return Termination::Repetition;
        case EndReason::KingsOnly: return Termination::KingsOnly;
        case EndReason::ThreeKings: return Termination::ThreeKings;
        case EndReason::Balance: return Termination::Balance;
        case EndReason::None: break;
    }
    return Termination::None;
}

GameResult resultForWinner(const GameRecord& record, Side winner) {
    return winner == record.greenSide ? GameResult::WhiteWins : GameResult::BlackWins;
}

void markAbandoned(GameRecord& record) {
    record.result = GameResult::Unfinished;
    record.termination = N_("Abandoned");
}

const char* resultText(GameResult result) {
    switch (result) {
        case GameResult::WhiteWins: return "1-0";
        case GameResult::BlackWins: return "0-1";
        case GameResult::Draw: return "1/2-1/2";
        case GameResult::BothLost: return "0-0";
        case GameResult::Unfinished: break;
    }
    return "*";
}

Square turnedSquare(Square square) {
    if (!onBoard(square.file, square.rank)) return square;
    return Square{9 - square.file, 9 - square.rank};
}

Position turnedPosition(const Position& position) {
    Position turned;
    for (int f = 1; f <= 8; ++f)
        for (int r = 1; r <= 8; ++r) turned.cells[9 - f][9 - r] = turnedCode(position.cells[f][r]);
    turned.side = otherSide(position.side);
    turned.continuation = turnedSquare(position.continuation);
    return turned;
}

WholeMove turnedMove(const WholeMove& move) {
    WholeMove turned = move;
    for (int i = 0; i < move.squareCount; ++i) turned.squares[i] = turnedSquare(move.squares[i]);
    for (int i = 0; i < move.capturedCount; ++i) {
        turned.captured[i] = turnedSquare(move.captured[i]);
        turned.capturedCodes[i] = turnedCode(move.capturedCodes[i]);
    }
    turned.movingCode = turnedCode(move.movingCode);
    turned.arrivingCode = turnedCode(move.arrivingCode);
    return turned;
}

Position pdnView(const Position& position, Side greenSide) {
    return greenSide == 2 ? turnedPosition(position) : position;
}

WholeMove pdnView(const WholeMove& move, Side greenSide) { return greenSide == 2 ? turnedMove(move) : move; }

int playRecord(const GameRecord& record, std::vector<HistoryRecord>* records, std::vector<Position>* positions) {
    restorePosition(record.start);
    if (positions) positions->push_back(currentPosition());
    int played = 0;
    for (const WholeMove& move : record.moves) {
        HistoryRecord jumps[kMaxWholeMoveJumps];
        const PathPlayed path = playWholeMove(move, jumps);
        if (!path.complete) {
            takeBackWholeMove(jumps, path.jumps);
            break;
        }
        if (records) records->insert(records->end(), jumps, jumps + path.jumps);
        if (positions) positions->push_back(currentPosition());
        ++played;
    }
    return played;
}

std::string fenText(const Position& pdnPosition) {
    std::string text = pdnPosition.side == 1 ? "W" : "B";
    for (Side side = 1; side <= 2; ++side) {
        text += side == 1 ? ":W" : ":B";
        bool first = true;
        for (int f = 1; f <= 8; ++f)
            for (int r = 1; r <= 8; ++r) {
                const PieceCode code = pdnPosition.cells[f][r];
                if (code == kEmpty || sideOf(code) != side) continue;
                if (!first) text += ',';
                first = false;
                if (isKing(code)) text += 'K';
                text += squareName(f, r);
            }
    }
    return text;
}
