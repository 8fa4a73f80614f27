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

    // Answers a request, at once or later: whether it was carried out.
    using Reply = std::function<void(bool done)>;
    using RequestHandler = std::function<void(const QString& request, Reply reply)>;

    // Starts listening. False when another instance already listens.
    // `onRequest` answers each request through its reply, which may be kept
    // and called later (the sender waits for it); a reply to a sender that
    // has gone is dropped.
    bool listen(RequestHandler onRequest);

private:
    QLocalServer* server_ = nullptr;
    RequestHandler onRequest_;
};

}  // namespace vantor
