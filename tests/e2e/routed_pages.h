#pragma once
// The toolbox's web windows open fixed addresses on the internet. For tests they are routed to a
// server of the test's own on 127.0.0.1, which serves whatever page the test gives for an address,
// and the desktop's opener of addresses is replaced by a fake that only writes down what it was
// asked to open. Both are set up before the browser engine starts.
#include <QString>
#include <QStringList>

namespace test_support {
class LocalHttpServer;
}

namespace e2e {

// Sets them up; call once the application object exists and before any web window opens.
void RoutePages();
// The server every page address is routed to: serve a page under its full address.
test_support::LocalHttpServer& PageServer();
// What the fake opener was asked to open, one entry a call.
QStringList OpenedOutside();

}  // namespace e2e
