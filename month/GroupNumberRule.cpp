#include "GroupNumberRule.h"

#include "PackageNumber.h"

#include <string>

namespace ewidor {

std::optional<Message> GroupNumberRule::Check(int groupNumber) {
    if (PackageNumber::ValidGroup(groupNumber)) return std::nullopt;
    return Message{"Uwaga !", "Grupa pracowników o numerze " + std::to_string(groupNumber) +
                                  " nie może być obsługiwana !\n\n"
                                  "Numery paczek są jednoznaczne tylko dla grup o numerach od 0 do 499.\n"
                                  "Należy nadać grupie numer od 0 do 499."};
}

} // namespace ewidor
