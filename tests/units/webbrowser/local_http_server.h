#pragma once
// A small HTTP server on 127.0.0.1 for tests: serves the pages it was given and remembers every
// request it saw. It runs on the test's own event loop.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTcpServer>
#include <QUrl>

#include <vector>

namespace test_support {

struct SeenRequest {
  QByteArray path;
  QMap<QByteArray, QByteArray> headers;  // names in lower case
};

class LocalHttpServer {
 public:
  LocalHttpServer();
  // Answers `html` for `path`; any other path gets 404.
  void Serve(const QByteArray& path, const QByteArray& html) { pages_[path] = {html, {}}; }
  // Answers `body` for `path` with extra header lines ("Name: value\r\n" each).
  void ServeWith(const QByteArray& path, const QByteArray& body, const QByteArray& headers) {
    pages_[path] = {body, headers};
  }
  // Never answers `path`, holding the connection open.
  void Hold(const QByteArray& path) { held_.append(path); }
  QString Url(const char* path) const;
  // Stops listening: connections to the server's port are refused until Listen().
  void Refuse() { server_.close(); }
  // Listens again on the same port; false when it was taken meanwhile.
  bool Listen();
  bool Saw(const QByteArray& path) const;
  const std::vector<SeenRequest>& Requests() const { return requests_; }

 private:
  void Answer(QTcpSocket* socket);

  QTcpServer server_;
  quint16 port_ = 0;
  struct Reply {
    QByteArray body;
    QByteArray headers;
  };
  QMap<QByteArray, Reply> pages_;
  QList<QByteArray> held_;
  std::vector<SeenRequest> requests_;
};

}  // namespace test_support
