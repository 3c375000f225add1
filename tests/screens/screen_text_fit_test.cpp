#include "print/pdf_file_output.h"
#include "screens/masters/past_entry_screen.h"
#include "screens/masters/request_screen.h"
#include "screens/output/personal_roster_screen.h"
#include "screens/roster/quality_window.h"
#include "screens/roster/roster_creation_screen.h"
#include "screens/screen_catalog.h"
#include "store/demo_workplace.h"
#include "support/screens/cut_off_cells.h"
#include "support/screens/entry_screen_fixture.h"
#include "widgets/prompter.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

// The texts of `root` a clerk cannot read whole: a box narrower than its text, a cell cut off
// with "…", a table or list that needs sideways scrolling, a label that wrapped a line.
QStringList unreadableTexts(const QWidget& root) {
    QStringList out;
    for (const QLineEdit* box : root.findChildren<QLineEdit*>()) {
        QStyleOptionFrame opt;
        opt.initFrom(box);
        opt.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box);
        // Inside the frame a line edit keeps two pixels either side and one for the cursor.
        const int room =
            box->style()->subElementRect(QStyle::SE_LineEditContents, &opt, box).width() - 5;
        if (box->isVisible() && box->fontMetrics().horizontalAdvance(box->text()) > room)
            out << box->objectName() + u": "_s + box->text();
    }
    for (const FlexGrid* grid : root.findChildren<FlexGrid*>())
        for (const QString& cell : grid->isVisible() ? cutOffCells(*grid) : QStringList())
            out << grid->objectName() + u" "_s + cell;
    for (const QAbstractItemView* view : root.findChildren<QAbstractItemView*>()) {
        // Grids may scroll (a month of days), and their cells are checked above.
        if (!view->isVisible() || qobject_cast<const FlexGrid*>(view) ||
            qobject_cast<const FlexGrid*>(view->parentWidget()))
            continue;
        if (view->horizontalScrollBar()->maximum() > 0)
            out << view->objectName() + u": scrolls sideways"_s;
    }
    for (const QLabel* label : root.findChildren<QLabel*>()) {
        const QFontMetrics fm = label->fontMetrics();
        const int lines = static_cast<int>(label->text().count(u'\n')) + 1;
        if (label->isVisible() && label->wordWrap() &&
            fm.boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text()).height() >
                lines * fm.lineSpacing())
            out << label->objectName() + u" wraps: "_s + label->text();
    }
    return out;
}

class ScreenTextFitTest : public EntryScreenFixture {
protected:
    ScreenTextFitTest() {
        LoadDemoWorkplace(tmp.db(), clock); // today 2024/04/01, with requests in April
        LoadStartupSettings(tmp.db(), ctx.settings);
    }
    QWidget* keep(QWidget* w) { return owned.emplace_back(w).get(); }
    QWidget* withStaff(QWidget* screen, const QString& name) {
        auto* list = child<QListWidget>(screen, u"LST職員"_s);
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
        Q_EMIT list->itemClicked(list->currentItem());
        return screen;
    }
    RosterCreationScreen& expandedApril() {
        creation = std::make_unique<RosterCreationScreen>(
            ctx, RosterCreationScreen::Kind::Individual,
            std::make_unique<PdfFileOutput>(outDir.filePath(u"out.pdf"_s)));
        creation->show();
        type(creation.get(), u"表開始日"_s, u"2024/04/01"_s);
        type(creation.get(), u"表終了日"_s, u"2024/04/30"_s);
        click(creation.get(), u"展開"_s);
        return *creation;
    }

    QTemporaryDir outDir;
    std::unique_ptr<RosterCreationScreen> creation;
    std::vector<std::unique_ptr<QWidget>> owned;
};

} // namespace

TEST_F(ScreenTextFitTest, EveryTextShowsWholeAt1600By1000) {
    std::vector<std::pair<QString, std::function<QWidget*()>>> rows;
    for (const ScreenEntry& e : screenCatalog())
        if (!e.modal)
            rows.emplace_back(e.button, [this, e] { return keep(e.create(ctx)); });
    rows.emplace_back(u"希望勤務 of 鈴木"_s,
                      [this] { return withStaff(keep(new RequestScreen(ctx)), u"鈴木 裕子"_s); });
    rows.emplace_back(u"過去登録 with a week"_s, [this] {
        QWidget* w = withStaff(keep(new PastEntryScreen(ctx)), u"鈴木 裕子"_s);
        click(w, u"日付設定"_s);
        return w;
    });
    rows.emplace_back(u"個人勤務"_s, [this] { return keep(new PersonalRosterScreen(ctx)); });
    rows.emplace_back(u"品質"_s, [this] {
        click(&expandedApril(), u"品質"_s);
        return static_cast<QWidget*>(creation->qualityWindow());
    });
    rows.emplace_back(u"改善's message"_s, [this] {
        click(&expandedApril(), u"改善"_s);
        auto* box = new QMessageBox(QMessageBox::Warning, u"改善"_s, prompter.lastText());
        box->setModal(false);
        KeepMessageLines(*box); // as the application's prompter shows it
        return keep(box);
    });

    // The desktop's font and a large one a clerk may choose: a width fixed in pixels or twips
    // cuts the text in one of them.
    const QFont desktop = QApplication::font();
    for (const int points : {desktop.pointSize(), 16}) {
        QFont font = desktop;
        font.setPointSize(points);
        QApplication::setFont(font);
        for (const auto& [name, open] : rows) {
            const std::string row = name.toStdString() + " at " + std::to_string(points) + " pt";
            QWidget* w = open();
            ASSERT_NE(w, nullptr) << row;
            if (!qobject_cast<QMessageBox*>(w))
                w->resize(1600, 1000);
            w->show();
            QCoreApplication::processEvents();
            EXPECT_EQ(unreadableTexts(*w).join(u'\n').toStdString(), "") << row;
            w->close();
        }
        owned.clear();
    }
    QApplication::setFont(desktop);
}
