#pragma once

#include <QString>

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

// The real message boxes.
class MessageBoxPrompter final : public Prompter {
public:
    void inform(const QString& title, const QString& text) override;
    void informPlain(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;
    bool askDefaultNo(const QString& title, const QString& text) override;
};
