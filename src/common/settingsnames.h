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
// Group "update": the update server as "host" or "host:port".
inline const QString updateServerKey = QStringLiteral("server");
} // namespace SettingsNames
