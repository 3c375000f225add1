#include "screens/screen_catalog.h"

#include "screens/app_context.h"
#include "screens/masters/code_master_screen.h"
#include "screens/masters/daily_staffing_screen.h"
#include "screens/masters/past_entry_screen.h"
#include "screens/masters/pattern_screen.h"
#include "screens/masters/request_screen.h"
#include "screens/masters/shift_definition_screen.h"
#include "screens/masters/staff_register_screen.h"
#include "screens/masters/staff_status_screen.h"
#include "screens/output/daily_staffing_inquiry_screen.h"
#include "screens/output/monthly_totals_screen.h"
#include "screens/output/period_totals_screen.h"
#include "screens/output/personal_print_screen.h"
#include "screens/output/roster_print_screen.h"
#include "screens/output/staff_list_screen.h"
#include "screens/roster/creation_unit_screen.h"
#include "screens/roster/roster_change_screen.h"
#include "screens/roster/roster_creation_screen.h"
#include "screens/shell/calendar_screen.h"
#include "screens/shell/reorganisation_warning_screen.h"
#include "screens/shell/roster_removal_screen.h"

using namespace Qt::Literals::StringLiterals;

// Add one entry per finished screen, keeping the menu's button order.
const std::vector<ScreenEntry>& screenCatalog() {
    static const std::vector<ScreenEntry> entries{
        {u"マスター登録"_s, true, [](AppContext& c) { return new CodeMasterScreen(c); }},
        {u"基本登録"_s, false, [](AppContext& c) { return new ShiftDefinitionScreen(c); }},
        {u"職員登録"_s, false, [](AppContext& c) { return new StaffRegisterScreen(c); }},
        {u"希望勤務"_s, false, [](AppContext& c) { return new RequestScreen(c); }},
        {u"バックアップ状況"_s, false,
         [](AppContext& c) { return new StaffStatusScreen(c, StaffStatusScreen::Kind::Backup); }},
        {u"休暇取得状況"_s, false,
         [](AppContext& c) { return new StaffStatusScreen(c, StaffStatusScreen::Kind::Leave); }},
        {u"職員一覧表"_s, false, [](AppContext& c) { return new StaffListScreen(c); }},
        {u"パタン登録"_s, false, [](AppContext& c) { return new PatternScreen(c); }},
        {u"作成単"_s, true, [](AppContext& c) { return new CreationUnitScreen(c); }},
        {u"日別要員設定"_s, false, [](AppContext& c) { return new DailyStaffingScreen(c); }},
        {u"過去登録"_s, false, [](AppContext& c) { return new PastEntryScreen(c); }},
        {u"勤務表"_s, false,
         [](AppContext& c) {
             return new RosterCreationScreen(c, RosterCreationScreen::Kind::Individual);
         }},
        {u"勤務作チーム"_s, false,
         [](AppContext& c) {
             return new RosterCreationScreen(c, RosterCreationScreen::Kind::ByTeam);
         }},
        {u"勤務表変更"_s, false,
         [](AppContext& c) {
             return new RosterChangeScreen(c, RosterChangeScreen::Kind::Individual);
         }},
        {u"勤務変チーム"_s, false,
         [](AppContext& c) { return new RosterChangeScreen(c, RosterChangeScreen::Kind::ByTeam); }},
        {u"勤務表取消"_s, false,
         [](AppContext& c) {
             return new RosterRemovalScreen(c, RosterRemovalScreen::Kind::Deletion);
         }},
        {u"勤務表出力"_s, false, [](AppContext& c) { return new RosterPrintScreen(c); }},
        {u"個別勤務表出力"_s, false, [](AppContext& c) { return new PersonalPrintScreen(c); }},
        {u"期間累計"_s, false, [](AppContext& c) { return new PeriodTotalsScreen(c); }},
        {u"月別累計"_s, false, [](AppContext& c) { return new MonthlyTotalsScreen(c); }},
        {u"日別要員照会"_s, false, [](AppContext& c) { return new DailyStaffingInquiryScreen(c); }},
        {u"カレンダー"_s, false, [](AppContext& c) { return new CalendarScreen(c); }},
        {u"期末削除"_s, false,
         [](AppContext& c) {
             return new RosterRemovalScreen(c, RosterRemovalScreen::Kind::Purge);
         }},
        // Modal: the tables change under every other screen, and the menu reloads afterwards.
        {u"再編成"_s, true, [](AppContext& c) { return new ReorganisationWarningScreen(c); }},
    };
    return entries;
}
