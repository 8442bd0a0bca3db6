// mkicons: renders the application's SVG icon to the PNG sizes the desktop's
// icon theme wants, so the pictures never drift from the drawing.
//
//     mkicons ICON.svg OUTDIR SIZE...   writes OUTDIR/SIZExSIZE/mxr77c.png
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: mkicons ICON.svg OUTDIR SIZE...\n");
        return 64;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "mkicons: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0) {
            std::fprintf(stderr, "mkicons: bad size %s\n", argv[i]);
            return 64;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter);
        }
        const QString folder = QStringLiteral("%1x%1").arg(size);
        const QString path = out.filePath(folder + QStringLiteral("/mxr77c.png"));
        if (!out.mkpath(folder) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "mkicons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
