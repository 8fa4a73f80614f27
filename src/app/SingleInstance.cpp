#include "app/SingleInstance.h"

#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>

namespace vantor {

QString SingleInstance::socketName() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        display = qEnvironmentVariable("DISPLAY");
    }
    display.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("vantor-%1-%2").arg(::getuid()).arg(display);
}

bool SingleInstance::sendToRunningInstance(const QString& request, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketName());
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(request.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    // The running instance answers once it has taken the request.
    return socket.waitForReadyRead(timeoutMs) && socket.readLine().trimmed() == "ok";
}

bool SingleInstance::listen(std::function<void(const QString& request)> onRequest) {
    onRequest_ = std::move(onRequest);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketName())) {
        // A socket left by a crashed instance answers nobody: take it over.
        if (server_->serverError() == QAbstractSocket::AddressInUseError) {
            QLocalSocket probe;
            probe.connectToServer(socketName());
            if (probe.waitForConnected(500)) {
                return false;
            }
            QLocalServer::removeServer(socketName());
            if (!server_->listen(socketName())) {
                return false;
            }
        } else {
            return false;
        }
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                while (socket->canReadLine()) {
                    QString request = QString::fromUtf8(socket->readLine()).trimmed();
                    socket->write("ok\n");
                    socket->flush();
                    if (onRequest_) {
                        onRequest_(request);
                    }
                }
            });
        }
    });
    return true;
}

}  // namespace vantor
