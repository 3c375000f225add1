#include "screens/masters/code_master_screen.h"

#include "screens/app_context.h"
#include "store/list_services.h"
#include "store/masters/code_store.h"
#include "store/masters/shift_order.h"
#include "store/records/code_entry.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/flex_grid.h"
#include "widgets/form_parts.h"
#include "widgets/palette.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kTitle = u"ｺｰﾄﾞﾏｽﾀｰ情報"_s;
const QString kNotRegistered = u"指定された名称は登録されていません。"_s;

struct KindOption {
    int kind;
    QString name;
    QString caption;
};

const std::array<KindOption, 10>& kindOptions() {
    using namespace CodeKind;
    static const std::array<KindOption, 10> options{{
        {StaffCategory, u"社員区分"_s, u"社員区分"_s},
        {Sex, u"性別"_s, u"性別"_s},
        {FixedShifts, u"シフト有無"_s, u"シフト無"_s},
        {RetentionYears, u"保持年数"_s, u"保持年数"_s},
        {Team, u"チーム名"_s, u"チーム名"_s},
        {TimeDisplay, u"時間表示"_s, u"時間表示"_s},
        {ReplacementOrder, u"置換順"_s, u"シフト置換順"_s},
        {ReferenceShift, u"設定基準"_s, u"設定基準シフト"_s},
        {FiscalYearStart, u"年度開始日"_s, u"年度開始日"_s},
        {RestInterval, u"間隔"_s, u"休日間隔"_s},
    }};
    return options;
}

// Kinds whose abbreviation is a working shift's abbreviation, picked from the combo.
bool takesShiftAbbrev(int kind) {
    return kind == CodeKind::FixedShifts || kind == CodeKind::ReplacementOrder ||
           kind == CodeKind::ReferenceShift;
}

} // namespace

CodeMasterScreen::CodeMasterScreen(AppContext& context, QWidget* parent)
    : EntryDialog(context, u"マスター登"_s, u"マスター登録"_s, kTitle, parent) {
    buildLayout();

    checks().reset();
    checks().onFocusLost(numberBox_, [this] { checkNumber(); });
    checks().onFocusLost(nameBox_, [this] { checkName(); });
    checks().onFocusLost(abbrevBox_, [this] { checkAbbrev(); });

    act([this] {
        kindOptions_.front()->setChecked(true);
        chooseKind(CodeKind::StaffCategory);
        fillShiftCombo();
    });
}

