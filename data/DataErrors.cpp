#include "DataErrors.h"

namespace ewidor {
namespace {
std::string withNumber(const xb::Error& error) {
    return std::string(error.what()) + "\n  Błąd numer " + std::to_string(error.number());
}
} // namespace

Message EditErrorMessage(const xb::Error& error) {
    if (error.code() == xb::ErrorCode::RecordLocked)
        return {"Konflikt sieciowy !", "     Operacja chwilowo niemożliwa !!\n"
                                       "Ta karta jest edytowana przez innego użytkownika !\n\n"
                                       "    Proszę spróbować za chwilę ..."};
    return {"Błąd edycji !", withNumber(error)};
}

Message PostErrorMessage(const xb::Error& error) { return {"Błąd zapisu !", withNumber(error)}; }

} // namespace ewidor
