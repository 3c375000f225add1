#include "widgets/field_checks.h"

#include "widgets/palette.h"
#include "widgets/prompter.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QWidget>

FieldChecks::FieldChecks(Prompter& prompter, QString title, QObject* parent)
    : QObject(parent), prompter_(prompter), title_(std::move(title)) {}

void FieldChecks::reset() {
    error_ = false;
    messageSet_ = false;
    pending_.clear();
}

void FieldChecks::setTextColour(QWidget* field, bool ok) {
    QPalette p = field->palette();
    const QColor c = Palette::colour(ok ? 0 : 12);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    field->setPalette(p);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->setPalette(p);
}

bool FieldChecks::isRed(const QWidget* field) {
    return field->palette().color(QPalette::Text) == Palette::colour(12);
}

bool FieldChecks::check(QWidget* field, bool ok, const QString& message) {
    setTextColour(field, ok);
    if (ok)
        return true;
    error_ = true;
    if (!messageSet_) {
        messageSet_ = true;
        pending_ = message;
        // Head of the tab order: the field comes before the window's current first stop.
        QWidget* window = field->window();
        QWidget* first = window->nextInFocusChain();
        while (first && first != window && !(first->focusPolicy() & Qt::TabFocus))
            first = first->nextInFocusChain();
        if (first && first != field && first != window)
            QWidget::setTabOrder(field, first);
        field->setFocus(Qt::OtherFocusReason);
    }
    return false;
}

bool FieldChecks::reportIfFailed() {
    if (!error_)
        return false;
    prompter_.inform(title_, pending_);
    return true;
}

void FieldChecks::onFocusLost(QWidget* field, std::function<void()> check) {
    focusChecks_[field] = std::move(check);
    field->installEventFilter(this);
}

bool FieldChecks::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const auto it = focusChecks_.find(watched);
        if (it != focusChecks_.end())
            it->second();
    }
    return QObject::eventFilter(watched, event);
}
