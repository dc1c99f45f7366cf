// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/InstanceChannel.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <QtEndian>

#if defined(Q_OS_LINUX)
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace quillon {
namespace {

// A request is a 4-byte big-endian length followed by that many bytes of UTF-8; the answer is
// one byte.
constexpr int kHeaderBytes = 4;
constexpr char kTaken = 'A';
constexpr int kRequestTimeoutMs = 5000;

// Whether the process at the other end runs as this user; elsewhere the folder's rights stand
// in for the check.
bool SameUser(const QLocalSocket& socket) {
#if defined(Q_OS_LINUX)
  ucred credentials{};
  socklen_t length = sizeof credentials;
  const auto fd = static_cast<int>(socket.socketDescriptor());
  if (fd < 0 || getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0) return false;
  return credentials.uid == getuid();
#else
  Q_UNUSED(socket);
  return true;
#endif
}

// The runtime folder must belong to the user and be closed to everyone else.
bool IsPrivateFolder(const QString& folder) {
  const QFileInfo info(folder);
  if (!info.isDir() || info.isSymLink()) return false;
#if defined(Q_OS_UNIX)
  if (info.ownerId() != getuid()) return false;
#endif
  const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                      QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
  return (info.permissions() & others) == 0;
}

}  // namespace

QString InstanceChannelPath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty() || !IsPrivateFolder(folder)) return {};
  return QDir(folder).filePath(QStringLiteral("quillon-%1-%2")
                                   .arg(QLatin1String(kDdeService), QLatin1String(kDdeTopic)));
}

bool SendToRunningInstance(const QString& macro, int timeoutMs) {
  const QString path = InstanceChannelPath();
  if (path.isEmpty()) return false;
  const QByteArray body = macro.toUtf8();
  if (body.size() > kMaxRequestBytes) return false;
  QLocalSocket socket;
  socket.connectToServer(path);
  if (!socket.waitForConnected(timeoutMs)) return false;
  char header[kHeaderBytes];
  qToBigEndian(static_cast<quint32>(body.size()), header);
  socket.write(header, kHeaderBytes);
  socket.write(body);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  while (socket.bytesAvailable() < 1) {
    if (!socket.waitForReadyRead(timeoutMs)) return false;
  }
  char answer = 0;
  return socket.read(&answer, 1) == 1 && answer == kTaken;
}

InstanceServer::InstanceServer(QObject* parent) : QObject(parent) {}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::Listen() {
  const QString path = InstanceChannelPath();
  if (path.isEmpty()) return false;
  delete server_;
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &InstanceServer::Accept);
  // A socket that answers belongs to a running program; one nobody answers on was left by a
  // program that ended. (Listening would replace either: the socket is made aside and renamed
  // into place so that it never exists with wider rights.)
  QLocalSocket probe;
  probe.connectToServer(path);
  if (probe.waitForConnected(500)) return false;
  QLocalServer::removeServer(path);
  return server_->listen(path);
}

void InstanceServer::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (!SameUser(*socket)) {
      socket->abort();
      continue;
    }
    // A client that never finishes its request is dropped.
    QTimer::singleShot(kRequestTimeoutMs, socket, [socket] { socket->abort(); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadFrom(socket); });
    if (socket->bytesAvailable() > 0) ReadFrom(socket);
  }
}

void InstanceServer::ReadFrom(QLocalSocket* socket) {
  if (socket->bytesAvailable() < kHeaderBytes) return;
  char header[kHeaderBytes];
  socket->peek(header, kHeaderBytes);
  const quint32 length = qFromBigEndian<quint32>(header);
  if (length > static_cast<quint32>(kMaxRequestBytes)) {
    socket->abort();
    return;
  }
  if (socket->bytesAvailable() < kHeaderBytes + static_cast<qint64>(length)) return;
  socket->skip(kHeaderBytes);
  const QByteArray body = socket->read(length);
  socket->write(&kTaken, 1);
  socket->flush();
  socket->disconnectFromServer();
  emit MacroReceived(QString::fromUtf8(body));
}

}  // namespace quillon
