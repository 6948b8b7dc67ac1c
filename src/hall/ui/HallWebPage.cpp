#include "hall/ui/HallWebPage.h"

#include <QWebEngineSettings>

namespace vlk {

THallWebPage::THallWebPage(QObject* parent) : QWebEnginePage(parent)
{
    // Without this the browser drops a script's navigation to an unknown scheme before the page
    // sees it; only clicks would reach the client.
    settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);
}

bool THallWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    // The page writes "|" between a game's fields; the browser hands it over as "%7C".
    const QString address = QUrl::fromPercentEncoding(url.toString(QUrl::FullyEncoded).toUtf8());
    if (OnNavigate && OnNavigate(address))
        return false;
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

} // namespace vlk
