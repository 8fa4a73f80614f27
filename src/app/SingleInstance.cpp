#include "app/SingleInstance.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

namespace vantor {

QString SingleInstance::socketName() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        display = qEnvironmentVariable("DISPLAY");
    }
    display.replace(QLatin1Char('/'), QLatin1Char('_'));
    // The user's private runtime folder keeps other users out; without one,
    // the temporary folder with the user id in the name.
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.startsWith(QLatin1Char('/')) && QFileInfo(runtime).isDir()) {
        return runtime + QStringLiteral("/vantor-%1.socket").arg(display);
    }
    return QDir::tempPath() + QStringLiteral("/vantor-%1-%2.socket").arg(::getuid()).arg(display);
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

bool SingleInstance::listen(RequestHandler onRequest) {
    onRequest_ = std::move(onRequest);
    // Ask first: listening over a live socket would take it from the running instance.
    QLocalSocket probe;
    probe.connectToServer(socketName());
    if (probe.waitForConnected(1000)) {
        return false;
    }
    server_ = new QLocalServer(this);
    if (!server_->listen(socketName())) {
        // Nobody answers on it, so it was left by an instance that crashed.
        QLocalServer::removeServer(socketName());
        if (!server_->listen(socketName())) {
            return false;
        }
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                while (socket->canReadLine()) {
                    QString request = QString::fromUtf8(socket->readLine()).trimmed();
                    QPointer<QLocalSocket> client(socket);
                    Reply reply = [client](bool done) {
                        if (client) {
                            client->write(done ? "ok\n" : "refused\n");
                            client->flush();
                        }
                    };
                    if (onRequest_) {
                        onRequest_(request, std::move(reply));
                    } else {
                        reply(false);
                    }
                }
            });
        }
    });
    return true;
}

}  // namespace vantor
