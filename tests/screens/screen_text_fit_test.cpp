#include "print/pdf_file_output.h"
#include "screens/masters/request_screen.h"
#include "screens/output/past_entry_screen.h"
#include "screens/output/personal_roster_screen.h"
#include "screens/roster/quality_window.h"
#include "screens/roster/roster_creation_screen.h"
#include "screens/screen_catalog.h"
#include "screens/shell/calendar_screen.h"
#include "store/demo_workplace.h"
#include "store/startup_settings.h"
#include "support/screens/cut_off_cells.h"
#include "support/screens/entry_screen_fixture.h"
#include "widgets/prompter.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QTemporaryDir>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

// Every text of `root` that the clerk cannot read whole: a box whose text is wider than its
// inside, a grid or table cell cut off with "…", a table that needs sideways scrolling, and a
// wrapped label that broke a line of its text.
QStringList unreadableTexts(const QWidget& root) {
    QStringList out;
    for (const QLineEdit* box : root.findChildren<QLineEdit*>()) {
        if (!box->isVisible() || box->text().isEmpty())
            continue;
        QStyleOptionFrame opt;
        opt.initFrom(box);
        opt.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box);
        const QRect inside = box->style()->subElementRect(QStyle::SE_LineEditContents, &opt, box);
        const QMargins margins = box->textMargins();
        // Line edits keep two pixels either side of the text and one for the cursor.
        const int room = inside.width() - margins.left() - margins.right() - 2 * 2 - 1;
        if (box->fontMetrics().horizontalAdvance(box->text()) > room)
            out << box->objectName() + u": "_s + box->text();
    }
    for (const FlexGrid* grid : root.findChildren<FlexGrid*>())
        if (grid->isVisible())
            for (const QString& cell : cutOffCells(*grid))
                out << grid->objectName() + u" "_s + cell;
    for (const QTableWidget* table : root.findChildren<QTableWidget*>()) {
        if (!table->isVisible() || qobject_cast<const FlexGrid*>(table))
            continue;
        if (table->horizontalScrollBar()->maximum() > 0)
            out << table->objectName() + u": scrolls sideways"_s;
        // What the view itself asks of a column for its widest cell and its heading.
        for (int c = 0; c < table->columnCount(); ++c)
            if (std::max(static_cast<const QAbstractItemView*>(table)->sizeHintForColumn(c),
                         table->horizontalHeader()->isHidden()
                             ? 0
                             : table->horizontalHeader()->sectionSizeHint(c)) >
                table->columnWidth(c))
                out << u"%1 column %2"_s.arg(table->objectName()).arg(c);
    }
    for (const QListWidget* list : root.findChildren<QListWidget*>())
        if (list->isVisible() && list->horizontalScrollBar()->maximum() > 0)
            out << list->objectName() + u": scrolls sideways"_s;
    for (const QLabel* label : root.findChildren<QLabel*>()) {
        if (!label->isVisible() || !label->wordWrap() || label->text().isEmpty())
            continue;
        const int lines = static_cast<int>(label->text().count(u'\n')) + 1;
        const QRect drawn = label->fontMetrics().boundingRect(
            label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap, label->text());
        if (drawn.height() > lines * label->fontMetrics().lineSpacing())
            out << label->objectName() + u" wraps: "_s + label->text();
    }
    return out;
}

class ScreenTextFitTest : public EntryScreenFixture {
protected:
    ScreenTextFitTest() {
        // Today 2024/04/01: the demo holds March registered and requests in April.
        LoadDemoWorkplace(tmp.db(), clock);
        LoadStartupSettings(tmp.db(), ctx.settings);
    }

    void chooseFirstStaff(QWidget* screen) {
        auto* list = child<QListWidget>(screen, u"LST職員"_s);
        ASSERT_GT(list->count(), 0);
        list->setCurrentRow(0);
        Q_EMIT list->itemClicked(list->item(0));
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
    struct Row {
        QString name;
        std::function<QWidget*()> open; // the window, filled as a clerk would see it
    };
    const auto keep = [this](QWidget* w) {
        owned.emplace_back(w);
        return w;
    };
    std::vector<Row> rows;
    for (const ScreenEntry& e : screenCatalog())
        if (!e.modal)
            rows.push_back({e.button, [this, e, keep] { return keep(e.create(ctx)); }});
    rows.push_back({u"希望勤務 with requests"_s, [this, keep] {
                        QWidget* w = keep(new RequestScreen(ctx));
                        chooseFirstStaff(w);
                        return w;
                    }});
    rows.push_back({u"過去登録 with a week"_s, [this, keep] {
                        QWidget* w = keep(new PastEntryScreen(ctx));
                        chooseFirstStaff(w);
                        click(w, u"日付設定"_s);
                        return w;
                    }});
    rows.push_back({u"個人勤務"_s, [this, keep] { return keep(new PersonalRosterScreen(ctx)); }});
    rows.push_back({u"品質"_s, [this] {
                        RosterCreationScreen& s = expandedApril();
                        click(&s, u"品質"_s);
                        return static_cast<QWidget*>(s.qualityWindow());
                    }});
    rows.push_back({u"改善"_s, [this, keep] {
                        RosterCreationScreen& s = expandedApril();
                        prompter.clear();
                        click(&s, u"改善"_s);
                        // The message as the application's prompter shows it.
                        auto* box = new QMessageBox(QMessageBox::Warning, s.windowTitle(),
                                                    prompter.lastText(), QMessageBox::Ok);
                        box->setModal(false);
                        KeepMessageLines(*box);
                        return keep(box);
                    }});

    // The desktop's font, and a large one a clerk may have chosen: widths fixed in pixels or
    // twips cut the text in one of them.
    const QFont desktop = QApplication::font();
    QFont large = desktop;
    large.setPointSize(16);
    for (const QFont& font : {desktop, large}) {
        QApplication::setFont(font);
        for (const Row& row : rows) {
            const std::string name =
                row.name.toStdString() + " at " + std::to_string(font.pointSize()) + " pt";
            QWidget* w = row.open();
            ASSERT_NE(w, nullptr) << name;
            if (!qobject_cast<QMessageBox*>(w))
                w->resize(1600, 1000);
            w->show();
            QCoreApplication::processEvents();
            EXPECT_EQ(unreadableTexts(*w).join(u'\n').toStdString(), "") << name;
            w->close();
        }
        owned.clear();
        creation.reset();
    }
    QApplication::setFont(desktop);
}
