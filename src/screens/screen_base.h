#pragma once

#include "widgets/screen_actions.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

struct AppContext;
class FieldChecks;

// What every screen of the program is built on, as a window (`EntryScreen`) or as a dialog
// (`EntryDialog`): the context it works in, its names, its field checks, its guarded user
// actions and its messages, and the silencing of its children when it goes.
//
//     class ShiftDefinitionScreen final : public EntryScreen {
//         Q_OBJECT
//     public:
//         explicit ShiftDefinitionScreen(AppContext& context, QWidget* parent = nullptr)
//             : EntryScreen(context, u"シフト基本"_s, u"シフト基本情報登録"_s,
//                           u"シフト基本情報"_s, parent) { ... }
//     };
//
// Messages: a screen speaks through inform() and ask(). A write runs inside act() or
// actBusy() as one call of the store or the engine, which opens and commits its transaction;
// a screen itself never opens a transaction or a table cursor. What the action informs is shown
// once it has returned, so never while the write is open or under the busy cursor. A question
// that leads to a write is asked before the action starts.
//
// Silencing: a window that is hidden or closed, or destroyed while shown, moves the focus away
// from its boxes, and an editable combo box may still report a choice. Hiding suspends the
// focus-lost checks (showing resumes them); destruction ends them and cuts every signal from
// the screen's children to the screen before the children go. The derived screen's members
// are gone by then, so a screen keeps its widgets as children, not as members by value.
template <typename Base> class ScreenBase : public Base {
public:
    ~ScreenBase() override;

    void setVisible(bool visible) override;

protected:
    // `name` is the screen's objectName, `caption` its window title and `title` the title of
    // its messages.
    ScreenBase(AppContext& ctx, const QString& name, const QString& caption, const QString& title,
               QWidget* parent = nullptr);

    AppContext& ctx() const { return ctx_; }
    FieldChecks& checks() const { return *checks_; }
    const QString& title() const { return actions_.title(); }

    // A user action: a failure becomes a message; messages given meanwhile wait until the
    // action is over. Returns false when the action failed.
    bool act(const std::function<void()>& action) { return actions_.run(action); }
    // The same under the busy cursor.
    bool actBusy(const std::function<void()>& action) {
        return actions_.run(action, ScreenActions::Cursor::Busy);
    }

    void inform(const QString& text) { actions_.inform(text); }
    void informAll(const QStringList& texts) { actions_.informAll(texts); }
    void informPlain(const QString& text) { actions_.informPlain(text); }
    bool ask(const QString& text) { return actions_.ask(text); }
    bool askDefaultNo(const QString& text) { return actions_.askDefaultNo(text); }

    // The screen's closing question. closeAfterQuestion() (its 終了 button) asks it and
    // closes; closing the window any other way asks it only while `unsavedWork` says the
    // screen holds work that would be lost.
    void setCloseQuestion(const QString& question, std::function<bool()> unsavedWork);
    void closeAfterQuestion();
    void closeEvent(QCloseEvent* event) override;

private:
    AppContext& ctx_;
    FieldChecks* checks_;
    ScreenActions actions_;
    QString closeQuestion_;
    std::function<bool()> unsavedWork_;
    bool closeAsked_ = false; // closeAfterQuestion() has asked already
};

extern template class ScreenBase<QWidget>;
extern template class ScreenBase<QDialog>;

using EntryScreen = ScreenBase<QWidget>;
using EntryDialog = ScreenBase<QDialog>;
