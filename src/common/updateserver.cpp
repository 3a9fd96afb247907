#include "common/updateserver.h"

#include "common/settingsnames.h"

#include <QDebug>
#include <QSettings>

namespace UpdateServer {

namespace {
const QString versionFilePath = QStringLiteral("/Updater.xml");
const QString userName = QStringLiteral("ovrak");
const QString password = QStringLiteral("mirasolva");
// No maker's web sites exist yet; reserved names until they do.
const QString chineseSite = QStringLiteral("https://cn.plimb.invalid");
const QString internationalSite = QStringLiteral("https://www.plimb.invalid");
const QString downloadPath = QStringLiteral("/Download/downloadWin-en.html?page=page_download");
} // namespace

bool parseAddress(const QString &text, Address *address)
{
    const QString trimmed = text.trimmed();
    const int colon = trimmed.lastIndexOf(QLatin1Char(':'));
    QString host = trimmed;
    int port = defaultPort;
    if (colon >= 0) {
        bool ok = false;
        port = trimmed.mid(colon + 1).toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            return false;
        host = trimmed.left(colon);
    }
    if (host.isEmpty() || host.contains(QLatin1Char(':')) || host.contains(QLatin1Char('/'))
        || host.contains(QLatin1Char('@')) || host.contains(QLatin1Char(' ')))
        return false;
    address->host = host;
    address->port = port;
    return true;
}

Address configuredAddress()
{
    Address address{defaultHost, defaultPort};
    QString text = qEnvironmentVariable("PLIMB_UPDATE_SERVER");
    QString origin = QStringLiteral("PLIMB_UPDATE_SERVER");
    if (text.isEmpty()) {
        QSettings settings(SettingsNames::organization, SettingsNames::application);
        settings.beginGroup(SettingsNames::updateGroup);
        text = settings.value(SettingsNames::updateServerKey).toString();
        settings.endGroup();
        origin = QStringLiteral("setting update/server");
    }
    if (!text.isEmpty() && !parseAddress(text, &address)) {
        qDebug() << origin << "is not host or host:port, ignored:" << text;
        address = Address{defaultHost, defaultPort};
    }
    return address;
}

QUrl versionFileUrl(const Address &address)
{
    QUrl url;
    url.setScheme(QStringLiteral("ftp"));
    url.setHost(address.host);
    url.setPort(address.port);
    url.setPath(versionFilePath);
    url.setUserName(userName);
    url.setPassword(password);
    return url;
}

QUrl versionFileUrl()
{
    return versionFileUrl(configuredAddress());
}

bool neverResolves(const QString &host)
{
    const QString name = host.toLower();
    return name == QLatin1String("invalid") || name.endsWith(QLatin1String(".invalid"));
}

QUrl downloadPageUrl(const QString &storedLanguage)
{
    const QString &site = storedLanguage == QLatin1String("Chinese") ? chineseSite : internationalSite;
    return QUrl(site + downloadPath);
}

} // namespace UpdateServer
