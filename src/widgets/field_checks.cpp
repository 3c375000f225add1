#include "widgets/field_checks.h"

#include "widgets/palette.h"
#include "widgets/prompter.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QWidget>
#include <vector>

FieldChecks::FieldChecks(Prompter& prompter, QString title, QObject* parent)
    : QObject(parent), prompter_(prompter), title_(std::move(title)) {}

FieldChecks::~FieldChecks() {
    for (const auto& [field, check] : focusChecks_)
        field->removeEventFilter(this);
}

void FieldChecks::reset() {
    error_ = false;
    messageSet_ = false;
    pending_.clear();
}

void FieldChecks::setTextColour(QWidget* field, bool ok) {
    QPalette p = field->palette();
    const QColor c = Palette::colour(ok ? Palette::Black : Palette::Red);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    field->setPalette(p);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->setPalette(p);
}

bool FieldChecks::isRed(const QWidget* field) {
    return field->palette().color(QPalette::Text) == Palette::colour(Palette::Red);
}

namespace {

// Whether Tab can stop at `w`: a widget that hands its focus to a proxy (the line edit of a
// combo box) is passed over.
bool isTabStop(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
}

} // namespace

void FieldChecks::moveToHeadOfTabOrder(QWidget* field) {
    // setTabOrder(a, b) moves b to just after a, so the stops ahead of the field are moved
    // behind it, the last one first, keeping their order; the stops after it stay where they
    // are. (Always moving behind the field itself also avoids Qt 6.4 ignoring a move behind
    // the chain's last widget.)
    QWidget* window = field->window();
    std::vector<QWidget*> ahead;
    for (QWidget* w = window->nextInFocusChain(); w && w != window && w != field;
         w = w->nextInFocusChain())
        if (isTabStop(w) && !field->isAncestorOf(w))
            ahead.push_back(w);
    for (auto it = ahead.rbegin(); it != ahead.rend(); ++it)
        QWidget::setTabOrder(field, *it);
}

bool FieldChecks::check(QWidget* field, bool ok, const QString& message) {
    setTextColour(field, ok);
    if (ok)
        return true;
    error_ = true;
    if (!messageSet_) {
        messageSet_ = true;
        pending_ = message;
        moveToHeadOfTabOrder(field);
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
    if (focusChecks_.find(field) == focusChecks_.end())
        connect(field, &QObject::destroyed, this,
                [this](QObject* gone) { focusChecks_.erase(gone); });
    focusChecks_[field] = std::move(check);
    field->installEventFilter(this);
}

bool FieldChecks::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !suspended_) {
        const auto it = focusChecks_.find(watched);
        if (it != focusChecks_.end())
            it->second();
    }
    return QObject::eventFilter(watched, event);
}
