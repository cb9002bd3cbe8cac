// Feeds arbitrary text to the INI reader and reads every key it finds back.
// Must never crash or hang.
#include "IniFile.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    ewidor::IniFile ini = ewidor::IniFile::Parse(text);
    (void)ini.GetInt("Katalogi", "Port", 21);
    (void)ini.GetBool("Lokalne", "ZapisWMinutach", false);
    (void)ini.GetString("Katalogi", "KatalogBaz", "");
    ini.Set("Nowa", "Klucz", "wartość");
    ini.RemoveSection("Internet");
    (void)ini.Text();
    return 0;
}
