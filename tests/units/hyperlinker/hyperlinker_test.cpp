// The hyperlink box: its property data, what it shows and in which colour, hot tracking with the
// mouse held, opening its address on a click or a key, its pointer and its accessible face.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QTest>
#include <QWidget>

#include <memory>

#include "platform/colors.h"
#include "platform/open_address.h"
#include "platform/text.h"
#include "base/program/memory.h"
#include "tests/support/test_program.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_ids.h"
#include "contract/unit_type_registry.h"
#include "platform/font_record.h"
#include "contract/property_data.h"
#include "units/hyperlinker/hyperlinker_properties.h"

namespace {

using units::PropertyValue;
namespace interface_number = units::interface_number;

template <int32_t N>
typename units::InterfaceOf<N>::Fn Interface() {
  return reinterpret_cast<typename units::InterfaceOf<N>::Fn>(
      units::RegisteredGetInterface(units::type_id::kHyperLinker)(N));
}

// Colours far apart, so a text's pixels tell which one it was drawn in.
constexpr uint32_t kLink = 0x0000C000, kVisited = 0x000000C0, kHover = 0x00C00000, kWhite = 0x00FFFFFF;
const std::string kText = platform::ToGbk(QString::fromUtf8("官方论坛 Quarlex 玩家交流区 BBS"));
const std::string kAddress = "\nhttps://forum.quarlex.example/bbs/";

void PutGbk(std::vector<uint8_t>& data, const std::string& text) {
  test_support::PutU32(data, static_cast<uint32_t>(text.size()));
  data.insert(data.end(), text.begin(), text.end());
}

std::vector<uint8_t> LinkData(const std::string& text, int32_t kind, const std::string& mail,
                              const std::string& web, uint32_t back = kWhite, int32_t border = 0) {
  std::vector<uint8_t> data;
  for (uint32_t v : {1u, static_cast<uint32_t>(kind), kLink, kVisited, kHover, back, static_cast<uint32_t>(border)})
    test_support::PutU32(data, v);
  test_support::PutBytes(data, {});
  PutGbk(data, text);
  PutGbk(data, mail);
  PutGbk(data, web);
  return data;
}

units::HyperLinker* MakeLink(QWidget* parent, const std::vector<uint8_t>& data, uint32_t style = 0) {
  units::Unit* unit = Interface<interface_number::kCreateUnit>()(
      data.empty() ? nullptr : data.data(), static_cast<int32_t>(data.size()), style, parent, 0, nullptr, 10, 10,
      240, 24, 0x52000001, 0x16000003, 0, 0);
  return dynamic_cast<units::HyperLinker*>(unit);
}

void Set(units::Unit* unit, int32_t index, PropertyValue value) {
  Interface<interface_number::kPropertyChanged>()(unit, index, &value, 0);
}

// How many pixels of `shot` are close to `colour` (0x00BBGGRR).
int PixelsNear(const QImage& shot, uint32_t colour) {
  const QColor want = platform::FromColorRef(colour);
  int n = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      const QColor c = shot.pixelColor(x, y);
      if (std::abs(c.red() - want.red()) + std::abs(c.green() - want.green()) + std::abs(c.blue() - want.blue()) < 40)
        ++n;
    }
  return n;
}

QImage Shot(QWidget* widget) { return widget->grab().toImage(); }

// Opening recorded, not done.
class HyperLinkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = platform::SetAddressOpening({[this](const QString& address) {
                                               opened_.append(address);
                                               return desktopOpens_;
                                             },
                                             [] { return std::optional<QString>(); }, nullptr});
  }
  void TearDown() override { platform::SetAddressOpening(previous_); }

  QStringList opened_;
  bool desktopOpens_ = true;
  platform::AddressOpening previous_;
};

TEST_F(HyperLinkerTest, TheToolboxBoxReadsAndWritesItsHundredAndTenBytes) {
  QWidget parent;
  std::vector<uint8_t> data = LinkData(kText, 1, "", kAddress, 0x00FCF6F1);
  ASSERT_EQ(kText.size(), 31u);
  ASSERT_EQ(kAddress.size(), 35u);
  ASSERT_EQ(data.size(), 110u);
  std::unique_ptr<units::HyperLinker> link(MakeLink(&parent, data));
  ASSERT_NE(link, nullptr);
  int32_t length = 0;
  void* block = Interface<interface_number::kGetAllPropertyData>()(link.get(), &length);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(block), static_cast<uint8_t*>(block) + length), data);
  runtime::Free(block);

  PropertyValue value;
  ASSERT_EQ(Interface<interface_number::kGetProperty>()(link.get(), 3, &value), 1);
  EXPECT_EQ(std::string(value.AsText()), kAddress);
  EXPECT_EQ(Interface<interface_number::kGetProperty>()(link.get(), 10, &value), 0);

  data[0] = 2;
  EXPECT_EQ(MakeLink(&parent, data), nullptr);
  data[0] = 1;
  data.pop_back();
  EXPECT_EQ(MakeLink(&parent, data), nullptr);
}

