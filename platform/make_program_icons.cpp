// Renders the program's icon, an SVG picture, to PNG files at the sizes of the desktop's icon
// theme. Run by the build; the program embeds some of them and the install ships them all.
//
//   make_program_icons ICON.svg NAME OUTPUT_DIRECTORY SIZE...
//
// writes OUTPUT_DIRECTORY/SIZExSIZE/apps/NAME.png for every SIZE.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fputs("usage: make_program_icons ICON.svg NAME OUTPUT_DIRECTORY SIZE...\n", stderr);
    return 2;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "make_program_icons: cannot read %s\n", argv[1]);
    return 1;
  }
  const QString name = QString::fromLocal8Bit(argv[2]);
  const QDir out(QString::fromLocal8Bit(argv[3]));
  for (int i = 4; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size <= 0 || size > 1024) {
      std::fprintf(stderr, "make_program_icons: not a size: %s\n", argv[i]);
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    const QString file = out.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    if (!out.mkpath(folder) || !image.save(file, "PNG")) {
      std::fprintf(stderr, "make_program_icons: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
