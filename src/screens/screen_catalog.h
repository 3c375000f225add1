#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

struct AppContext;

// The screens the main menu can open, by the name of the menu button that opens them.
// A button without an entry here is shown disabled.
struct ScreenEntry {
    QString button;
    // Modal screens are QDialogs that the menu runs with exec() and follows with a reload of
    // the start-up settings; the others are top-level windows shown beside the menu.
    bool modal;
    std::function<QWidget*(AppContext&)> create;
};

const std::vector<ScreenEntry>& screenCatalog();
