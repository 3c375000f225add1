#include "screens/output/totals_inquiry_screen.h"

#include "roster/cumulative_totals.h"
#include "roster/roster_load.h"
#include "screens/app_context.h"
#include "screens/output/preview_print_output.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

TotalsInquiryScreen::TotalsInquiryScreen(AppContext& context, const QString& name,
                                         const QString& caption, const QString& title,
                                         const QString& closeQuestion, Printout printout,
                                         std::unique_ptr<PrintOutput> output, QWidget* parent)
    : EntryScreen(context, name, caption, title, parent), printout_(std::move(printout)),
      output_(std::move(output)), grid_(new FlexGrid(this)) {
    if (!output_)
        output_ = std::make_unique<PreviewPrintOutput>();
    grid_->setObjectName(u"累計"_s);
    setCloseQuestion(closeQuestion, nullptr);
}

void TotalsInquiryScreen::layOut(const std::vector<std::pair<QString, QWidget*>>& boxes,
                                 int width) {
    QPushButton* show = FormParts::button(u"表示"_s, u"照会"_s, this);
    QPushButton* print = FormParts::button(u"印刷"_s, u"印刷"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    auto* top = new QHBoxLayout;
    QList<QWidget*> tabs;
    for (const auto& [caption, box] : boxes) {
        top->addWidget(FormParts::caption(caption, box, this));
        top->addWidget(box);
        tabs << box;
    }
    top->addStretch();
    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(grid_, 1);
    root->addLayout(FormParts::buttonRow({show, print, close}));
    resize(width, 600);
    tabs << show << print << close;
    for (qsizetype i = 1; i < tabs.size(); ++i)
        setTabOrder(tabs[i - 1], tabs[i]);

    connect(show, &QPushButton::clicked, this, [this] { inquire(); });
    connect(print, &QPushButton::clicked, this, [this] { this->print(); });
    connect(close, &QPushButton::clicked, this, [this] { closeAfterQuestion(); });
}

bool TotalsInquiryScreen::count(const TotalsColumns& columns, const std::function<void()>& fill) {
    model_ = RosterModel{};
    RosterQuery query;
    query.purpose = LoadPurpose::Totals;
    query.columns = columns;
    shown_ = false;
    if (!actBusy([&] {
            model_ = LoadRoster(ctx().db, ctx().settings, query);
            fill();
        }))
        return false;
    shown_ = true;
    return true;
}

void TotalsInquiryScreen::print() {
    if (!shown_ && !inquire())
        return;
    bool printed = false;
    act([&] {
        printed = output_->print(this, printout_.document,
                                 [this](Sheet& sheet) { printout_.print(model_, sheet); });
    });
    if (printed)
        inform(printout_.done);
}
