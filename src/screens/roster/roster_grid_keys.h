#pragma once

#include <QObject>

class FlexGrid;

// Lets the clerk work a roster grid from the keyboard: Enter or Space on the current cell acts
// like a click on it; Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, Ctrl+L holds or lets go the
// current cell.
class RosterGridKeys final : public QObject {
    Q_OBJECT
public:
    explicit RosterGridKeys(FlexGrid& grid);

Q_SIGNALS:
    void cellActivated(int row, int col);
    void undoPressed();
    void redoPressed();
    void pinPressed(int row, int col);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FlexGrid& grid_;
};
