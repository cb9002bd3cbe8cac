#include "MainMenu.h"

#include <stdexcept>

namespace ewidor {
namespace {

MenuItem leaf(std::string name, std::string caption, std::string hint) {
    return {std::move(name), std::move(caption), std::move(hint), {}};
}

MenuItem sub(std::string name, std::string caption, std::string hint, std::vector<MenuItem> children) {
    return {std::move(name), std::move(caption), std::move(hint), std::move(children)};
}

// The four ways of sending; `prefix` keeps the names of the three sending menus apart.
std::vector<MenuItem> sending(const std::string& prefix, const std::string& what, const char* ftpCaption) {
    return {
        leaf(prefix + "Lokalna", "siecią &Lokalną", "Wysyłka " + what + " do centrali siecią lokalną"),
        leaf(prefix + "Poczta", "&Pocztą elektron.", "Wysyłka " + what + " do centrali pocztą elektroniczną"),
        leaf(prefix + "Ftp", ftpCaption, "Wysyłka " + what + " do centrali na serwer FTP"),
        leaf(prefix + "Plik", "&Do pliku", "Zapis " + what + " do pliku przekazywanego do centrali"),
    };
}

std::vector<MenuItem> build() {
    return {
        leaf("Wejscie", "w&Ejście", "Wejście do systemu: rejestracja użytkownika"),
        leaf("WyborGrupy", "wybór  &Grupy", "Wybór grupy pracowników"),
        sub("Edycja", "&Edycja", "Edycja danych wybranego miesiąca",
            {leaf("EdycjaKart", "&Dziennych kart pracy", "Wprowadzanie i poprawianie dziennych kart pracy"),
             leaf("EdycjaUrlopow", "&Urlopów", "Rejestr urlopów pracowników grupy"),
             leaf("EdycjaZwolnien", "&Zwolnień lekarskich", "Rejestr zwolnień lekarskich pracowników grupy"),
             leaf("EdycjaKwot", "&Kwot", "Kwoty przypisane pracownikom")}),
        sub("Nadpracowania", "&Nadpracowania", "Ewidencja godzin nadpracowanych do odbioru",
            {leaf("NadprEdycja", "&Edycja", "Rejestr godzin nadpracowanych i czasu wolnego"),
             leaf("NadprDruk", "przegląd i &Druk", "Przegląd i wydruk godzin nadpracowanych"),
             leaf("NadprPodsumowanie", "&Podsumowanie", "Podsumowanie godzin nadpracowanych"),
             sub("NadprWysylka", "&Wysyłka", "Wysyłka godzin nadpracowanych do centrali",
                 sending("NadprWysylka", "godzin nadpracowanych", "na serwer &FTP"))}),
        sub("Premie", "P&remie", "Listy premii i paczki premii",
            {leaf("PremieEdycja", "&Edycja", "Wprowadzanie premii pracowników grupy"),
             leaf("PremiePrzeglad", "&Przegląd", "Przegląd premii"),
             leaf("PremieWydruk", "Wy&druk", "Wydruk listy premii"),
             sub("PremieZamknijOtworz", "&Zamknij / Otwórz", "Zamknięcie lub otwarcie paczki premii",
                 {leaf("PremieZamknij", "&Zamknij", "Zamknięcie paczki premii wybranego miesiąca"),
                  leaf("PremieOtworz", "&Otwórz", "Otwarcie paczki premii wybranego miesiąca")}),
             sub("PremieWysylka", "&Wysyłka", "Wysyłka paczki premii do centrali",
                 sending("PremieWysylka", "paczki premii", "Protokołem &FTP"))}),
        sub("Przeglad", "&Przegląd", "Przegląd danych wybranego miesiąca",
            {leaf("PrzegladKart", "&Dziennych kart pracy", "Przegląd dziennych kart pracy"),
             leaf("PrzegladMiesiecznych", "&Miesięcznych kart pracy", "Przegląd miesięcznych kart pracy"),
             leaf("PrzegladUrlopow", "&Urlopów", "Przegląd urlopów"),
             leaf("PrzegladZwolnien", "&Zwolnień lekarskich", "Przegląd zwolnień lekarskich"),
             leaf("PrzegladKwot", "&Kwot", "Przegląd kwot"),
             leaf("PrzegladSum", "&Sumy dziennych kart pracy", "Sumy dziennych kart pracy za okres")}),
        sub("Wydruki", "wy&Druki", "Wydruki",
            {leaf("DrukMiesiecznych", "&Miesięcznych kart pracy", "Wydruk miesięcznych kart pracy"),
             leaf("DrukKart", "&Dziennych kart pracy", "Wydruk dziennych kart pracy"),
             sub("DrukObciazen", "&Obciążeń zleceń i stan. kosztów", "Wydruk obciążeń zleceń i stanowisk kosztów",
                 {leaf("DrukObciazenOgolny", "Ogólny", "Zestawienie ogólne obciążeń"),
                  leaf("DrukObciazenSzczegolowy", "Szczegółowy", "Zestawienie szczegółowe obciążeń")}),
             leaf("DrukUrlopow", "&Urlopów", "Wydruk urlopów"),
             leaf("DrukZwolnien", "Z&wolnień lekarskich", "Wydruk zwolnień lekarskich"),
             leaf("DrukHarmonogramow", "&Harmonogramów", "Wydruk harmonogramów czasu pracy"),
             leaf("DrukSpisPracownikow", "&Spis pracowników", "Wydruk spisu pracowników grupy"),
             leaf("DrukStanUrlopow", "S&tan urlopów", "Wydruk stanu urlopów"),
             leaf("DrukSpisZlecen", "Spis &zleceń", "Wydruk spisu zleceń"),
             leaf("DrukKwot", "&Kwot", "Wydruk kwot"),
             leaf("DrukDiagramow", "Dia&gramów", "Wydruk diagramów")}),
        sub("Miesiac", "&Miesiąc", "Zamykanie i otwieranie miesiąca",
            {sub("UrlopyIZwolnienia", "&Urlopy i zwolnienia", "Paczki urlopów i zwolnień lekarskich",
                 {leaf("UrlopyZamknij", "&Zamknij", "Zamknięcie paczek urlopów i zwolnień"),
                  leaf("UrlopyOtworz", "&Otwórz", "Otwarcie paczek urlopów i zwolnień")}),
             leaf("ZamkniecieMiesiaca", "&Zamknięcie miesiąca", "Zamknięcie wybranego miesiąca"),
             leaf("OtwarcieMiesiaca", "&Otwarcie miesiąca", "Otwarcie zamkniętego miesiąca"),
             leaf("Archiwum", "&Archiwum", "Przeniesienie dziennych kart pracy do archiwum i z archiwum"),
             leaf("NormyCzasuPracy", "&Normy czasu pracy", "Harmonogramy i normy czasu pracy"),
             leaf("Uzupelnij", "&Uzupełnij", "Uzupełnienie pustych dni roboczych")}),
        sub("Wysylka", "&Wysyłka", "Wysyłka paczek do centrali",
            sending("Wysylka", "paczek", "na serwer &FTP")),
        sub("Katalog", "ka&Talog", "Katalogi pracowników i zleceń",
            {leaf("KatalogPracownikow", "&Pracowników", "Katalog pracowników grupy"),
             leaf("KatalogZlecen", "&Zleceń", "Katalog zleceń roku"),
             leaf("UzupelnienieZlecen", "&Uzupełnienie katalogu zleceń", "Przeniesienie zleceń z poprzedniego roku")}),
        sub("System", "&System", "Administracja systemem",
            {leaf("ZmianaHasla", "&Zmiana hasła", "Zmiana hasła użytkownika"),
             sub("KopiowanieZbiorow", "Kopiowanie zbiorów z &Centrali", "Zbiory przygotowane przez centralę",
                 {sub("PobranieZbiorow", "&Pobranie zbiorów", "Pobranie zbiorów z centrali",
                      {leaf("PobranieLokalna", "z sieci &Lokalnej", "Pobranie zbiorów centrali siecią lokalną"),
                       leaf("PobraniePoczta", "ze skrytki &Pocztowej", "Pobranie zbiorów centrali ze skrytki pocztowej"),
                       leaf("PobranieFtp", "z serwera &Ftp", "Pobranie zbiorów centrali z serwera FTP"),
                       leaf("PobraniePlik", "z &Dostarczonego pliku", "Rozpakowanie dostarczonego pliku zbiorów centrali")}),
                  leaf("WczytanieZbiorow", "&Wczytanie zbiorów", "Wczytanie pobranych zbiorów centrali")}),
             leaf("OtwarcieRoku", "&Otwarcie roku", "Założenie katalogu nowego roku"),
             leaf("OtwarcieUrlopow", "Ot&warcie urlopów", "Otwarcie rocznych limitów urlopów"),
             leaf("Renowacja", "&Renowacja systemu", "Odbudowa indeksów i naprawa liczników"),
             leaf("Konfiguracja", "&Konfiguracja systemu", "Ustawienia systemu"),
             sub("Uzytkownicy", "&Użytkownicy", "Użytkownicy systemu",
                 {leaf("Uprawnienia", "&Uprawnienia", "Użytkownicy i ich uprawnienia"),
                  leaf("UzytkownicyWydruk", "&Wydruk", "Wydruk listy użytkowników")}),
             leaf("LogAdministracja", "&Log - administracja", "Przegląd i archiwizacja logu systemu"),
             leaf("Aktualizacja", "&Aktualizacja", "Pobranie nowej wersji programu")}),
        leaf("KoniecPracy", "&Koniec pracy", "Zakończenie pracy z systemem"),
        sub("Pomoc", "Pomoc", "Pomoc",
            {leaf("ZawartoscPomocy", "&Zawartość pomocy", "Spis treści pomocy"),
             leaf("KorzystaniePomocy", "Korzystanie z &Pomocy", "Jak korzystać z pomocy"),
             leaf("Informacje", "&Informacje", "Informacje o programie")}),
    };
}

const MenuItem* findIn(const std::vector<MenuItem>& items, std::string_view name) {
    for (const auto& item : items) {
        if (item.name == name) return &item;
        if (const MenuItem* found = findIn(item.children, name)) return found;
    }
    return nullptr;
}

} // namespace

const std::vector<MenuItem>& MainMenu::Items() {
    static const std::vector<MenuItem> items = build();
    return items;
}

const MenuItem& MainMenu::Find(std::string_view name) {
    if (const MenuItem* found = findIn(Items(), name)) return *found;
    throw std::out_of_range("MainMenu: no item " + std::string(name));
}

std::string MainMenu::PlainCaption(std::string_view caption) {
    std::string out;
    for (char c : caption)
        if (c != '&') out += c;
    return out;
}

} // namespace ewidor
