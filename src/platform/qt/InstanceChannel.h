// SPDX-License-Identifier: GPL-3.0-or-later
// The channel through which a later start of the program hands its request to the running
// one: a local socket of the user's own in the user's runtime folder, named after the service
// "QUILLON" and the topic "DdeServerConv1". Only the same user's processes are heard.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace quillon {

inline constexpr char kDdeService[] = "QUILLON";
inline constexpr char kDdeTopic[] = "DdeServerConv1";
// Requests longer than this are refused unread.
inline constexpr int kMaxRequestBytes = 64 * 1024;

// The socket's full path in the user's runtime folder, or empty without a safe folder.
QString InstanceChannelPath();

// Hands macro to the running program; true when it was taken.
bool SendToRunningInstance(const QString& macro, int timeoutMs = 3000);

// The running program's end: listens for requests and announces each macro received.
class InstanceServer : public QObject {
  Q_OBJECT
 public:
  explicit InstanceServer(QObject* parent = nullptr);
  ~InstanceServer() override;
  // Starts listening; a socket left behind by a program that ended is replaced. False when
  // another running program already listens or the socket cannot be made.
  bool Listen();

 signals:
  void MacroReceived(const QString& macro);

 private:
  void Accept();
  void ReadFrom(QLocalSocket* socket);

  QLocalServer* server_ = nullptr;
};

}  // namespace quillon
