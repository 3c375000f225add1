#pragma once

#include "screens/screen_base.h"
#include "screens/screen_catalog.h"

#include <QPointer>
#include <map>
#include <vector>

class QPushButton;

// The start-up screen: loads the start-up settings, shows one button per screen in five
// frames and opens the chosen screen. Modeless screens exist once each; modal ones are
// followed by a reload of the settings so a changed team setting swaps the roster buttons.
class MainMenuScreen final : public EntryScreen {
    Q_OBJECT
public:
    // `catalog` decides which buttons open something; buttons without an entry are disabled.
    explicit MainMenuScreen(AppContext& ctx, std::vector<ScreenEntry> catalog = screenCatalog(),
                            QWidget* parent = nullptr);
    ~MainMenuScreen() override;

    static QString messageTitle(); // "ﾒﾆｭｰ"

    // The open single instance behind a button, if any.
    QWidget* openScreen(const QString& button) const;
    // Shows the single instance behind a modeless button as the button does, but keeps the
    // selected staff (another screen leads there for the person it selected). Null when the
    // button opens nothing or the screen could not be made.
    QWidget* showSingle(const QString& button);

private:
    void buildLayout();
    void loadSettings();
    void applySettingsToButtons();
    void focusFirstButton();
    void onButtonClicked(const QString& button);
    void openEntry(const ScreenEntry& entry);
    void openModal(const ScreenEntry& entry);
    void openModeless(const ScreenEntry& entry);
    const ScreenEntry* entryFor(const QString& button) const;
    QPushButton* button(const QString& name) const;

    std::vector<ScreenEntry> catalog_;
    std::map<QString, QPushButton*> buttons_;
    std::map<QString, QPointer<QWidget>> open_;
};
