// Draws the two table pictures of the calculators: the score table (JPEG) and the price table
// (PNG with transparent corners). Run once by hand after changing a table; the build embeds the
// committed files, so it never needs the fonts.
//
//   make_toolbox_pictures OUTPUT_DIRECTORY
//
// The row and column edges below follow the edit boxes and result labels of the forms: those
// units lie on these pictures, so a cell must sit exactly under its unit.
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include <cstdio>
#include <vector>

namespace {

const QString kFontFamily = QStringLiteral("Noto Sans CJK SC");

struct Column {
  int left;
  int right;
  QString heading;
};

QFont TableFont(int pixelSize, bool bold = false) {
  QFont font(kFontFamily);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

// One line, centred; a text too wide for the cell is drawn smaller rather than wrapped. The
// room keeps clear of the cell's borders, also where the picture is shown enlarged.
void Cell(QPainter& painter, const QRect& rect, const QString& text, QFont font, const QColor& color) {
  const QRect room = rect.adjusted(6, 1, -6, -1);
  while (font.pixelSize() > 9 && QFontMetrics(font).horizontalAdvance(text) > room.width())
    font.setPixelSize(font.pixelSize() - 1);
  // Centred by its ink, not its advance: the blank half of a closing bracket would pull the
  // text towards the left border.
  const QFontMetrics metrics(font);
  const QRect ink = metrics.tightBoundingRect(text);
  const int shift = metrics.horizontalAdvance(text) / 2 - (ink.left() + ink.width() / 2);
  painter.setFont(font);
  painter.setPen(color);
  painter.drawText(room.translated(shift, 0), Qt::AlignCenter, text);
}

// A column heading: its name, with the unit or explanation in brackets on a second, smaller line.
void Heading(QPainter& painter, const QRect& rect, const QString& heading, const QColor& color) {
  const qsizetype bracket = heading.indexOf(u'（');
  if (bracket <= 0) {
    Cell(painter, rect, heading, TableFont(14, true), color);
    return;
  }
  const int middle = rect.top() + rect.height() / 2;
  Cell(painter, QRect(rect.left(), rect.top() + 2, rect.width(), middle - rect.top() - 1), heading.left(bracket),
       TableFont(14, true), color);
  Cell(painter, QRect(rect.left(), middle - 1, rect.width(), rect.bottom() - middle), heading.mid(bracket),
       TableFont(12), color);
}

void Grid(QPainter& painter, const std::vector<Column>& columns, const std::vector<int>& rowTops, int bottom,
          const QColor& color) {
  painter.setPen(QPen(color, 1));
  for (int y : rowTops) painter.drawLine(columns.front().left, y, columns.back().right, y);
  painter.drawLine(columns.front().left, bottom, columns.back().right, bottom);
  for (const Column& c : columns) painter.drawLine(c.left, 0, c.left, bottom);
  painter.drawLine(columns.back().right, 0, columns.back().right, bottom);
}

// 600 x 780: a heading row, then 18 rows of 41 pixels starting at 41 (the edit boxes of row k
// stand at top 42 + 41 (k - 1) in the picture).
QImage ScoreTable() {
  const QColor paper(0xF1, 0xF6, 0xFC);  // the window's background colour: the picture box has room around it
  const QColor heading(0x3C, 0x6E, 0xA8), line(0x9D, 0xB4, 0xCC), text(0x22, 0x2B, 0x36);
  const std::vector<Column> columns = {
      {0, 85, QStringLiteral("副本")},
      {85, 225, QStringLiteral("物品")},
      {225, 345, QStringLiteral("兑换积分")},
      {345, 452, QStringLiteral("输入物品市场价格")},
      {452, 599, QStringLiteral("兑换比例（1积分可兑换多少银两）")},
  };
  struct Row {
    const char* item;
    int points;
  };
  const Row rows[18] = {{"悔梦石", 20000}, {"低级九彩", 12},    {"神兽丹", 80},         {"亲密丹", 30},
                        {"低级九彩", 10},  {"神兽丹", 60},      {"盘古精铁", 150},      {"金柳露", 40},
                        {"普通技能书", 375}, {"龙之骨", 5000},  {"星梦石", 150},        {"聚魄丹", 6000},
                        {"神兽丹", 90},    {"龙之骨", 10000},   {"悔梦石", 6000},       {"盘古精铁", 480},
                        {"普通技能书残卷", 60}, {"高级技能书残卷", 300}};
  struct Dungeon {
    const char* name;
    int first;  // 0-based rows [first, last]
    int last;
    QColor tint;
  };
  const Dungeon dungeons[] = {{"竞技场", 0, 1, QColor(0xFD, 0xEB, 0xD3)},
                              {"地宫", 2, 4, QColor(0xE3, 0xF2, 0xE1)},
                              {"大雁塔", 5, 10, QColor(0xE6, 0xE9, 0xF8)},
                              {"水陆", 11, 17, QColor(0xF8, 0xE4, 0xEC)}};
  constexpr int kTop = 41, kStep = 41, kBottom = kTop + 18 * kStep;

  QImage image(600, 780, QImage::Format_RGB32);
  image.fill(paper);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing);

  painter.fillRect(QRect(0, 0, 600, kTop), heading);
  for (const Column& c : columns)
    Heading(painter, QRect(c.left, 0, c.right - c.left, kTop), c.heading, Qt::white);

  std::vector<int> rowTops;
  for (int r = 0; r < 18; ++r) {
    const int top = kTop + r * kStep;
    rowTops.push_back(top);
    painter.fillRect(QRect(columns[1].left, top, columns[4].right - columns[1].left, kStep),
                     r % 2 == 0 ? QColor(Qt::white) : QColor(0xF6, 0xF9, 0xFD));
    // The input and ratio columns stay empty: edit boxes and result labels lie there.
    Cell(painter, QRect(columns[1].left, top, columns[1].right - columns[1].left, kStep),
         QString::fromUtf8(rows[r].item), TableFont(15), text);
    Cell(painter, QRect(columns[2].left, top, columns[2].right - columns[2].left, kStep),
         QString::number(rows[r].points), TableFont(15), text);
  }
  for (const Dungeon& d : dungeons) {
    QRect cell(columns[0].left, kTop + d.first * kStep, columns[0].right - columns[0].left,
               (d.last - d.first + 1) * kStep);
    painter.fillRect(cell, d.tint);
    Cell(painter, cell, QString::fromUtf8(d.name), TableFont(16, true), text);
  }
  Grid(painter, columns, rowTops, kBottom, line);
  // The dungeon column spans its rows: no lines inside a dungeon's cell.
  for (const Dungeon& d : dungeons) {
    for (int r = d.first + 1; r <= d.last; ++r) {
      painter.setPen(d.tint);
      painter.drawLine(columns[0].left + 1, kTop + r * kStep, columns[0].right - 1, kTop + r * kStep);
    }
  }
  return image;
}

// 740 x 206: a heading row, then 4 rows at tops 41, 82, 123 and 164, as the edit boxes.
QImage PriceTable() {
  const QColor heading(0xB0, 0x6A, 0x1E), line(0xD2, 0xB4, 0x8C), text(0x2E, 0x25, 0x1A);
  const std::vector<Column> columns = {
      {0, 118, QStringLiteral("物品名称")},
      {118, 236, QStringLiteral("仙玉价格（单位/仙玉）")},
      {236, 355, QStringLiteral("目前成交价格")},
      {355, 470, QStringLiteral("8%税后所得")},
      {470, 606, QStringLiteral("手续费（单位/银两）")},
      {606, 739, QStringLiteral("成交价格（1仙玉可兑换多少银两）")},
  };
  struct Row {
    const char* item;
    int xianyu;
  };
  const Row rows[4] = {{"金柳露", 5}, {"九彩云龙珠", 8}, {"悔梦石", 500}, {"见闻录（上中下）", 160}};
  const std::vector<int> rowTops = {41, 82, 123, 164};
  constexpr int kBottom = 205;

  QImage image(740, 206, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  // Rounded outer corners; what lies outside them shows the picture box's own background.
  QPainterPath outline;
  outline.addRoundedRect(QRectF(0, 0, 740, 206), 8, 8);
  painter.setClipPath(outline);
  painter.fillRect(QRect(0, 0, 740, 206), QColor(0xFF, 0xFC, 0xF5));
  painter.fillRect(QRect(0, 0, 740, rowTops[0]), heading);
  for (const Column& c : columns)
    Heading(painter, QRect(c.left, 0, c.right - c.left, rowTops[0]), c.heading, Qt::white);
  for (int r = 0; r < 4; ++r) {
    const int top = rowTops[r], height = (r + 1 < 4 ? rowTops[r + 1] : kBottom) - top;
    if (r % 2 == 1) painter.fillRect(QRect(0, top, 740, height), QColor(0xFB, 0xF1, 0xE2));
    Cell(painter, QRect(columns[0].left, top, columns[0].right - columns[0].left, height),
         QString::fromUtf8(rows[r].item), TableFont(15), text);
    Cell(painter, QRect(columns[1].left, top, columns[1].right - columns[1].left, height),
         QString::number(rows[r].xianyu), TableFont(15), text);
    Cell(painter, QRect(columns[4].left, top, columns[4].right - columns[4].left, height),
         QStringLiteral("100000"), TableFont(15), text);
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
  Grid(painter, columns, rowTops, kBottom, line);
  painter.setClipping(false);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(heading, 1.5));
  painter.drawRoundedRect(QRectF(0.75, 0.75, 738.5, 204.5), 8, 8);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 2) {
    std::fputs("usage: make_toolbox_pictures OUTPUT_DIRECTORY\n", stderr);
    return 2;
  }
  QDir out(args[1]);
  if (!ScoreTable().save(out.filePath(QStringLiteral("score_table.jpg")), "JPG", 92) ||
      !PriceTable().save(out.filePath(QStringLiteral("price_table.png")), "PNG")) {
    std::fputs("make_toolbox_pictures: cannot write the pictures\n", stderr);
    return 1;
  }
  return 0;
}
