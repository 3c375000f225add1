#include "print/fonts.h"
#include "screens/app_context.h"
#include "screens/shell/main_menu_screen.h"
#include "store/clock.h"
#include "store/data_folder.h"
#include "store/database.h"
#include "store/db_error.h"
#include "widgets/prompter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// The data folder is the program's own folder (or, installed, the user's data folder) unless
// --data-dir names another, so the database is found whatever the current directory is.
DataFolder dataFolder(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(u"勤務表"_s);
    parser.addHelpOption();
    const QCommandLineOption dataDir(
        u"data-dir"_s,
        u"データフォルダ（省略時はプログラムのフォルダ、インストールした場合は利用者のデータフォルダ）"_s,
        u"DIR"_s);
    parser.addOption(dataDir);
    parser.process(app);
    return DataFolder::find(parser.isSet(dataDir) ? parser.value(dataDir) : QString());
}

// Qt's own dialogs (file pickers, print dialogs) in Japanese when the translation is present.
void installQtTranslation(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), u"qtbase"_s, u"_"_s,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(DataFolder::applicationName());
    QGuiApplication::setDesktopFileName(DataFolder::applicationName());
    QApplication app(argc, argv);
    Fonts::installSubstitutions();
    installQtTranslation(app);
    const DataFolder folder = dataFolder(app);

    std::unique_ptr<Database> db;
    try {
        db = std::make_unique<Database>(Database::pathIn(folder.path),
                                        Database::OpenMode::CreateIfMissing);
    } catch (const DbError& e) {
        QMessageBox::critical(nullptr, u"勤務表メニュー"_s, e.message());
        return 1;
    }

    MessageBoxPrompter prompter;
    // An installed program keeps its data out of sight: say where, the one time it starts
    // a new database there.
    if (folder.inUserData && db->created())
        prompter.inform(u"勤務表メニュー"_s, u"データベース「%1」を作成しました。"_s.arg(
                                                 QDir::toNativeSeparators(db->path())));
    SystemClock clock;
    AppContext ctx{*db, prompter, clock, {}, {}, {}};
    int rc = 0;
    {
        MainMenuScreen menu(ctx);
        menu.show();
        rc = QApplication::exec();
        // The screens closed last are still waiting for deletion and use the context: delete
        // them now, while it exists.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return rc;
}
