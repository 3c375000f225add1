#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

struct QualityReport;

// The report as readable text: staffing shortfalls, per-person figures, spread, night hours,
// findings and the short days with who could take them.
QString QualityReportText(const QualityReport& r);

// The report as one JSON object of a fixed shape (documented in the README).
QJsonObject QualityReportJsonObject(const QualityReport& r);
QByteArray QualityReportJson(const QualityReport& r);

// The report as tab-separated sections for a spreadsheet: UTF-8 with a byte order mark, each
// section a title line, a heading line and its rows, sections apart by an empty line.
QByteArray QualityReportTsv(const QualityReport& r);
