#include "StartProgram.h"

#include "MessageBoxPrompter.h"
#include "Startup.h"
#include "StartupSplash.h"
#include "StartMenuRules.h"
#include "TCzekaj.h"
#include "TDane.h"
#include "TGlowny.h"
#include "UsersStart.h"

#include <QApplication>
#include <QDate>
#include <QTimer>

namespace ewidor {
namespace {

std::chrono::year_month_day today() {
    QDate d = QDate::currentDate();
    return std::chrono::year{d.year()} / std::chrono::month{static_cast<unsigned>(d.month())} /
           std::chrono::day{static_cast<unsigned>(d.day())};
}

// Weights of the long-lived windows whose creation the splash counts; those not
// built yet still count, so the bar fills as the site expects.
constexpr int kWindowsAfterDataModule = 1 + 3 + 2 + 1 + 1 + 2 + 2 + 1;

} // namespace

int StartProgram(QApplication& app, const ProgramOptions& options) {
    QApplication::setApplicationDisplayName(QStringLiteral("System ewidencji czasu pracy"));
    StartupSplash splash;
    splash.show();
    splash.Advance(0);

    Session session;
    session.ProductVersion = session.FileVersion = options.version;
    MessageBoxPrompter prompter(&splash);
    Startup startup(session, prompter);
    auto date = today();
    if (!startup.CreateMainWindowState(options.exeDir, date)) return 1;
    TDane data;
    TGlowny window(session, data, prompter);
    splash.Advance(3);
    if (!startup.CreateDataModule(data)) return 1;
    // The sign-in window's creation reads the users file.
    if (!UsersStart::Load(session, prompter, options.firstUsers, date)) return 1;
    splash.Advance(2);
    prompter.SetWaitIndicator(&window.Wait());
    prompter.SetParent(&window);
    splash.Advance(kWindowsAfterDataModule + 1 + 1);
    splash.close();

    window.show();
    QTimer::singleShot(0, &window, [&] {
        startup.FirstShow(data, date);
        window.ApplyMenuState(StartMenuRules::Evaluate(session));
        window.StartSession();
    });
    return app.exec();
}

} // namespace ewidor
