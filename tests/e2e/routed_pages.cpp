#include "tests/e2e/routed_pages.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include "tests/units/webbrowser/local_http_server.h"

namespace e2e {
namespace {

std::unique_ptr<test_support::LocalHttpServer> gServer;
std::unique_ptr<QTemporaryDir> gOpenerDir;

QString OpenerLog() { return gOpenerDir->filePath(QStringLiteral("opened.log")); }

}  // namespace

void RoutePages() {
  gServer = std::make_unique<test_support::LocalHttpServer>();
  // A proxy request names the whole address, which is what the server is given pages under.
  const QString proxy = gServer->Url("").remove(QStringLiteral("http://"));
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", ("--proxy-server=" + proxy).toUtf8());

  gOpenerDir = std::make_unique<QTemporaryDir>();
  QFile opener(gOpenerDir->filePath(QStringLiteral("xdg-open")));
  opener.open(QIODevice::WriteOnly);
  opener.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$*\" >> '%1'\n").arg(OpenerLog()).toUtf8());
  opener.close();
  opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
  qputenv("PATH", gOpenerDir->path().toUtf8() + ':' + qgetenv("PATH"));
}

test_support::LocalHttpServer& PageServer() { return *gServer; }

QStringList OpenedOutside() {
  QFile log(OpenerLog());
  if (!log.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

}  // namespace e2e
