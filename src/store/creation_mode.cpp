#include "store/creation_mode.h"

#include "store/code_kind.h"
#include "store/table.h"

using namespace Qt::Literals::StringLiterals;

CreationMode ReadCreationModeSetting(Database& db) {
    Table t(db, u"個マスタ"_s);
    t.setIndex(u"key_個ﾏｽﾀｰ"_s);
    t.seek(Seek::Equal, {CodeKind::CreationMode, CodeKind::SettingNo});
    if (t.noMatch())
        return {};
    return {t.text(u"個_略称"_s), t.text(u"個_名称"_s)};
}

void WriteCreationModeSetting(Database& db, const CreationMode& mode) {
    Table t(db, u"個マスタ"_s);
    t.setIndex(u"key_個ﾏｽﾀｰ"_s);
    t.seek(Seek::Equal, {CodeKind::CreationMode, CodeKind::SettingNo});
    if (t.noMatch()) {
        t.addNew();
        t.set(u"個_区分"_s, CodeKind::CreationMode);
        t.set(u"個_NO"_s, CodeKind::SettingNo);
    } else {
        t.edit();
    }
    t.set(u"個_略称"_s, mode.a);
    t.set(u"個_名称"_s, mode.b);
    t.update();
}

void CreationModeSetting(Database& db, int mode, CreationMode& setting) {
    if (mode == 0)
        setting = ReadCreationModeSetting(db);
    else if (mode == 1)
        WriteCreationModeSetting(db, setting);
}
