#pragma once
// Fields derived from reference records on every read (never stored), and the
// digit rule of cost centres.
#include "Record.h"
#include "TDaneGrupy.h"

#include <string>
#include <string_view>

namespace ewidor {

// `Pracownik`: trimmed surname, a blank, first name (33 characters at most).
std::string Pracownik(const xb::Record& kos);
// `Kategoria`: the name of the employee's category, empty when STATUS names none.
std::string Kategoria(const xb::Record& kos, const TDaneGrupy& categories);
// `DNI_URL`: remaining vacation in 8-hour days.
double DniUrl(const xb::Record& kos);
// DNI_URL as the format "##0.#;;0" shows it: one decimal at most, "0" for zero.
std::string DniUrlText(double days);
// `NriNazwa`: cost-centre code + " - " + name (40 characters at most).
std::string NriNazwa(const xb::Record& stakosz);

// Whether an order number may be booked on the cost centre under its digit rule.
bool DigitRuleAllows(const xb::Record& stakosz, std::string_view orderNumber);
bool DigitRuleAllows(bool czyZlec, bool pozaZlec, std::string_view ktoraCyf, std::string_view cyfry,
                     std::string_view orderNumber);

} // namespace ewidor
