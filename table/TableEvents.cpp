#include "table/TableEvents.h"

namespace table {

std::string refusalText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::NotSeated:
        return "คุณไม่ได้นั่งที่นี่";
    case Refusal::NotYourTurn:
        return "ยังไม่ถึงตาของคุณ";
    case Refusal::NotOnOffer:
        return "ตอนนี้ทำอย่างนั้นไม่ได้";
    case Refusal::GameOver:
        return "เงินของคุณหมดแล้ว";
    }
    return {};
}

bool isPaced(const Event &event)
{
    return std::holds_alternative<CardOut>(event) || std::holds_alternative<OutcomeShown>(event);
}

} // namespace table
