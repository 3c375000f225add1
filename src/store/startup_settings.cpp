#include "store/startup_settings.h"

#include "store/code_kind.h"
#include "store/table.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

QStringList LoadStartupSettings(Database& db, StartupSettings& s) {
    s.colourLightGreen = {230, 255, 220};
    s.colourLightLavender = {230, 230, 255};
    s.colourLightYellow = {255, 255, 200};
    s.weekdayName = {u"日"_s, u"月"_s, u"火"_s, u"水"_s, u"木"_s, u"金"_s, u"土"_s};
    s.weekdayColour = {12, 0, 0, 0, 0, 0, 9};
    QStringList messages = LoadCreationUnitSettings(db, s);
    s.staffGroupCount = 2;
    LoadDisplaySettings(db, s);
    return messages;
}

QStringList LoadCreationUnitSettings(Database& db, StartupSettings& s) {
    Table t(db, u"作成単位"_s);
    t.setIndex(u"key_作成単位"_s);
    t.seek(Seek::Equal, {1});
    if (t.noMatch())
        return {u"作成単位･基本の登録を確認して下さい。"_s};
    s.creationUnit = t.integer(u"作_単位"_s);
    s.creationUnitCount = t.integer(u"作_単位数"_s);
    s.byTeam = t.integer(u"作_チームF"_s);
    t.seek(Seek::Equal, {2});
    if (t.noMatch())
        return {u"作成単位･実績の登録を確認して下さい。"_s};
    s.periodStart = t.text(u"作_作成From"_s);
    s.periodEnd = t.text(u"作_作成To"_s);
    return {};
}

void LoadDisplaySettings(Database& db, StartupSettings& s) {
    Table t(db, u"個マスタ"_s);
    t.setIndex(u"key_個ﾏｽﾀｰ"_s);
    t.seek(Seek::Equal, {CodeKind::TimeDisplay, CodeKind::SettingNo});
    s.timeDisplay = !t.noMatch() && t.text(u"個_略称"_s) == u"有"_s;
    t.seek(Seek::Equal, {CodeKind::RestInterval, CodeKind::SettingNo});
    if (t.noMatch()) {
        s.restInterval = 3;
    } else {
        // The number leads the text ("5日" reads as 5), as the setting is free text.
        static const QRegularExpression leading(u"^\\s*([+-]?\\d+)"_s);
        const auto m = leading.match(t.text(u"個_略称"_s));
        s.restInterval = m.hasMatch() ? m.captured(1).toInt() : 0;
    }
}
