#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class Prompter;

// Runs a screen's user actions and says what they did. A failing action (a DbError or any
// other exception) becomes a message naming what failed instead of ending the program.
//
// A message given while an action runs is held until the action has returned: by then every
// transaction the action opened has committed or rolled back and its busy cursor is gone, so
// the clerk never looks at a message while a write is still open or under the busy cursor.
// Actions may nest; the messages wait for the outermost one.
class ScreenActions final {
public:
    enum class Cursor { Normal, Busy };

    ScreenActions(Prompter& prompter, QString title);

    const QString& title() const { return title_; }

    // Runs `action`, under the busy cursor when asked. Returns false when it failed.
    bool run(const std::function<void()>& action, Cursor cursor = Cursor::Normal);

    // Exclamation and OK, now or, inside an action, once the action is over.
    void inform(const QString& text);
    void informAll(const QStringList& texts);
    // OK without an icon, held like inform().
    void informPlain(const QString& text);
    // はい / いいえ. Held messages come first, so the question follows what led to it.
    bool ask(const QString& text);
    // The same with いいえ as the default button.
    bool askDefaultNo(const QString& text);

private:
    void showHeld();

    Prompter& prompter_;
    QString title_;
    int depth_ = 0;
    struct Held {
        QString text;
        bool plain;
    };
    std::vector<Held> held_;
};
