#pragma once
// The web browser box: a view whose client area shows a web page. The page itself is the
// browser control of the engine module; the box turns the control's notifications into its
// events, and serves its properties from its own data, the control and the loaded document.
#include <QWidget>

#include <array>
#include <memory>
#include <string>

#include "contract/unit.h"
#include "contract/unit_interfaces.h"
#include "units/webbrowser/browser_control.h"

namespace units {

// The box's events: the engine's notifications, numbered as the handlers know them.
namespace webbrowser_event {
constexpr int32_t kBeforeNavigate = 0;
constexpr int32_t kNewWindow = 1;
constexpr int32_t kNavigateComplete = 2;
constexpr int32_t kDownloadBegin = 3;
constexpr int32_t kProgressChange = 4;
constexpr int32_t kDownloadComplete = 5;
constexpr int32_t kDocumentComplete = 6;
constexpr int32_t kStatusTextChange = 7;
constexpr int32_t kTitleChange = 8;
constexpr int32_t kCommandStateChange = 9;
constexpr int32_t kWindowSetTop = 10;
constexpr int32_t kWindowSetLeft = 11;
constexpr int32_t kWindowSetHeight = 12;
constexpr int32_t kWindowSetWidth = 13;
constexpr int32_t kWindowClosing = 15;
}  // namespace webbrowser_event

struct WebBrowserState;  // the own properties, in webbrowser_properties.h

class WebBrowserBox final : public UnitWidget<QWidget>, public webbrowser::BrowserEvents {
 public:
  // Loads the engine on first use; null when it cannot be loaded or cannot make a control. The
  // box starts on "about:blank". `properties` are the type's own (webbrowser_properties.h).
  static WebBrowserBox* Create(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties,
                               QWidget* parent, const QRect& place);
  ~WebBrowserBox() override;

  // Texts are GBK; null is empty. `frame` names a frame of the page (or a new window).
  void Navigate(const char* url, int32_t flags, const char* frame, const char* headers);

  // What the property table reads and writes through.
  WebBrowserState& Props();
  webbrowser::BrowserControl& Control() { return *control_; }
  void ApplyBorder();
  void SetEditMode(bool on);
  // Texts read through the box: each kept in storage of its own, which a new read refreshes and a
  // caller may hold until then.
  enum TextSlot { kFullNameText, kLocationUrlText, kLocationNameText, kTypeText, kFontNameText, kTextSlots };
  const char* CacheText(TextSlot slot, const QString& text);
  // Runs a query in the document; false when the box went while the document answered, and
  // then nothing of the box may be touched.
  bool QueryDocument(const QString& script, QVariant* answer);

  // The engine's view, placed over the client area.
  QWidget* ControlWidget() const;

  // The page takes the keys typed into it before the window does.
  bool PreTranslate(QObject* target, QEvent* event) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  WebBrowserBox(const UnitIdentity& identity, std::unique_ptr<PropertyObject> properties, QWidget* parent);

  void PlaceClient();
  void ApplyControlSettings();

  void BeforeNavigate(webbrowser::NavigationRequest& request) override;
  bool NewWindow() override;
  void NavigateComplete(const QString& url) override;
  void DownloadBegin() override;
  void ProgressChange(int32_t progress, int32_t maximum) override;
  void DownloadComplete() override;
  void DocumentComplete(const QString& url) override;
  void StatusTextChange(const QString& text) override;
  void TitleChange(const QString& title) override;
  void CommandStateChange(int32_t command, bool enabled) override;
  void WindowGeometryRequest(int32_t left, int32_t top, int32_t width, int32_t height) override;
  bool WindowClosing() override;
  bool TakesInput() override;
  QString OutsideProgram(const QString& address) override;
  bool OpenOutside(const QString& address) override;

  QWidget* client_;  // the area inside the edge, which the page fills
  std::unique_ptr<webbrowser::BrowserControl> control_;
  int32_t editMode_ = 0;
  std::array<std::string, kTextSlots> texts_;
};

}  // namespace units
