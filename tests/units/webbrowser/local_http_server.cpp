#include "tests/units/webbrowser/local_http_server.h"

#include <QHostAddress>
#include <QTcpSocket>

namespace test_support {

LocalHttpServer::LocalHttpServer() {
  server_.listen(QHostAddress::LocalHost, 0);
  port_ = server_.serverPort();
  QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Answer(socket); });
      QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
  });
}

QString LocalHttpServer::Url(const char* path) const {
  return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(QLatin1String(path));
}

bool LocalHttpServer::Listen() { return server_.listen(QHostAddress::LocalHost, port_); }

bool LocalHttpServer::Saw(const QByteArray& path) const {
  for (const SeenRequest& r : requests_)
    if (r.path == path) return true;
  return false;
}

void LocalHttpServer::Answer(QTcpSocket* socket) {
  // The whole head must be there; a later readyRead brings the rest.
  QByteArray head = socket->peek(64 * 1024);
  const qsizetype end = head.indexOf("\r\n\r\n");
  if (end < 0) return;
  socket->read(end + 4);
  const QList<QByteArray> lines = head.left(end).split('\n');
  SeenRequest request;
  const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
  request.path = first.value(1);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const qsizetype colon = lines[i].indexOf(':');
    if (colon > 0) request.headers[lines[i].left(colon).trimmed().toLower()] = lines[i].mid(colon + 1).trimmed();
  }
  requests_.push_back(request);
  if (held_.contains(request.path)) return;
  const auto page = pages_.constFind(request.path);
  const QByteArray body = page != pages_.constEnd() ? page->body : QByteArray("not here");
  const QByteArray headers = page != pages_.constEnd() ? page->headers : QByteArray();
  const QByteArray status = page != pages_.constEnd() ? "200 OK" : "404 Not Found";
  socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                QByteArray::number(body.size()) + "\r\n" + headers + "Connection: close\r\n\r\n" + body);
  socket->disconnectFromHost();
}

}  // namespace test_support
