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

    // Sends a request to the running instance; false when none answers.
    static bool sendToRunningInstance(const QString& request, int timeoutMs = 2000);

    // Starts listening. False when another instance already listens.
    bool listen(std::function<void(const QString& request)> onRequest);

private:
    QLocalServer* server_ = nullptr;
    std::function<void(const QString&)> onRequest_;
};

}  // namespace vantor
