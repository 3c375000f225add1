#include "widgets/prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

void MessageBoxPrompter::inform(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.addButton(u"OK"_s, QMessageBox::AcceptRole);
    box.exec();
}

bool MessageBoxPrompter::ask(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* yes = box.addButton(u"はい"_s, QMessageBox::YesRole);
    QPushButton* no = box.addButton(u"いいえ"_s, QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}
