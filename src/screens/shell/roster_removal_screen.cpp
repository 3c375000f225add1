#include "screens/shell/roster_removal_screen.h"

#include "screens/app_context.h"
#include "store/clock.h"
#include "store/database.h"
#include "store/purge_span.h"
#include "store/text_values.h"
#include "widgets/field_checks.h"
#include "widgets/form_parts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

bool isPurge(RosterRemoval::Kind kind) {
    return kind == RosterRemoval::Kind::Purge;
}

const QString kRelation = u"日付の関係を正しく入力してください"_s;

} // namespace

RosterRemovalScreen::RosterRemovalScreen(AppContext& context, Kind kind, QWidget* parent)
    : EntryScreen(context, isPurge(kind) ? u"期末処理"_s : u"勤務取消"_s,
                  isPurge(kind) ? u"期末処理"_s : u"勤務表取消"_s,
                  isPurge(kind) ? u"期末処理"_s : u"勤務表取消"_s, parent),
      kind_(kind) {
    chooseFolder_ = [](QWidget* owner, const QString& start) {
        return QFileDialog::getExistingDirectory(owner, u"CSVファイル"_s, start);
    };
    // A folder that exists: the one chosen last in this run, else the data folder.
    folder_ = QFileInfo(context.csvFolder).isDir() ? context.csvFolder
                                                   : QFileInfo(context.db.path()).absolutePath();
    buildUi();
    folderBox_->setText(QDir::toNativeSeparators(folder_));
    csv_->setChecked(true);
    if (isPurge(kind_))
        proposeSpan();
}

void RosterRemovalScreen::buildUi() {
    auto* root = new QVBoxLayout(this);

    noCsv_ = FormParts::option(u"CSV無"_s, u"CSV無"_s);
    csv_ = FormParts::option(u"CSV有"_s, u"CSV有"_s);
    QGroupBox* choice = FormParts::optionFrame(u"CSV出力"_s, {noCsv_, csv_}, false, this);
    choice->setObjectName(u"Frame1"_s);
    root->addWidget(choice);

    auto* file = new QGroupBox(u"CSVファイル"_s, this);
    file->setObjectName(u"Frame2"_s);
    auto* fileForm = new QGridLayout(file);
    folderBox_ = FormParts::box(u"OUTDir"_s, file);
    folderBox_->setReadOnly(true);
    QPushButton* browse = FormParts::button(u"参照"_s, u"参照..."_s, file);
    fileName_ = FormParts::box(u"出力指定"_s, file);
    fileForm->addWidget(new QLabel(u"出力フォルダ"_s, file), 0, 0);
    fileForm->addWidget(folderBox_, 0, 1);
    fileForm->addWidget(browse, 0, 2);
    fileForm->addWidget(FormParts::caption(u"出力ファイル名"_s, fileName_, file), 1, 0);
    fileForm->addWidget(fileName_, 1, 1, 1, 2);
    root->addWidget(file);

    auto* dates = new QGridLayout;
    start_ = FormParts::box(u"開始日"_s, this);
    end_ = FormParts::box(u"終了日"_s, this);
    dates->addWidget(FormParts::caption(u"取消開始日"_s, start_, this), 0, 0);
    dates->addWidget(start_, 0, 1);
    dates->addWidget(FormParts::caption(u"取消終了日"_s, end_, this), 1, 0);
    dates->addWidget(end_, 1, 1);
    root->addLayout(dates);

    QPushButton* confirm = FormParts::button(u"確定"_s, u"確定"_s, this);
    QPushButton* close = FormParts::button(u"終了"_s, u"終了"_s, this);
    root->addStretch();
    root->addLayout(FormParts::buttonRow({confirm, close}));

    connect(browse, &QPushButton::clicked, this, &RosterRemovalScreen::browse);
    connect(confirm, &QPushButton::clicked, this, &RosterRemovalScreen::confirm);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    checks().onFocusLost(start_, [this] { checkStart(); });
    checks().onFocusLost(end_, [this] { checkEnd(); });

    resize(520, 320);
}

void RosterRemovalScreen::proposeSpan() {
    PurgeSpan span;
    act([&] { span = PurgeSpan::propose(ctx().db, ctx().clock.today()); });
    if (!span.error.isEmpty()) {
        inform(span.error);
        return;
    }
    start_->setText(span.from);
    end_->setText(span.to);
}

void RosterRemovalScreen::browse() {
    const QString chosen = chooseFolder_(this, folder_);
    if (chosen.isEmpty())
        return;
    const QFileInfo info(chosen);
    if (!info.isDir() || !info.isReadable()) {
        informPlain(u"無効なdriveを指定しています"_s);
        return;
    }
    folder_ = info.absoluteFilePath();
    ctx().csvFolder = folder_;
    folderBox_->setText(QDir::toNativeSeparators(folder_));
}

bool RosterRemovalScreen::checkStart() {
    if (start_->text().isEmpty())
        return checks().check(start_, false, u"開始日に入力してください"_s);
    const auto date = TextValues::normaliseDate(start_->text());
    if (date)
        start_->setText(*date);
    return checks().check(start_, date.has_value(), u"開始日に正しく入力してください"_s);
}

bool RosterRemovalScreen::checkEnd() {
    if (end_->text().isEmpty())
        return true; // reported as a wrong relation of the dates
    const auto date = TextValues::normaliseDate(end_->text());
    if (date)
        end_->setText(*date);
    return checks().check(end_, date.has_value(), u"終了日に正しく入力してください"_s);
}

bool RosterRemovalScreen::checkRelation() {
    return checks().check(end_, !end_->text().isEmpty() && start_->text() < end_->text(),
                          kRelation);
}

void RosterRemovalScreen::confirm() {
    checks().reset();
    const bool startOk = checkStart();
    const bool endOk = checkEnd();
    if (startOk && endOk)
        checkRelation();
    if (checks().reportIfFailed())
        return;
    QString path;
    if (csv_->isChecked()) {
        if (fileName_->text().isEmpty()) {
            informPlain(u"出力ファイルを指定して下さい。"_s);
            return;
        }
        path = QDir(folder_).absoluteFilePath(fileName_->text());
        if (const QString problem = ArchiveFile::targetProblem(path, ctx().db.path());
            !problem.isEmpty()) {
            inform(problem);
            return;
        }
    }
    // Replacing a file is asked first, and only a yes replaces it.
    const bool replace = !path.isEmpty() && ArchiveFile::exists(path);
    if (replace &&
        !askDefaultNo(u"%1 は既にあります。上書きしますか"_s.arg(QDir::toNativeSeparators(path))))
        return;
    if (!ask(isPurge(kind_) ? u"期末処理を実行します。"_s : u"勤務表を削除します。"_s))
        return;
    const auto existing = replace ? ArchiveFile::Existing::Replace : ArchiveFile::Existing::Refuse;
    const bool ok = actBusy(
        [&] { RosterRemoval::run(ctx().db, kind_, start_->text(), end_->text(), path, existing); });
    if (ok && isPurge(kind_))
        informPlain(u"期末削除処理は終了しました"_s);
    else if (ok)
        inform(u"勤務表のを削除を終了しました。"_s);
}
