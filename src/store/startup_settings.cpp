#include "store/startup_settings.h"

#include "store/code_kind.h"
#include "store/records/code_entry.h"
#include "store/records/creation_unit.h"

#include <optional>

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
    const std::optional<CreationUnit> unit = CreationUnit::load(db, 1);
    if (!unit)
        return {u"作成単位･基本の登録を確認して下さい。"_s};
    s.creationUnit = unit->unit;
    s.creationUnitCount = unit->unitCount;
    s.byTeam = unit->byTeam;
    const std::optional<CreationUnit> created = CreationUnit::load(db, 2);
    if (!created)
        return {u"作成単位･実績の登録を確認して下さい。"_s};
    s.periodStart = created->createdFrom;
    s.periodEnd = created->createdTo;
    return {};
}

void LoadDisplaySettings(Database& db, StartupSettings& s) {
    const std::optional<CodeEntry> times =
        CodeEntry::load(db, CodeKind::TimeDisplay, CodeKind::SettingNo);
    s.timeDisplay = times && times->abbrev == u"有"_s;
    const std::optional<CodeEntry> interval =
        CodeEntry::load(db, CodeKind::RestInterval, CodeKind::SettingNo);
    if (!interval) {
        s.restInterval = 3;
    } else {
        // The number leads the text ("5日" reads as 5), as the setting is free text.
        static const QRegularExpression leading(u"^\\s*([+-]?\\d+)"_s);
        const auto m = leading.match(interval->abbrev);
        s.restInterval = m.hasMatch() ? m.captured(1).toInt() : 0;
    }
}