TEST_F(HyperLinkerTest, DefaultsAndClampedChoices) {
  QWidget parent;
  std::unique_ptr<units::HyperLinker> link(MakeLink(&parent, {}));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->Props().linkColor, 0x00FF0000u);
  EXPECT_EQ(link->Props().visitedColor, 0x00000080u);
  EXPECT_EQ(link->Props().hoverColor,
            platform::ToColorRef(platform::SystemColorOf(platform::SystemColor::kHighlight)));
  EXPECT_EQ(link->Props().backColor, 0xFF000000u);
  Set(link.get(), 8, PropertyValue::Integer(9));
  EXPECT_EQ(link->Props().border, 5);
  EXPECT_EQ(link->contentsRect(), link->rect().adjusted(1, 1, -1, -1));
  Set(link.get(), 1, PropertyValue::Integer(3));
  EXPECT_EQ(link->Props().linkKind, 1);
  Set(link.get(), 1, PropertyValue::Integer(-2));
  EXPECT_EQ(link->Props().linkKind, 0);
}

TEST_F(HyperLinkerTest, ShowsItsTextOrElseTheAddressOfItsKind) {
  QWidget parent;
  std::unique_ptr<units::HyperLinker> link(MakeLink(&parent, LinkData("", 1, "me@example.org", "http://a.example/&b")));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->ShownText(), QStringLiteral("http://a.example/&b"));
  EXPECT_GT(PixelsNear(Shot(link.get()), kLink), 10);
  Set(link.get(), 1, PropertyValue::Integer(0));
  EXPECT_EQ(link->ShownText(), QStringLiteral("me@example.org"));
  EXPECT_EQ(link->Address(), QStringLiteral("mailto:me@example.org"));
  const std::string text = platform::ToGbk(QString::fromUtf8("论坛"));
  Set(link.get(), 0, PropertyValue::Text(text.c_str()));
  EXPECT_EQ(link->ShownText(), QString::fromUtf8("论坛"));

  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(link.get());
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::Link);
  EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8("论坛"));
  EXPECT_EQ(accessible->text(QAccessible::Description), QStringLiteral("mailto:me@example.org"));
  ASSERT_NE(accessible->actionInterface(), nullptr);
  accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(opened_.isEmpty()) << "opened on the next turn of the event loop, not inside the request";
  QCoreApplication::processEvents();
  EXPECT_EQ(opened_, QStringList(QStringLiteral("mailto:me@example.org")));
}

