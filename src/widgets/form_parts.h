#pragma once

#include <QString>
#include <functional>
#include <initializer_list>
#include <optional>

class FieldChecks;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QObject;
class QPushButton;
class QRadioButton;
class QWidget;

// The pieces every entry screen builds its form from. A widget made without a parent is
// adopted by the layout it is added to.
namespace FormParts {

QPushButton* button(const QString& name, const QString& caption, QWidget* parent = nullptr);
QRadioButton* option(const QString& name, const QString& caption, QWidget* parent = nullptr);
QLineEdit* box(const QString& name, QWidget* parent = nullptr);
// Makes `box` exactly as wide as `sample` (the longest text it takes, such as "0000/00/00")
// needs in the box's font, so that neither a larger font cuts the text nor a box stretches.
void fitToText(QLineEdit* box, const QString& sample);

// An editable combo box whose typed text is never added to its list.
QComboBox* pickCombo(const QString& name, QWidget* parent = nullptr);

// Shows no choice and no text.
void clearChoice(QComboBox* combo);

// A caption whose mnemonic and clicks lead to `buddy`.
QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent = nullptr);

// A frame holding mutually exclusive options in a row (or a column).
QGroupBox* optionFrame(const QString& caption, std::initializer_list<QRadioButton*> options,
                       bool vertical = false, QWidget* parent = nullptr);

// The screen's command buttons, right-aligned in a row.
QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons);

// The staff list `LST職員` under its caption, as the left column of `row`.
QListWidget* staffListColumn(QHBoxLayout* row, const QString& caption, int minimumWidth,
                             QWidget* parent);

// Tab moves through `widgets` in the order given.
// Calls `chosen` with the list's item when it is clicked or reached with the arrow keys, so
// the highlighted item is always the chosen one.
void onItemChosen(QListWidget* list, QObject* receiver,
                  const std::function<void(QListWidgetItem*)>& chosen);

void chainTabOrder(std::initializer_list<QWidget*> widgets);

// Closing hides a window, and an editable combo box that loses the focus then may still report
// a choice, or a box its focus-lost check; the window's own destruction moves the focus too.
// The screen skeleton calls this as a screen is destroyed, before its children go, so that
// nothing reaches it any more: its children's signals are cut and its field checks are ended.
void silenceScreen(QWidget* screen);

// Counts, numbers and positions typed by the clerk: whole numbers from 0.
std::optional<int> parseCount(const QString& text);

// A date box that may stay empty: a date typed in it is rewritten in its stored form, anything
// else fails with `message`.
bool checkOptionalDate(FieldChecks& checks, QLineEdit* box, const QString& message);

} // namespace FormParts
