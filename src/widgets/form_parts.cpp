#include "widgets/form_parts.h"

#include "store/text_values.h"
#include "widgets/field_checks.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>
#include <QWidget>

namespace FormParts {

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // Return presses the focused button, as Space does, on a screen as in a dialog (where
    // buttons do so already), so a clerk can tab to 照会 or 印刷 and press Return.
    b->setAutoDefault(true);
    return b;
}

QRadioButton* option(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QRadioButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QLineEdit* box(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

void fitToText(QLineEdit* box, const QString& sample) {
    QStyleOptionFrame opt;
    opt.initFrom(box);
    opt.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box);
    const QMargins margins = box->textMargins();
    // A line edit keeps two pixels either side of its text and one for the cursor.
    const int text =
        box->fontMetrics().horizontalAdvance(sample) + 2 * 2 + 1 + margins.left() + margins.right();
    const QSize size = box->style()->sizeFromContents(
        QStyle::CT_LineEdit, &opt, QSize(text, box->fontMetrics().height()), box);
    box->setFixedWidth(size.width());
}

QComboBox* pickCombo(const QString& name, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

void clearChoice(QComboBox* combo) {
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
}

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

QGroupBox* optionFrame(const QString& caption, std::initializer_list<QRadioButton*> options,
                       bool vertical, QWidget* parent) {
    auto* g = new QGroupBox(caption, parent);
    QBoxLayout* l = vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(g))
                             : static_cast<QBoxLayout*>(new QHBoxLayout(g));
    for (QRadioButton* b : options)
        l->addWidget(b);
    l->addStretch();
    return g;
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons)
        row->addWidget(b);
    return row;
}

void onItemChosen(QListWidget* list, QObject* receiver,
                  const std::function<void(QListWidgetItem*)>& chosen) {
    QObject::connect(list, &QListWidget::itemClicked, receiver, chosen);
    QObject::connect(list, &QListWidget::itemSelectionChanged, receiver, [list, chosen] {
        if (QListWidgetItem* item = list->currentItem(); item && item->isSelected())
            chosen(item);
    });
}

void chainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void silenceScreen(QWidget* screen) {
    qDeleteAll(screen->findChildren<FieldChecks*>());
    for (QObject* child : screen->findChildren<QObject*>())
        QObject::disconnect(child, nullptr, screen, nullptr);
}

std::optional<int> parseCount(const QString& text) {
    const auto n = TextValues::parseSmallInt(text);
    if (!n || *n < 0)
        return std::nullopt;
    return n;
}

bool checkOptionalDate(FieldChecks& checks, QLineEdit* box, const QString& message) {
    if (box->text().isEmpty())
        return checks.check(box, true, message);
    const auto date = TextValues::normaliseDate(box->text());
    if (date)
        box->setText(*date);
    return checks.check(box, date.has_value(), message);
}

QListWidget* staffListColumn(QHBoxLayout* row, const QString& caption, int minimumWidth,
                             QWidget* parent) {
    auto* column = new QVBoxLayout;
    column->addWidget(new QLabel(caption, parent));
    auto* list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("LST職員"));
    list->setMinimumWidth(minimumWidth);
    column->addWidget(list, 1);
    row->addLayout(column);
    return list;
}

} // namespace FormParts