void CodeMasterScreen::buildLayout() {
    auto* frame = new QGroupBox(u"マスター種類"_s);
    frame->setObjectName(u"Frame1"_s);
    auto* frameLayout = new QVBoxLayout(frame);
    for (const KindOption& option : kindOptions()) {
        auto* radio = new QRadioButton(option.caption);
        radio->setObjectName(option.name);
        const int kind = option.kind;
        connect(radio, &QRadioButton::clicked, this,
                [this, kind] { act([this, kind] { chooseKind(kind); }); });
        frameLayout->addWidget(radio);
        kindOptions_.push_back(radio);
    }
    frameLayout->addStretch();

    grid_ = new FlexGrid;
    grid_->setObjectName(u"マスタ一"_s);
    grid_->setMinimumSize(380, 260);
    auto pickCell = [this](int row, int col) { act([&] { onGridClicked(row, col); }); };
    connect(grid_, &FlexGrid::cellClickedAt, this, pickCell);
    grid_->installEventFilter(this);

    numberBox_ = FormParts::box(u"登録NO"_s);
    numberBox_->setMaximumWidth(80);
    nameBox_ = FormParts::box(u"登録名称"_s);
    abbrevBox_ = FormParts::box(u"登録略称"_s);
    abbrevBox_->setMaximumWidth(160);
    shiftCombo_ = new QComboBox;
    shiftCombo_->setObjectName(u"シフト略称"_s);
    shiftCombo_->setMinimumWidth(100);
    shiftComboLabel_ = FormParts::caption(u"シフト略称"_s, shiftCombo_);
    shiftComboLabel_->setObjectName(u"Labelシフト略称"_s);
    connect(shiftCombo_, &QComboBox::activated, this,
            [this](int index) { act([&] { onShiftPicked(index); }); });

    auto* entry = new QGridLayout;
    entry->addWidget(FormParts::caption(u"登録NO"_s, numberBox_), 0, 0);
    entry->addWidget(numberBox_, 0, 1, Qt::AlignLeft);
    entry->addWidget(FormParts::caption(u"登録名称"_s, nameBox_), 1, 0);
    entry->addWidget(nameBox_, 1, 1, 1, 3);
    entry->addWidget(FormParts::caption(u"登録略称"_s, abbrevBox_), 2, 0);
    entry->addWidget(abbrevBox_, 2, 1, Qt::AlignLeft);
    entry->addWidget(shiftComboLabel_, 2, 2, Qt::AlignRight);
    entry->addWidget(shiftCombo_, 2, 3);
    entry->setColumnStretch(1, 1);

    auto* update = FormParts::button(u"更新"_s, u"確定"_s);
    auto* remove = FormParts::button(u"削除"_s, u"削除"_s);
    auto* close = FormParts::button(u"終了"_s, u"終了"_s);
    for (QPushButton* b : {update, remove, close})
        b->setAutoDefault(false);
    connect(update, &QPushButton::clicked, this, &CodeMasterScreen::onUpdateClicked);
    connect(remove, &QPushButton::clicked, this, &CodeMasterScreen::onDeleteClicked);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    QHBoxLayout* buttons = FormParts::buttonRow({update, remove, close});

    auto* right = new QVBoxLayout;
    right->addWidget(FormParts::caption(u"マスター一覧"_s, grid_));
    right->addWidget(grid_, 1);
    right->addLayout(entry);

    auto* top = new QHBoxLayout;
    top->addWidget(frame);
    top->addLayout(right, 1);

    auto* root = new QVBoxLayout(this);
    root->addLayout(top, 1);
    root->addLayout(buttons);

    FormParts::chainTabOrder(
        {numberBox_, nameBox_, abbrevBox_, shiftCombo_, update, remove, close});
    resize(640, 460);
}

