#pragma once

#include <QString>

// The names of the settings store and its groups. Every part that keeps
// preferences opens a short-lived QSettings with these names.
namespace SettingsNames {
inline const QString organization = QStringLiteral("tolvenrik");
inline const QString application = QStringLiteral("zodadarAda");

inline const QString languagesGroup = QStringLiteral("languages");
inline const QString itemPropertyGroup = QStringLiteral("itemProperty");
inline const QString lowerOperatePanelGroup = QStringLiteral("lowerOperatePanel");
inline const QString lowerGrblGroup = QStringLiteral("lowerGrbl");
inline const QString updateGroup = QStringLiteral("update");

inline const QString languageKey = QStringLiteral("language");
// Group "lowerOperatePanel": the print power (%) and speed (mm/s) the panel
// keeps; they set the generator's full scale.
inline const QString printPowerKey = QStringLiteral("printLaserPowerSave");
inline const QString printSpeedKey = QStringLiteral("printSpeedSave");
// Group "update": the update server as "host" or "host:port".
inline const QString updateServerKey = QStringLiteral("server");

// Drawing import: the unit last chosen for DXF and for PLT files, stored by
// its command-line name ("mm", "cm", "in", "plotter", "design").
inline const QString drawingImportGroup = QStringLiteral("drawingImport");
inline const QString dxfUnitKey = QStringLiteral("dxfUnit");
inline const QString pltUnitKey = QStringLiteral("pltUnit");
} // namespace SettingsNames
