#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>

class Prompter;
class QWidget;

// The entry-check convention of every entry screen: an error flag, a message-set flag and a
// pending message. A failing field turns light red; the first failure becomes the pending
// message and moves its field to the head of the tab order with the focus. A passing field
// turns black.
class FieldChecks final : public QObject {
    Q_OBJECT
public:
    FieldChecks(Prompter& prompter, QString title, QObject* parent = nullptr);
    ~FieldChecks() override;

    const QString& title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }

    // Clears the error flag, the message-set flag and the pending message.
    void reset();

    // Records one check of a field. Returns ok.
    bool check(QWidget* field, bool ok, const QString& message);

    bool hasError() const { return error_; }
    bool messageSet() const { return messageSet_; }
    const QString& pendingMessage() const { return pending_; }

    // Shows the pending message when a check failed; returns true when one did.
    bool reportIfFailed();

    // Runs `check` whenever `field` loses the focus, for as long as this object lives.
    void onFocusLost(QWidget* field, std::function<void()> check);

    // While suspended no focus-lost check runs: a window being hidden or closed moves the focus
    // away from its boxes without the clerk leaving one.
    void setSuspended(bool suspended) { suspended_ = suspended; }
    bool suspended() const { return suspended_; }

    static void setTextColour(QWidget* field, bool ok);
    static bool isRed(const QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void moveToHeadOfTabOrder(QWidget* field);

    Prompter& prompter_;
    QString title_;
    bool error_ = false;
    bool messageSet_ = false;
    bool suspended_ = false;
    QString pending_;
    std::map<QObject*, std::function<void()>> focusChecks_;
};
