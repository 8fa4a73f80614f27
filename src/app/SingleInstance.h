#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "base/InstanceMessage.h"

class QLocalServer;
class QLocalSocket;

namespace vantor {

class InstanceLock;

// One tray per user and display: the one holding the instance lock listens
// on a local socket; a later start hands its request to it.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    SingleInstance();
    ~SingleInstance() override;

    // Sends a request to the running tray and waits for its answer; nothing
    // when no tray listens.
    static std::optional<InstanceAnswer> send(const InstanceRequest& request, int timeoutMs = 5000);

    // Answers a request, at once or later; a reply to a sender that has gone
    // is dropped.
    using Reply = std::function<void(const InstanceAnswer&)>;
    using RequestHandler = std::function<void(const InstanceRequest&, Reply)>;

    struct Start {
        bool listening = false;
        InstanceAnswer handedOver;  // when not listening: the running tray's answer, or why none
    };
    // Becomes the tray for this user and display: takes the lock, then
    // listens. Where another tray holds the lock, hands it `request` instead,
    // retrying for a few seconds while that tray starts listening.
    Start start(RequestHandler onRequest, const InstanceRequest& request);

private:
    void take(QLocalSocket* socket);

    std::unique_ptr<InstanceLock> lock_;
    QLocalServer* server_ = nullptr;
    RequestHandler onRequest_;
};

}  // namespace vantor
