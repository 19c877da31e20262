// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup.h"

#include "app/desktopentry.h"
#include "app/installcheck.h"
#include "base/productstrings.h"
#include "base/programfolder.h"
#include "base/settingsstore.h"
#include "base/ui/icons.h"
#include "mainform.h"
#include "qtprompter.h"
#include "splashform.h"

#include <QApplication>
#include <QScreen>
#include <QStandardPaths>

namespace {

void firstStart(SettingsStore &settings)
{
    if (!settings.isFirstStart())
        return;
    const QScreen *screen = QGuiApplication::primaryScreen();
    settings.writeFirstStartDefaults(screen ? screen->size() : QSize(1024, 768));
    // The desktop learns the "Edit in" action and the site file type; failing that is no reason to stop.
    DesktopEntry::install(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
        QCoreApplication::applicationFilePath());
}

} // namespace

int runTagloom(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(Product::title());
    QApplication::setWindowIcon(Icons::icon(QStringLiteral("tagloom")));

    TQtPrompter prompter;
    SettingsStore settings = SettingsStore::standard();
    const InstallCheck::Result check = InstallCheck::run(ProgramFolder::path());
    if (!check.ok()) {
        prompter.message(InstallCheck::fatalCaption(), InstallCheck::notInstalledText(), PromptButtons::Ok,
            PromptIcon::Stop);
        return 1;
    }
    if (check.treeControlMissing)
        prompter.message(
            Product::caption(), InstallCheck::treeControlText(), PromptButtons::Ok, PromptIcon::Exclamation);
    InstallCheck::seedTemplate(settings);
    firstStart(settings);

    auto splash = std::make_unique<TSplashForm>();
    splash->show();
    splash->setProgress(0, QStringLiteral("Starting program"));
    splash->setProgress(2, QStringLiteral("Creating window"));

    TMainForm form(settings);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    form.FormCreate(arguments, splash.get());
    splash.reset();
    form.show();
    return QApplication::exec();
}
