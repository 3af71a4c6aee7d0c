#include "app/screens/player_acts.h"

#include "app/screens/advice.h"
#include "engine/rules/translation.h"

void PlayerActs::forget() {
    askedAt = -1;
    offer.clear();
    answer.clear();
}

PlayerAct PlayerActs::readActs(double now, const ActInput& input) {
    PlayerAct act = PlayerAct::None;
    for (int i = 0; i < input.pressCount; ++i) {
        const int key = input.presses[i];
        if (key == kResignKey && asking(now)) {
            askedAt = -1;
            act = PlayerAct::Resign;
        } else if (key == kResignKey) {
            askedAt = now;
            answer.clear();
        } else {
            askedAt = -1;
            if (key == kOfferDrawKey) act = PlayerAct::OfferDraw;
        }
    }
    if (input.clickOnAsking && asking(now)) {
        askedAt = -1;
        act = PlayerAct::Resign;
    } else if (input.clickOnAsking || input.otherClick) {
        askedAt = -1;
    }
    return act;
}

void PlayerActs::drawAnswered(double now, bool accepted) {
    sayAnswer(now, accepted ? tr("The computer accepts: draw agreed") : tr("The computer declines the draw"));
}

void PlayerActs::sayAnswer(double now, const std::string& words) {
    offer.clear();
    answer = words;
    answeredAt = now;
}

void PlayerActs::offerDraw(const std::string& asking) {
    offer = asking;
    answer.clear();
}

bool PlayerActs::asking(double now) const { return askedAt >= 0 && now - askedAt < kResignConfirmSeconds; }

std::string PlayerActs::text(double now) const {
    if (asking(now)) return tr("Press R again (or click here) to resign");
    if (!offer.empty()) return offer;
    if (!answer.empty() && now - answeredAt < kAdviceSeconds) return answer;
    return "";
}
