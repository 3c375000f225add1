#pragma once

#include <QObject>

class FlexGrid;

// Lets the clerk change a roster cell from the keyboard: Enter or Space on the grid's current
// cell acts like a click on it.
class RosterGridKeys final : public QObject {
    Q_OBJECT
public:
    explicit RosterGridKeys(FlexGrid& grid);

Q_SIGNALS:
    void cellActivated(int row, int col);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FlexGrid& grid_;
};
