#include "screens/shell/main_menu_screen.h"

#include "print/fonts.h"
#include "screens/app_context.h"
#include "store/startup_settings.h"
#include "widgets/form_parts.h"

#include <QDialog>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ButtonDef {
    QString name;
    QString caption;
};

struct FrameDef {
    QString name;
    QString caption;
    std::vector<ButtonDef> buttons;
    int row, col;
};

const std::vector<FrameDef>& frameDefs() {
    static const std::vector<FrameDef> defs{
        {u"Frame3"_s,
         u"基本情報"_s,
         {{u"マスター登録"_s, u"マスター登録"_s},
          {u"基本登録"_s, u"シフト基本情報登録"_s},
          {u"パタン登録"_s, u"シフトパターン登録"_s},
          {u"作成単"_s, u"作成単位設定"_s},
          {u"日別要員設定"_s, u"日別要員数設定"_s},
          {u"過去登録"_s, u"過去登録"_s}},
         0,
         0},
        {u"Frame4"_s,
         u"職員情報"_s,
         {{u"職員登録"_s, u"職員登録"_s},
          {u"希望勤務"_s, u"希望･休暇登録"_s},
          {u"バックアップ状況"_s, u"バックアップ状況"_s},
          {u"休暇取得状況"_s, u"休暇取得状況"_s},
          {u"職員一覧表"_s, u"職員一覧"_s}},
         0,
         1},
        {u"Frame2"_s,
         u"勤務表"_s,
         {{u"勤務表"_s, u"勤務表作成"_s},
          {u"勤務作チーム"_s, u"チーム別作成"_s},
          {u"勤務表変更"_s, u"勤務表変更"_s},
          {u"勤務変チーム"_s, u"チーム別変更"_s},
          {u"勤務表取消"_s, u"勤務表取消"_s},
          {u"勤務表出力"_s, u"勤務表出力"_s},
          {u"個別勤務表出力"_s, u"個人勤務表出力"_s}},
         0,
         2},
        {u"Frame1"_s,
         u"照会･累計"_s,
         {{u"期間累計"_s, u"期間累計"_s},
          {u"月別累計"_s, u"月別累計照会"_s},
          {u"日別要員照会"_s, u"日別要員照会"_s}},
         1,
         0},
        {u"Frame5"_s,
         u"年度処理"_s,
         {{u"カレンダー"_s, u"カレンダー作成"_s},
          {u"期末削除"_s, u"期末削除"_s},
          {u"再編成"_s, u"再編成"_s}},
         1,
         1},
    };
    return defs;
}

const QString kExit = u"終了"_s;
const QString kDailyInquiry = u"日別要員照会"_s;

// These screens must open without a person preselected by another screen.
bool opensWithoutSelectedStaff(const QString& button) {
    return button == u"希望勤務"_s || button == u"職員一覧表"_s || button == u"職員登録"_s;
}

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent) {
    QPushButton* b = FormParts::button(name, caption, parent);
    b->setFont(QFont(Fonts::pGothic(), 11));
    b->setMinimumSize(190, 34);
    // Return presses the focused button, as Space does, so the menu works from the keyboard.
    b->setAutoDefault(true);
    return b;
}

} // namespace

MainMenuScreen::MainMenuScreen(AppContext& context, std::vector<ScreenEntry> catalog,
                               QWidget* parent)
    : EntryScreen(context, u"メニュー"_s, u"勤務表メニュー"_s, messageTitle(), parent),
      catalog_(std::move(catalog)) {
    buildLayout();
    loadSettings();
    applySettingsToButtons();
    focusFirstButton();
    ctx().openMenuScreen = [this](const QString& button) { return showSingle(button); };
}

MainMenuScreen::~MainMenuScreen() {
    // The screens it opened may outlive the menu; they can no longer reach it.
    ctx().openMenuScreen = nullptr;
}

QString MainMenuScreen::messageTitle() {
    return u"ﾒﾆｭｰ"_s;
}

void MainMenuScreen::buildLayout() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(12);
    for (const FrameDef& f : frameDefs()) {
        auto* frame = new QGroupBox(f.caption, this);
        frame->setObjectName(f.name);
        frame->setFont(QFont(Fonts::gothic(), 11));
        auto* box = new QVBoxLayout(frame);
        box->setSpacing(6);
        for (const ButtonDef& b : f.buttons) {
            QPushButton* button = makeButton(b.name, b.caption, frame);
            box->addWidget(button);
            buttons_[b.name] = button;
            button->setEnabled(entryFor(b.name) != nullptr);
            connect(button, &QPushButton::clicked, this,
                    [this, name = b.name] { onButtonClicked(name); });
        }
        box->addStretch(1);
        grid->addWidget(frame, f.row, f.col, Qt::AlignTop);
    }

    QPushButton* exit = makeButton(kExit, u"終了"_s, this);
    buttons_[kExit] = exit;
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    grid->addWidget(exit, 1, 2, Qt::AlignRight | Qt::AlignBottom);
    grid->setRowStretch(1, 1);
}

