#include "widgets/prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

void showWithOk(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::NoButton, QApplication::activeWindow());
    box.addButton(u"OK"_s, QMessageBox::AcceptRole);
    box.exec();
}

bool askWithDefault(const QString& title, const QString& text, bool yesByDefault) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* yes = box.addButton(u"はい"_s, QMessageBox::YesRole);
    QPushButton* no = box.addButton(u"いいえ"_s, QMessageBox::NoRole);
    box.setDefaultButton(yesByDefault ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace

void MessageBoxPrompter::inform(const QString& title, const QString& text) {
    showWithOk(QMessageBox::Warning, title, text);
}

void MessageBoxPrompter::informPlain(const QString& title, const QString& text) {
    showWithOk(QMessageBox::NoIcon, title, text);
}

bool MessageBoxPrompter::ask(const QString& title, const QString& text) {
    return askWithDefault(title, text, true);
}

bool MessageBoxPrompter::askDefaultNo(const QString& title, const QString& text) {
    return askWithDefault(title, text, false);
}
