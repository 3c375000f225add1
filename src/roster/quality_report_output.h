#pragma once

#include "roster/quality_report.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// The per-person table as every output shows it: its heading and one person's cells.
QStringList QualityPersonHeading(const QualityReport& r);
QStringList QualityPersonCells(const QualityReport::PersonFigures& f);
// The ward's night hours in one line, against the audited ceiling.
QString QualityNightLine(const QualityReport& r);

// The report as readable text: staffing shortfalls, per-person figures, spread, night hours,
// findings and the short days with who could take them.
QString QualityReportText(const QualityReport& r);

// The report as one JSON object of a fixed shape (documented in the README).
QJsonObject QualityReportJsonObject(const QualityReport& r);
QByteArray QualityReportJson(const QualityReport& r);

// The report as tab-separated sections for a spreadsheet: UTF-8 with a byte order mark, each
// section a title line, a heading line and its rows, sections apart by an empty line.
QByteArray QualityReportTsv(const QualityReport& r);