void MainMenuScreen::focusFirstButton() {
    for (const FrameDef& f : frameDefs())
        for (const ButtonDef& b : f.buttons)
            if (QPushButton* candidate = button(b.name);
                candidate->isEnabled() && !candidate->isHidden()) {
                candidate->setFocus();
                return;
            }
    button(kExit)->setFocus();
}

void MainMenuScreen::loadSettings() {
    act([this] { informAll(LoadStartupSettings(ctx().db, ctx().settings)); });
}

void MainMenuScreen::applySettingsToButtons() {
    const bool byTeam = ctx().settings.byTeam == 1;
    button(u"勤務表"_s)->setVisible(!byTeam);
    button(u"勤務表変更"_s)->setVisible(!byTeam);
    button(u"勤務作チーム"_s)->setVisible(byTeam);
    button(u"勤務変チーム"_s)->setVisible(byTeam);
    // Without the time display the inquiry answers with its refusal, screen or not; with it,
    // the button needs its screen.
    button(kDailyInquiry)
        ->setEnabled(!ctx().settings.timeDisplay || entryFor(kDailyInquiry) != nullptr);
}

void MainMenuScreen::onButtonClicked(const QString& name) {
    if (opensWithoutSelectedStaff(name)) {
        ctx().selectedStaffNo.clear();
        ctx().selectedStaffName.clear();
    }
    if (name == kDailyInquiry && !ctx().settings.timeDisplay) {
        inform(u"日別要員照会は出来ません、登録内容を確認して下さい。"_s);
        return;
    }
    if (const ScreenEntry* entry = entryFor(name))
        openEntry(*entry);
}

void MainMenuScreen::openEntry(const ScreenEntry& entry) {
    if (entry.modal)
        openModal(entry);
    else
        openModeless(entry);
}

void MainMenuScreen::openModal(const ScreenEntry& entry) {
    QWidget* created = nullptr;
    if (!act([&] { created = entry.create(ctx()); }) || !created)
        return;
    QPointer<QWidget> screen(created);
    // Parented to the menu so it stays above it; deleted here once it has closed.
    screen->setParent(this, screen->windowFlags() | Qt::Window);
    if (auto* dialog = qobject_cast<QDialog*>(screen.data())) {
        dialog->exec();
    } else {
        screen->setAttribute(Qt::WA_DeleteOnClose);
        screen->setWindowModality(Qt::ApplicationModal);
        QEventLoop loop;
        connect(screen.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
        screen->show();
        loop.exec();
    }
    delete screen.data();
    // The modal screens change settings the menu and the other screens read.
    loadSettings();
    applySettingsToButtons();
}

void MainMenuScreen::openModeless(const ScreenEntry& entry) {
    QPointer<QWidget>& slot = open_[entry.button];
    if (!slot) {
        QWidget* created = nullptr;
        if (!act([&] { created = entry.create(ctx()); }) || !created)
            return;
        // A screen outlives the menu (leaving the menu leaves open screens running), so it is
        // a window of its own, deleted when the user closes it.
        created->setWindowFlag(Qt::Window);
        created->setAttribute(Qt::WA_DeleteOnClose);
        slot = created;
    }
    if (slot->isMinimized())
        slot->showNormal();
    else
        slot->show();
    slot->raise();
    slot->activateWindow();
}

QWidget* MainMenuScreen::showSingle(const QString& button) {
    const ScreenEntry* entry = entryFor(button);
    if (!entry || entry->modal)
        return nullptr;
    openModeless(*entry);
    return openScreen(button);
}

const ScreenEntry* MainMenuScreen::entryFor(const QString& button) const {
    for (const ScreenEntry& e : catalog_)
        if (e.button == button)
            return &e;
    return nullptr;
}

QPushButton* MainMenuScreen::button(const QString& name) const {
    return buttons_.at(name);
}

QWidget* MainMenuScreen::openScreen(const QString& button) const {
    const auto it = open_.find(button);
    return it == open_.end() ? nullptr : it->second.data();
}
