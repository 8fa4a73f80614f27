#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <chrono>

#include "base/InstanceLock.h"

namespace vantor {
namespace {

using namespace std::chrono_literals;

// A tray may take a few seconds to start on a busy login.
constexpr auto startingTrayWait = 5s;
// A client that has not sent its whole request by then is let go.
constexpr auto requestWait = 10s;
// The first showing of a tray just started may take seconds on a busy login.
constexpr int answerWaitMs = 10000;

std::optional<InstanceAnswer> deliver(const QString& socketPath, const InstanceRequest& request,
                                      int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs)) {
        return std::nullopt;
    }
    std::string line = encodeRequest(request);
    if (line.size() > maxInstanceMessageBytes + 1) {
        return InstanceAnswer{false, "the request is longer than 64 KiB"};
    }
    socket.write(line.data(), static_cast<qint64>(line.size()));
    QDeadlineTimer deadline(timeoutMs);
    while (!socket.canReadLine() && socket.bytesAvailable() <= qint64(maxInstanceMessageBytes) &&
           socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
    }
    if (!socket.canReadLine()) {
        return InstanceAnswer{false, "the running Vantor did not answer"};
    }
    QByteArray answer = socket.readLine().chopped(1);
    return decodeAnswer(std::string_view(answer.constData(), static_cast<size_t>(answer.size())));
}

}  // namespace

SingleInstance::SingleInstance() = default;
SingleInstance::~SingleInstance() = default;

std::optional<InstanceAnswer> SingleInstance::send(const InstanceRequest& request, int timeoutMs) {
    InstancePlace place = instancePlace(false);
    if (!place.error.empty()) {
        return InstanceAnswer{false, place.error};
    }
    return deliver(QString::fromStdString(place.socketFile()), request, timeoutMs);
}

SingleInstance::Start SingleInstance::start(RequestHandler onRequest,
                                            const InstanceRequest& request) {
    InstancePlace place = instancePlace(true);
    if (!place.error.empty()) {
        return {false, {false, place.error}};
    }
    QString socketPath = QString::fromStdString(place.socketFile());
    lock_ = std::make_unique<InstanceLock>(place.lockFile());
    QDeadlineTimer deadline(startingTrayWait);
    for (;;) {
        switch (lock_->tryAcquire()) {
            case InstanceLock::State::failed:
                return {false, {false, lock_->error()}};
            case InstanceLock::State::heldElsewhere:
                break;
            case InstanceLock::State::held: {
                // Only the holder gets here, so a socket in place is one a
                // tray that ended left behind.
                QLocalServer::removeServer(socketPath);
                server_ = new QLocalServer(this);
                if (!server_->listen(socketPath)) {
                    return {false,
                            {false, "cannot listen on " + place.socketFile() + ": " +
                                        server_->errorString().toStdString()}};
                }
                onRequest_ = std::move(onRequest);
                connect(server_, &QLocalServer::newConnection, this, [this] {
                    while (QLocalSocket* socket = server_->nextPendingConnection()) {
                        take(socket);
                    }
                });
                return {true, {}};
            }
        }
        // The holder may not listen yet; should it end first, the lock is
        // ours next time round.
        if (auto answer = deliver(socketPath, request, answerWaitMs)) {
            return {false, *answer};
        }
        if (deadline.hasExpired()) {
            return {false,
                    {false, "another Vantor holds " + place.lockFile() + " but does not answer"}};
        }
        QThread::msleep(50);
    }
}

void SingleInstance::take(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto* patience = new QTimer(socket);
    patience->setSingleShot(true);
    connect(patience, &QTimer::timeout, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    patience->start(requestWait);
    QPointer<QLocalSocket> client(socket);
    Reply reply = [client](const InstanceAnswer& answer) {
        if (client) {
            std::string line = encodeAnswer(answer);
            client->write(line.data(), static_cast<qint64>(line.size()));
            client->flush();  // now: "退出" ends the event loop next
            client->disconnectFromServer();
        }
    };
    // One request per connection, taken whole or refused whole: nothing
    // after its line is read.
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, patience, reply] {
        if (!socket->canReadLine() && socket->bytesAvailable() <= qint64(maxInstanceMessageBytes)) {
            return;
        }
        disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
        patience->stop();  // taken: the answer may take its time
        QByteArray line = socket->readLine(qint64(maxInstanceMessageBytes) + 2);
        if (!line.endsWith('\n')) {
            reply({false, "the request is longer than 64 KiB"});
            return;
        }
        line.chop(1);
        auto request =
            decodeRequest(std::string_view(line.constData(), static_cast<size_t>(line.size())));
        if (auto* error = std::get_if<std::string>(&request)) {
            reply({false, *error});
        } else if (onRequest_) {
            onRequest_(std::get<InstanceRequest>(request), reply);
        } else {
            reply({false, "Vantor is not ready"});
        }
    });
}

}  // namespace vantor
