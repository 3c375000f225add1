#include "print/fonts.h"
#include "screens/app_context.h"
#include "screens/shell/main_menu_screen.h"
#include "store/clock.h"
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

// The data folder is the program's own folder unless --data-dir names another, so the
// database is found whatever the current directory is.
QString dataDirectory(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(u"勤務表"_s);
    parser.addHelpOption();
    const QCommandLineOption dataDir(u"data-dir"_s,
                                     u"データフォルダ（省略時はプログラムのフォルダ）"_s, u"DIR"_s);
    parser.addOption(dataDir);
    parser.process(app);
    if (parser.isSet(dataDir))
        return QDir(parser.value(dataDir)).absolutePath();
    return QCoreApplication::applicationDirPath();
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
    QApplication app(argc, argv);
    Fonts::installSubstitutions();
    installQtTranslation(app);
    const QString dir = dataDirectory(app);

    std::unique_ptr<Database> db;
    try {
        db = std::make_unique<Database>(Database::pathIn(dir), Database::OpenMode::CreateIfMissing);
    } catch (const DbError& e) {
        QMessageBox::critical(nullptr, u"勤務表メニュー"_s, e.message());
        return 1;
    }

    MessageBoxPrompter prompter;
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
