#include "MonthStates.h"

namespace ewidor {

std::string MonthStates::Label(char state) {
    switch (state) {
    case kOpen: return "Otwarty";
    case kClosed: return "Zamknięty";
    case kArchived: return "Archiwowany";
    default: return "";
    }
}

} // namespace ewidor
