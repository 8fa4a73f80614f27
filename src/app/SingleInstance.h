#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace vantor {

// One Vantor per user and display. The first instance listens on a local
// socket; a later one hands its request ("show") to it and exits.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The socket name for this user and display.
    static QString socketName();

    // Sends a request to the running instance; false when none answers or it
    // could not carry the request out.
    static bool sendToRunningInstance(const QString& request, int timeoutMs = 5000);

    // Starts listening. False when another instance already listens.
    // `onRequest` says whether it carried the request out.
    bool listen(std::function<bool(const QString& request)> onRequest);

private:
    QLocalServer* server_ = nullptr;
    std::function<bool(const QString&)> onRequest_;
};

}  // namespace vantor
