// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup.h"

#include "app/commandline.h"
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

#include <cstdio>

namespace {

void firstStart(SettingsStore &settings)
{
    if (!settings.isFirstStart())
        return;
    const QScreen *screen = QGuiApplication::primaryScreen();
    settings.writeFirstStartDefaults(screen ? screen->size() : QSize(1024, 768));
    // The desktop learns the "Edit in" action and the site file type; failing that is no reason to stop.
    // An installed program has its entry from the package; only a program run from its build folder writes
    // one.
    if (ProgramFolder::isInstalled())
        return;
    const QString icon = ProgramFolder::find(DesktopEntry::applicationId() + QStringLiteral(".svg"));
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (DesktopEntry::install(dataHome, QCoreApplication::applicationFilePath(),
            icon.isEmpty() ? DesktopEntry::applicationId() : icon))
        DesktopEntry::refreshCaches(dataHome, false);
}

} // namespace

int runTagloom(int argc, char **argv)
{
    // Read before any window system is needed, so --help and --version work on a console without a display.
    QStringList given;
    for (int i = 0; i < argc; ++i)
        given.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine::Request request = CommandLine::parse(given);
    if (request.action != CommandLine::Action::Run) {
        std::FILE *out = request.action == CommandLine::Action::Error ? stderr : stdout;
        std::fputs(request.text.toLocal8Bit().constData(), out);
        return CommandLine::exitStatus(request);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(Product::title());
    QApplication::setWindowIcon(Icons::icon(QStringLiteral("tagloom")));

    TQtPrompter prompter;
    SettingsStore settings = SettingsStore::standard();
    const InstallCheck::Result check = InstallCheck::run(ProgramFolder::path(), ProgramFolder::isInstalled());
    if (!check.ok()) {
        prompter.message(InstallCheck::fatalCaption(), InstallCheck::notInstalledText(), PromptButtons::Ok,
            PromptIcon::Stop);
        return 1;
    }
    if (check.treeControlMissing)
        prompter.message(
            Product::caption(), InstallCheck::treeControlText(), PromptButtons::Ok, PromptIcon::Exclamation);
    if (ProgramFolder::isInstalled())
        ProgramFolder::userFolder(QStringLiteral("Common Code"));
    InstallCheck::seedTemplate(settings);
    firstStart(settings);

    auto splash = std::make_unique<TSplashForm>();
    splash->show();
    splash->setProgress(0, QStringLiteral("Starting program"));
    splash->setProgress(2, QStringLiteral("Creating window"));

    TMainForm form(settings);
    form.FormCreate(request.files, splash.get());
    splash.reset();
    form.show();
    return QApplication::exec();
}
