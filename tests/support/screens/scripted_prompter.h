#pragma once

#include "widgets/prompter.h"

#include <QString>
#include <deque>
#include <functional>
#include <vector>

// Records every message a screen shows and answers its questions from a queue. A question
// with no scripted answer fails the test and is answered "no".
class ScriptedPrompter final : public Prompter {
public:
    struct Shown {
        enum class Kind { Inform, Plain, Ask } kind;
        QString title;
        QString text;
        bool defaultNo = false; // a question whose default button is いいえ
    };

    void inform(const QString& title, const QString& text) override;
    void informPlain(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;
    bool askDefaultNo(const QString& title, const QString& text) override;

    void answer(bool yes) { answers_.push_back(yes); }
    void answerYes(int times = 1) {
        for (int i = 0; i < times; ++i)
            answers_.push_back(true);
    }

    // Runs as each message or question is shown, so a test can look at the state the screen has
    // left things in at that moment.
    std::function<void(const Shown&)> onShown;

    const std::vector<Shown>& shown() const { return shown_; }
    // Texts of everything shown, in order.
    std::vector<QString> texts() const;
    QString lastText() const { return shown_.empty() ? QString() : shown_.back().text; }
    QString lastTitle() const { return shown_.empty() ? QString() : shown_.back().title; }
    void clear() {
        shown_.clear();
        answers_.clear();
    }
    size_t pendingAnswers() const { return answers_.size(); }

private:
    void record(const Shown& shown);
    bool question(const Shown& shown);

    std::vector<Shown> shown_;
    std::deque<bool> answers_;
};
