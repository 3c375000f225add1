#include "store/creation_mode.h"

#include "store/code_kind.h"
#include "store/records/code_entry.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

CreationMode ReadCreationModeSetting(Database& db) {
    const std::optional<CodeEntry> code =
        CodeEntry::load(db, CodeKind::CreationMode, CodeKind::SettingNo);
    if (!code)
        return {};
    return {code->abbrev, code->name};
}

void WriteCreationModeSetting(Database& db, const CreationMode& mode) {
    CodeEntry code =
        CodeEntry::load(db, CodeKind::CreationMode, CodeKind::SettingNo)
            .value_or(CodeEntry{CodeKind::CreationMode, CodeKind::SettingNo, QString(), QString()});
    code.abbrev = mode.a;
    code.name = mode.b;
    code.save(db);
}

void CreationModeSetting(Database& db, int mode, CreationMode& setting) {
    if (mode == 0)
        setting = ReadCreationModeSetting(db);
    else if (mode == 1)
        WriteCreationModeSetting(db, setting);
}
