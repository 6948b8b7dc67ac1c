#pragma once
// The hall page's browser page: every navigation passes OnNavigate first, which keeps the link
// schemes of the hall for the client.
#include <QWebEnginePage>

#include <functional>

namespace vlk {

class THallWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit THallWebPage(QObject* parent = nullptr);

    // The address about to be opened, percent-decoded; true keeps the browser from opening it.
    std::function<bool(const QString& address)> OnNavigate;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
};

} // namespace vlk
