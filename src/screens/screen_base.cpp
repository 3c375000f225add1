#include "screens/screen_base.h"

#include "screens/app_context.h"
#include "widgets/field_checks.h"
#include "widgets/form_parts.h"

#include <QCloseEvent>

template <typename Base>
ScreenBase<Base>::ScreenBase(AppContext& ctx, const QString& name, const QString& caption,
                             const QString& title, QWidget* parent)
    : Base(parent), ctx_(ctx), checks_(new FieldChecks(ctx.prompter, title, this)),
      actions_(ctx.prompter, title) {
    this->setObjectName(name);
    this->setWindowTitle(caption);
}

template <typename Base> ScreenBase<Base>::~ScreenBase() {
    FormParts::silenceScreen(this);
}

template <typename Base> void ScreenBase<Base>::setVisible(bool visible) {
    // Before the window goes, so that the focus it takes along runs no check; after it is
    // back, so that showing it runs none either.
    if (!visible)
        checks_->setSuspended(true);
    Base::setVisible(visible);
    if (visible)
        checks_->setSuspended(false);
}

template <typename Base>
void ScreenBase<Base>::setCloseQuestion(const QString& question,
                                        std::function<bool()> unsavedWork) {
    closeQuestion_ = question;
    unsavedWork_ = std::move(unsavedWork);
}

template <typename Base> void ScreenBase<Base>::closeAfterQuestion() {
    if (!ask(closeQuestion_))
        return;
    closeAsked_ = true;
    this->close();
    closeAsked_ = false;
}

template <typename Base> void ScreenBase<Base>::closeEvent(QCloseEvent* event) {
    // The window's close button would otherwise drop unsaved work without a word.
    if (!closeAsked_ && unsavedWork_ && unsavedWork_() && !ask(closeQuestion_)) {
        event->ignore();
        return;
    }
    Base::closeEvent(event);
}

template class ScreenBase<QWidget>;
template class ScreenBase<QDialog>;