TEST_F(HyperLinkerTest, AClickOpensTheAddressAsStoredAndVisitedFollowsItsSuccess) {
  QWidget parent;
  parent.resize(300, 100);
  std::unique_ptr<units::HyperLinker> link(MakeLink(&parent, LinkData(kText, 1, "", kAddress)));
  ASSERT_NE(link, nullptr);
  QTest::mouseClick(link.get(), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_EQ(opened_.size(), 1);
  EXPECT_EQ(opened_[0].toStdString(), kAddress);  // the line feed stays
  EXPECT_TRUE(link->Visited());
  EXPECT_GT(PixelsNear(Shot(link.get()), kVisited), 10);
  EXPECT_EQ(PixelsNear(Shot(link.get()), kLink), 0);

  desktopOpens_ = false;
  QTest::mouseClick(link.get(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(link->Visited());
  EXPECT_GT(PixelsNear(Shot(link.get()), kLink), 10);

  // An empty address of the chosen kind opens nothing and clears visited.
  desktopOpens_ = true;
  QTest::mouseClick(link.get(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(link->Visited());
  Set(link.get(), 1, PropertyValue::Integer(0));
  QTest::mouseClick(link.get(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(link->Visited());
  EXPECT_EQ(opened_.size(), 3);
  QTest::mouseClick(link.get(), Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(opened_.size(), 3);
}

TEST_F(HyperLinkerTest, HoldsTheMouseAndShowsTheHoverColourWhileThePointerIsOverIt) {
  QWidget window;
  window.resize(300, 100);
  std::unique_ptr<units::HyperLinker> link(MakeLink(&window, LinkData(kText, 1, "", kAddress)));
  ASSERT_NE(link, nullptr);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QTest::mouseMove(link.get(), QPoint(20, 10));
  EXPECT_TRUE(link->Hot());
  EXPECT_EQ(QWidget::mouseGrabber(), link.get());
  EXPECT_GT(PixelsNear(Shot(link.get()), kHover), 10);
  QTest::mouseMove(link.get(), QPoint(30, 12));
  EXPECT_TRUE(link->Hot());
  // Opened, and still under the pointer: the hover colour, not yet the visited one.
  QTest::mouseClick(link.get(), Qt::LeftButton, {}, QPoint(30, 12));
  ASSERT_TRUE(link->Visited());
  EXPECT_TRUE(link->Hot());
  EXPECT_GT(PixelsNear(Shot(link.get()), kHover), 10);
  EXPECT_EQ(PixelsNear(Shot(link.get()), kVisited), 0);
  QTest::mouseMove(&window, QPoint(280, 90));
  EXPECT_FALSE(link->Hot());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_EQ(PixelsNear(Shot(link.get()), kHover), 0);
  EXPECT_GT(PixelsNear(Shot(link.get()), kVisited), 10);
}

TEST_F(HyperLinkerTest, AFocusedBoxOpensOnEnterAndSpace) {
  QWidget window;
  std::unique_ptr<units::HyperLinker> link(MakeLink(&window, LinkData(kText, 1, "", kAddress)));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->focusPolicy(), Qt::NoFocus);
  QTest::keyClick(link.get(), Qt::Key_Return);
  QTest::keyClick(link.get(), Qt::Key_Space);
  QTest::keyClick(link.get(), Qt::Key_A);
  EXPECT_EQ(opened_.size(), 2);
  std::unique_ptr<units::HyperLinker> tabStop(MakeLink(&window, {}, units::window_style::kTabStop));
  EXPECT_EQ(tabStop->focusPolicy(), Qt::TabFocus);
}

TEST_F(HyperLinkerTest, ThePointingHandComesBackWhenAFormPointerIsTakenAway) {
  QWidget window;
  std::unique_ptr<units::HyperLinker> link(MakeLink(&window, {}));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->cursor().hotSpot(), QPoint(6, 1));
  link->setCursor(Qt::IBeamCursor);
  EXPECT_EQ(link->cursor().shape(), Qt::IBeamCursor);
  link->unsetCursor();
  EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(link->cursor().hotSpot(), QPoint(6, 1));
}

}  // namespace

namespace {

// Replaces one text and counts what was offered.
std::vector<std::string> gOffered;
const char* RenameAddress(const char* text, intptr_t) {
  gOffered.emplace_back(text);
  return std::string(text) == kAddress ? "https://new.example/" : nullptr;
}

TEST(HyperLinkerTexts, EveryTextIsOfferedAndAReplacementIsWrittenBack) {
  gOffered.clear();
  std::vector<uint8_t> data = LinkData(kText, 1, "mail@example", kAddress);
  auto length = static_cast<int32_t>(data.size());
  void* rewritten = Interface<interface_number::kEnumTexts>()(data.data(), &length, RenameAddress, 0);
  ASSERT_NE(rewritten, nullptr);
  EXPECT_EQ(gOffered, (std::vector<std::string>{kText, "mail@example", kAddress}));
  std::vector<uint8_t> expected = LinkData(kText, 1, "mail@example", "https://new.example/");
  EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(rewritten), static_cast<uint8_t*>(rewritten) + length), expected);
  runtime::Free(rewritten);

  data.pop_back();  // damaged data is not rewritten
  length = static_cast<int32_t>(data.size());
  EXPECT_EQ(Interface<interface_number::kEnumTexts>()(data.data(), &length, RenameAddress, 0), nullptr);
  EXPECT_EQ(length, 0);
}

// The font's face name comes after the three texts, and a new face is written into the record.
TEST(HyperLinkerTexts, TheFontFaceIsOfferedAfterTheTexts) {
  units::HyperLinkerProperties p;
  p.text = "t";
  p.mailAddress = "m";
  p.webAddress = "w";
  platform::FontRecord font;
  font.faceName = "Face";
  const auto record = font.Bytes();
  p.font.assign(record.begin(), record.end());
  std::vector<uint8_t> data;
  ASSERT_TRUE(units::WritePropertyData(p, data));
  gOffered.clear();
  auto length = static_cast<int32_t>(data.size());
  void* rewritten = Interface<interface_number::kEnumTexts>()(
      data.data(), &length,
      [](const char* text, intptr_t) -> const char* {
        gOffered.emplace_back(text);
        return std::string(text) == "Face" ? "New" : nullptr;
      },
      0);
  ASSERT_NE(rewritten, nullptr);
  EXPECT_EQ(gOffered, (std::vector<std::string>{"t", "m", "w", "Face"}));
  units::HyperLinkerProperties back;
  EXPECT_TRUE(units::ReadPropertyData(back, static_cast<uint8_t*>(rewritten), length));
  platform::FontRecord written;
  ASSERT_TRUE(platform::FontRecord::Parse(back.font, &written));
  EXPECT_EQ(written.faceName, "New");
  runtime::Free(rewritten);
}

}  // namespace
