#include "widgets/prompter.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

void KeepMessageLines(QMessageBox& box) {
    auto* label = box.findChild<QLabel*>(u"qt_msgbox_label"_s);
    if (!label)
        return;
    int widest = 0;
    for (const QString& line : box.text().split(u'\n'))
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    // The label's own margins and a pixel of rounding; never wider than the screen leaves room
    // for the icon and the frame.
    const QScreen* screen = box.screen();
    const int room = screen ? screen->availableGeometry().width() - 120 : widest + 4;
    label->setMinimumWidth(std::min(widest + 4, room));
}

namespace {

void showWithOk(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::NoButton, QApplication::activeWindow());
    box.addButton(u"OK"_s, QMessageBox::AcceptRole);
    KeepMessageLines(box);
    box.exec();
}

bool askWithDefault(const QString& title, const QString& text, bool yesByDefault) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* yes = box.addButton(u"はい"_s, QMessageBox::YesRole);
    QPushButton* no = box.addButton(u"いいえ"_s, QMessageBox::NoRole);
    box.setDefaultButton(yesByDefault ? yes : no);
    box.setEscapeButton(no);
    KeepMessageLines(box);
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
