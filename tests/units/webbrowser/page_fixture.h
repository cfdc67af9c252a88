#pragma once
// The web browser box fixture with the engine's page at hand: what the page shows, what its
// script answers, and the user's click into it. Test programs that check when the engine comes
// into the process use the plain fixture, which does not link the engine.
#include <QString>
#include <QVariant>
#include <QWebEnginePage>

#include "tests/units/webbrowser/web_box_fixture.h"

namespace test_support {

class PageFixture : public WebBoxFixture {
 protected:
  QWebEnginePage* Page();
  // The text the page shows, or empty when the page gave none in time.
  QString PageText();
  // What the page's script gives, or an invalid value when it gave none in time.
  QVariant Script(const QString& script);
  // Clicks the middle of the page, as the user does.
  void ClickPage();
};

}  // namespace test_support
