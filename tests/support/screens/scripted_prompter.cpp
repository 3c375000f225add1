#include "support/screens/scripted_prompter.h"

#include <gtest/gtest.h>

void ScriptedPrompter::inform(const QString& title, const QString& text) {
    record({Shown::Kind::Inform, title, text});
}

void ScriptedPrompter::informPlain(const QString& title, const QString& text) {
    record({Shown::Kind::Plain, title, text});
}

void ScriptedPrompter::record(const Shown& shown) {
    shown_.push_back(shown);
    if (onShown)
        onShown(shown);
}

bool ScriptedPrompter::ask(const QString& title, const QString& text) {
    return question({Shown::Kind::Ask, title, text});
}

bool ScriptedPrompter::askDefaultNo(const QString& title, const QString& text) {
    return question({Shown::Kind::Ask, title, text, true});
}

bool ScriptedPrompter::question(const Shown& shown) {
    record(shown);
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << shown.text.toStdString();
        return false;
    }
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

std::vector<QString> ScriptedPrompter::texts() const {
    std::vector<QString> out;
    for (const auto& s : shown_)
        out.push_back(s.text);
    return out;
}