// Enter on the grid's current cell picks it as a click does.
bool CodeMasterScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && grid_->currentRow() >= 0) {
            const int row = grid_->currentRow(), col = grid_->currentColumn();
            act([&] { onGridClicked(row, col); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CodeMasterScreen::fillShiftCombo() {
    shiftCombo_->clear();
    shiftCombo_->addItems(ShiftOrder::workingAbbrevs(ctx().db));
    shiftCombo_->setCurrentIndex(-1);
}

void CodeMasterScreen::chooseKind(int kind) {
    for (QLineEdit* box : {numberBox_, abbrevBox_, nameBox_}) {
        box->clear();
        FieldChecks::setTextColour(box, true);
    }
    kind_ = kind;
    listKind();
}

void CodeMasterScreen::listKind() {
    grid_->clearGrid();
    grid_->setRows(1);
    grid_->setCols(4);
    grid_->setFixedRows(1);
    grid_->setFixedCols(0);
    const std::array<QString, 4> headings{u"区分"_s, u"NO"_s, u"略称"_s, u"名称"_s};
    const std::array<int, 4> widths{500, 500, 1000, 3000};
    for (int c = 0; c < 4; ++c) {
        grid_->setText(0, c, headings[static_cast<size_t>(c)]);
        grid_->setColWidthTwips(c, widths[static_cast<size_t>(c)]);
    }
    highlightedRow_ = -1;

    const bool showCombo = takesShiftAbbrev(kind_);
    shiftCombo_->setVisible(showCombo);
    shiftComboLabel_->setVisible(showCombo);

    for (const CodeEntry& e : CodeEntry::loadKind(ctx().db, kind_))
        grid_->addItem(u"%1\t%2\t%3\t%4"_s.arg(e.kind).arg(e.no).arg(e.abbrev, e.name));
}

void CodeMasterScreen::onGridClicked(int row, int col) {
    // The heading row is outside the entries just as an empty cell is.
    if (row < grid_->fixedRows() || grid_->text(row, col).isEmpty()) {
        inform(u"指示位置が有効範囲外です。"_s);
        return;
    }
    kind_ = grid_->text(row, 0).toInt();
    const int number = grid_->text(row, 1).toInt();

    if (highlightedRow_ >= grid_->fixedRows() && highlightedRow_ < grid_->rows())
        grid_->paintRow(highlightedRow_, Palette::colour(Palette::White));
    grid_->paintRow(row, Palette::colour(Palette::Green));
    highlightedRow_ = row;

    const auto entry = CodeEntry::load(ctx().db, kind_, number);
    if (!entry) {
        inform(kNotRegistered);
        return;
    }
    numberBox_->setText(QString::number(entry->no));
    nameBox_->setText(entry->name);
    abbrevBox_->setText(entry->abbrev);
    // Stored values are good entries: an earlier failure's red no longer applies.
    for (QLineEdit* box : {numberBox_, nameBox_, abbrevBox_})
        FieldChecks::setTextColour(box, true);
}

void CodeMasterScreen::onShiftPicked(int index) {
    if (index < 0)
        return;
    const QString abbrev = shiftCombo_->itemText(index);
    const ShiftLookup shift = ShiftListService::FindShiftByAbbrev(ctx().db, abbrev);
    abbrevBox_->setText(abbrev);
    nameBox_->setText(shift.name);
}

bool CodeMasterScreen::checkNumber() {
    // A code number counts entries of its kind: never below 0.
    return checks().check(numberBox_, FormParts::parseCount(numberBox_->text()).has_value(),
                          u"登録NOに正しく入力してください"_s);
}

bool CodeMasterScreen::checkName() {
    return checks().check(nameBox_, !nameBox_->text().isEmpty(), u"登録名称に入力してください"_s);
}

bool CodeMasterScreen::checkAbbrev() {
    return checks().check(abbrevBox_, !abbrevBox_->text().isEmpty(),
                          u"登録略称に入力してください"_s);
}

bool CodeMasterScreen::checkAll() {
    checks().reset();
    checkNumber();
    checkName();
    checkAbbrev();
    return !checks().reportIfFailed();
}

void CodeMasterScreen::onUpdateClicked() {
    if (!checkAll())
        return;
    if (!ask(u"入力内容で更新します。"_s))
        return;
    const int number = *FormParts::parseCount(numberBox_->text());
    const QString name = nameBox_->text();
    const QString abbrev = abbrevBox_->text();
    CodeStore::Saved saved{};
    if (!actBusy([&] { saved = CodeStore::save(ctx().db, {kind_, number, name, abbrev}); }))
        return;
    if (saved == CodeStore::Saved::ReplacementOrderFull) {
        inform(u"置換順の登録はMAX 10件までです。"_s);
        return;
    }
    applyTimeDisplay(kind_, number, true, abbrev);
    inform(u"名称は更新(登録)されました。"_s);
    act([this] { listKind(); });
}

void CodeMasterScreen::onDeleteClicked() {
    // A number that is not a number can name no entry: say so before asking to delete it.
    checks().reset();
    checkNumber();
    if (checks().reportIfFailed())
        return;
    if (!ask(u"入力内容を削除します。"_s))
        return;
    const int number = *FormParts::parseCount(numberBox_->text());
    bool removed = false;
    if (!actBusy([&] { removed = CodeStore::remove(ctx().db, kind_, number); }))
        return;
    if (!removed) {
        inform(kNotRegistered);
        return;
    }
    applyTimeDisplay(kind_, number, false, QString());
    inform(u"表示内容は削除されました。"_s);
    act([this] { listKind(); });
}

// The time display follows its setting row at once, as the start-up settings would read it.
void CodeMasterScreen::applyTimeDisplay(int kind, int number, bool stored, const QString& abbrev) {
    if (kind != CodeKind::TimeDisplay || number != CodeKind::SettingNo)
        return;
    ctx().settings.timeDisplay = stored && abbrev == u"有"_s;
}
