// The built formtool's picture command, run as a user would.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/imaging/picture_builders.h"

namespace pb = picture_builders;

namespace {

class FormtoolPicture : public ::testing::Test {
 protected:
  QString Write(const QString& name, const pb::Bytes& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return file.fileName();
  }
  int Run(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(FORMTOOL_PATH), QStringList{"picture"} + args);
    EXPECT_TRUE(process.waitForFinished(30000));
    errors = QString::fromLocal8Bit(process.readAllStandardError());
    return process.exitCode();
  }
  QTemporaryDir dir;
  QString errors;
};

TEST_F(FormtoolPicture, BlendsWithTheBackgroundAtNaturalSize) {
  QImage picture(2, 2, QImage::Format_ARGB32);
  picture.fill(qRgba(0, 0, 0, 128));
  picture.setPixel(1, 1, qRgba(10, 20, 30, 255));
  const QString out = dir.filePath("out.png");
  ASSERT_EQ(Run({Write("in.png", pb::Encode(picture, "png")), "--background", "0x0000FF", "-o", out}), 0) << errors.toStdString();
  const QImage result(out);
  ASSERT_EQ(result.size(), QSize(2, 2));
  EXPECT_EQ(result.pixel(0, 0), qRgb(127, 0, 0));  // half of the red background
  EXPECT_EQ(result.pixel(1, 1), qRgb(10, 20, 30));
}

TEST_F(FormtoolPicture, StretchesWithAColourKey) {
  QImage picture(2, 1, QImage::Format_RGB32);
  picture.setPixel(0, 0, qRgb(255, 255, 255));
  picture.setPixel(1, 0, qRgb(0, 0, 255));
  const QString out = dir.filePath("out.png");
  ASSERT_EQ(Run({Write("in.bmp", pb::BmpFile(picture, 24)), "--size", "8x4", "--key", "0xFFFFFF", "--background",
                 "0x00FF00", "-o", out}),
            0)
      << errors.toStdString();
  const QImage result(out);
  ASSERT_EQ(result.size(), QSize(8, 4));
  EXPECT_EQ(result.pixel(0, 0), qRgb(0, 255, 0));  // the key shows the background
  EXPECT_EQ(result.pixel(7, 3), qRgb(0, 0, 255));
}

TEST_F(FormtoolPicture, RefusesWhatIsNoPicture) {
  const QString in = Write("notes.txt", {'h', 'e', 'l', 'l', 'o', ',', ' ', 'w', 'o', 'r', 'l', 'd'});
  EXPECT_EQ(Run({in, "-o", dir.filePath("out.png")}), 1);
  EXPECT_EQ(errors.trimmed(), "not a picture: " + in + " (no known picture format)");
  EXPECT_FALSE(QFile::exists(dir.filePath("out.png")));
  EXPECT_EQ(Run({in, "--size", "0x3", "-o", dir.filePath("out.png")}), 2);
  EXPECT_EQ(Run({in, "--key", "0x000000", "-o", dir.filePath("out.png")}), 2);
}

TEST_F(FormtoolPicture, SaysWhyAPictureIsRefused) {
  QImage indexed(4, 4, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  indexed.fill(1);
  pb::Bytes gif = pb::GifFile(indexed);
  const std::size_t firstCodes = 13 + 2 * 3 + 10 + 2;  // header, colour table, descriptor, sizes
  gif[firstCodes] = 4 | 5 << 3;                        // a clear code, then the end code
  pb::Bytes bmp = pb::BmpFile(pb::Gradient(4, 4), 24);
  bmp.resize(bmp.size() - 5);
  pb::Bytes compressed = pb::BmpFile(pb::Gradient(4, 4), 24);
  compressed[30] = 1;
  const std::vector<std::pair<pb::Bytes, QString>> cases = {
      {gif, "damaged GIF: image data ends early"},
      {bmp, "truncated BMP: pixel rows cut short"},
      {compressed, "unsupported BMP: compressed"},
  };
  for (const auto& [bytes, reason] : cases) {
    const QString in = Write("in.pic", bytes);
    EXPECT_EQ(Run({in, "-o", dir.filePath("out.png")}), 1);
    EXPECT_EQ(errors.trimmed(), "not a picture: " + in + " (" + reason + ")");
  }
  EXPECT_EQ(Run({dir.filePath("missing.png"), "-o", dir.filePath("out.png")}), 1);
  EXPECT_EQ(errors.trimmed(), "not a picture: " + dir.filePath("missing.png") + " (cannot read the file)");
  EXPECT_FALSE(QFile::exists(dir.filePath("out.png")));
}

}  // namespace
