#pragma once

#include <QString>

class QMessageBox;
class QWidget;

// Every message box goes through a Prompter, so tests can answer them.
class Prompter {
public:
    virtual ~Prompter() = default;
    // Exclamation icon, OK button.
    virtual void inform(const QString& title, const QString& text) = 0;
    // OK button, no icon: the few messages that carry none.
    virtual void informPlain(const QString& title, const QString& text) = 0;
    // はい / いいえ buttons, no icon. True on はい.
    virtual bool ask(const QString& title, const QString& text) = 0;
    // The same with いいえ as the default button, for a question whose はい cannot be undone.
    virtual bool askDefaultNo(const QString& title, const QString& text) {
        return ask(title, text);
    }
};

// Makes `box` wide enough for the longest line of its text (as far as the screen allows).
// Qt wraps a message wider than about half the screen, and Japanese text may wrap at any
// character, which splits words and figures; the lines a message was written with stay whole.
void KeepMessageLines(QMessageBox& box);

// The real message boxes.
class MessageBoxPrompter final : public Prompter {
public:
    void inform(const QString& title, const QString& text) override;
    void informPlain(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;
    bool askDefaultNo(const QString& title, const QString& text) override;
};
