#include "screens/shell/reorganisation_warning_screen.h"

#include "print/fonts.h"
#include "screens/app_context.h"
#include "store/backup_copy.h"
#include "store/database.h"
#include "store/reorganisation.h"
#include "widgets/busy_cursor.h"
#include "widgets/form_parts.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

ReorganisationWarningScreen::ReorganisationWarningScreen(AppContext& context, QWidget* parent)
    : EntryDialog(context, u"警告"_s, u"警告"_s, Reorganisation::title(), parent),
      backupPath_(Reorganisation::backupPathIn(QFileInfo(context.db.path()).absolutePath())) {
    buildUi();
}

void ReorganisationWarningScreen::buildUi() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(24, 20, 24, 16);
    root->setSpacing(10);
    const QStringList lines{
        u"バックアップの準備は終了していますか？"_s,
        u"準備なしに実行すると今までのデータが失われます。"_s,
        u"処理を続行しますか？"_s,
        u"１．続行するのであれば確定ボタンを押して下さい"_s,
        u"２．準備が出来ていなけれぱ　　　　　　　　　　　　　　　　ＣＡＮＣＥＬボタンを押して下さい"_s,
    };
    for (int i = 0; i < lines.size(); ++i) {
        auto* label = new QLabel(lines[i], this);
        label->setObjectName(u"Label"_s + QString::number(i + 1));
        label->setFont(QFont(Fonts::pGothic(), 12));
        // The last line is wide on purpose: its spaces put ＣＡＮＣＥＬ on a line of its own.
        label->setWordWrap(true);
        label->setMinimumWidth(420);
        if (i != 0) {
            root->addWidget(label);
            continue;
        }
        // The copy the first line asks for can be made right here.
        auto* row = new QHBoxLayout;
        row->addWidget(label, 1);
        QPushButton* backup = FormParts::button(u"バックアップ作成"_s, u"バックアップ作成"_s, this);
        connect(backup, &QPushButton::clicked, this, [this] { makeBackup(); });
        row->addWidget(backup);
        root->addLayout(row);
    }
    root->addStretch(1);

    QPushButton* cancel = FormParts::button(u"CANCEL"_s, u"ＣＡＮＣＥＬ"_s, this);
    QPushButton* ok = FormParts::button(u"確定"_s, u"確定"_s, this);
    root->addLayout(FormParts::buttonRow({cancel, ok}));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, [this] { confirm(); });
    cancel->setFocus();
}

void ReorganisationWarningScreen::makeBackup() {
    const QString shown = QDir::toNativeSeparators(backupPath_);
    const BackupCopy::Check check = BackupCopy::check(ctx().db, backupPath_, true);
    if (check.refusal != BackupCopy::Refusal::None) {
        inform(check.message);
        return;
    }
    if (QFileInfo::exists(backupPath_) &&
        !askDefaultNo(u"%1 は既にあります。上書きしますか"_s.arg(shown)))
        return;
    if (actBusy([this] { BackupCopy::write(ctx().db, backupPath_, true); }))
        inform(u"バックアップ「%1」を作成しました。"_s.arg(shown));
}

void ReorganisationWarningScreen::confirm() {
    if (!ask(Reorganisation::question()))
        return;
    // Busy while tables are rebuilt; each step's question is asked under the normal cursor.
    actBusy([this] {
        const Reorganisation::Dialogue dialogue{
            [this](const QString& question) {
                const NormalCursor normal;
                return ask(question);
            },
            [this](const QString& message) { inform(message); },
        };
        Reorganisation::run(ctx().db, backupPath_, dialogue);
    });
    // Closed however the run ended; the menu then reloads what the new tables hold.
    accept();
}
